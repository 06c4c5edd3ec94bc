// The program itself, tagloom.exe, started as a user starts it: its own process, its own
// title in the captions of the application's message boxes.
#include "DialogDriver.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

struct Search {
    DWORD processId;
    const char* caption;  // compared exactly: FindWindow would ignore letter case
    HWND found;
};

BOOL CALLBACK findProcessWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char caption[32] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (owner == search->processId && IsWindowVisible(window) && std::string(caption) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// tagloom.exe lies at the top of the build folder, two levels above this test program.
std::string programPath() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    for (int level = 0; level < 3; ++level) folder = folder.substr(0, folder.find_last_of("\\/"));
    return folder + "\\tagloom.exe";
}

}  // namespace

TEST(Program, StartsItsWindowAndCaptionsItsMessagesWithItsFileName) {
    ScratchFolder folder;
    std::string command = '"' + programPath();
    command += '"';
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.path().c_str(), &startup, &process))
        << programPath();

    Search search{process.dwProcessId, "Tagloom", nullptr};
    EXPECT_TRUE(eventually([&] {
        EnumWindows(findProcessWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }));
    if (search.found) {
        // A count that is no number makes Quit complain, captioned "tagloom".
        SendMessageA(GetDlgItem(search.found, IDC_COUNT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("many"));
        PostMessageA(GetDlgItem(search.found, IDOK), BM_CLICK, 0, 0);
        Search box{process.dwProcessId, "tagloom", nullptr};
        EXPECT_TRUE(eventually([&] {
            EnumWindows(findProcessWindow, reinterpret_cast<LPARAM>(&box));
            return box.found != nullptr;
        }));
        if (box.found) {
            EXPECT_EQ(GetWindow(box.found, GW_OWNER), search.found);
            PostMessageA(GetDlgItem(box.found, IDOK), BM_CLICK, 0, 0);
        }
        EXPECT_TRUE(eventually([&] { return !IsWindow(box.found); }));
        // The destroy handler reads the form too: leave it a number to read.
        SendMessageA(GetDlgItem(search.found, IDC_COUNT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0"));
        PostMessageA(search.found, WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
    TerminateProcess(process.hProcess, 1);  // only if it is still there
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
