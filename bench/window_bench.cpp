// window_bench: times the real main window under Wine and prints one line per figure.
//
// Each run starts the program's own start-up routine on a thread of this process, in a
// scratch folder that is the current directory, and works the window from here through
// window messages, as the window tests do. To add a figure, write a function that takes a
// started WindowRun, times what it does, and call it from main().
//
// Figures so far:
//   load   from the start-up routine's start until the main window is shown, with a
//          "tagloom.dat" of N entries waiting in the folder;
//   save   from the close (Escape) until the start-up routine has returned, which
//          includes writing the N entries back.
#include "CWinApp.h"
#include "LinkInserter.h"
#include "TableFormat.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A folder of its own as the current directory, removed with its files at the end.
class ScratchFolder {
public:
    ScratchFolder() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + "tagloom-bench-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(m_path.c_str(), nullptr);
        SetCurrentDirectoryA(m_path.c_str());
    }
    ~ScratchFolder() {
        SetCurrentDirectoryA("..");
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((m_path + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do DeleteFileA((m_path + "\\" + found.cFileName).c_str());
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(m_path.c_str());
    }

private:
    std::string m_path;
};

std::string readFile(const char* name) {
    std::string bytes;
    HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

void writeFile(const char* name, const std::string& bytes) {
    HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// Entries of article-like lengths, all different.
std::vector<KeywordEntry> makeEntries(int count) {
    std::vector<KeywordEntry> entries;
    entries.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string name = "keyword " + std::to_string(i) + std::string(static_cast<size_t>(i % 13), 'x');
        entries.push_back({name, "/articles/" + std::to_string(i) + "/index.html?from=tagloom"});
    }
    return entries;
}

BOOL CALLBACK findMainWindow(HWND window, LPARAM found) {
    char caption[16] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (IsWindowVisible(window) && std::string(caption) == "Tagloom") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI startApplication(void*) { return static_cast<DWORD>(runApplication(GetModuleHandleA(nullptr))); }

// The program's start-up routine running on a thread of its own, from start to shown window.
class WindowRun {
public:
    WindowRun() {
        Clock::time_point start = Clock::now();
        m_thread = CreateThread(nullptr, 0, startApplication, nullptr, 0, &m_threadId);
        if (!m_thread) throw std::runtime_error("cannot start the application thread");
        while (!m_window) {
            if (WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0) throw std::runtime_error("no window appeared");
            EnumThreadWindows(m_threadId, findMainWindow, reinterpret_cast<LPARAM>(&m_window));
            if (!m_window) Sleep(1);
        }
        m_secondsToShow = secondsSince(start);
    }
    ~WindowRun() {
        if (WaitForSingleObject(m_thread, 0) != WAIT_OBJECT_0) close();
        CloseHandle(m_thread);
    }
    WindowRun(const WindowRun&) = delete;
    WindowRun& operator=(const WindowRun&) = delete;

    HWND window() const { return m_window; }
    double secondsToShow() const { return m_secondsToShow; }

    // Closes the window with Escape's command and returns the seconds until the start-up
    // routine has returned.
    double close() {
        Clock::time_point start = Clock::now();
        PostMessageA(m_window, WM_COMMAND, IDCANCEL, 0);
        WaitForSingleObject(m_thread, INFINITE);
        return secondsSince(start);
    }

private:
    HANDLE m_thread = nullptr;
    DWORD m_threadId = 0;
    HWND m_window = nullptr;
    double m_secondsToShow = 0;
};

// The table file's load at start and save at close, for a file of `count` entries.
void timeTableFile(int count) {
    std::string bytes = TableFormat::formatTable(makeEntries(count));
    std::string name(TableFormat::tableFileName);
    writeFile(name.c_str(), bytes);

    WindowRun run;
    double load = run.secondsToShow();
    double save = run.close();
    bool same = readFile(name.c_str()) == bytes;
    std::printf("table file, %6d entries: load %7.3f s, save %7.3f s%s\n", count, load, save,
                same ? "" : "  (ERROR: the saved file differs from the loaded one)");
}

}  // namespace

// Arguments: the table sizes to time, 1000 and 10000 when none are given.
int main(int argc, char** argv) {
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
    if (counts.empty()) counts = {1000, 10000};
    try {
        ScratchFolder folder;
        timeTableFile(0);  // the window's own start and close, for comparison
        for (int count : counts) timeTableFile(count);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "window_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
