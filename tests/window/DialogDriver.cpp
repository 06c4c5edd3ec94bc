#include "DialogDriver.h"

#include "CWinApp.h"
#include "WindowText.h"

#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <stdexcept>

namespace {

DWORD WINAPI startApplication(void*) { return static_cast<DWORD>(runApplication(GetModuleHandleA(nullptr))); }

std::string className(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK collectDialog(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && className(window) == "#32770")
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> dialogsOfThread(DWORD threadId) {
    std::vector<HWND> found;
    EnumThreadWindows(threadId, collectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

DialogDriver::DialogDriver(bool expectWindow) {
    m_thread = CreateThread(nullptr, 0, startApplication, nullptr, 0, &m_threadId);
    if (!m_thread) throw std::runtime_error("cannot start the application thread");
    if (!expectWindow) return;
    eventually([&] { return (m_window = findMainWindow()) != nullptr || !running(); });
    if (!m_window) throw std::runtime_error("the main window did not appear");
}

DialogDriver::~DialogDriver() {
    // Dismiss whatever box is open, then close the window, until the routine returns.
    for (int attempt = 0; attempt < 50 && running(); ++attempt) {
        for (HWND box : otherWindows()) PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
        for (HWND box : otherWindows()) PostMessageA(box, WM_COMMAND, IDOK, 0);
        if (m_window && IsWindow(m_window)) PostMessageA(m_window, WM_COMMAND, IDCANCEL, 0);
        if (WaitForSingleObject(m_thread, 200) == WAIT_OBJECT_0) break;
    }
    WaitForSingleObject(m_thread, 5000);
    CloseHandle(m_thread);
}

HWND DialogDriver::findMainWindow() const {
    for (HWND window : dialogsOfThread(m_threadId))
        if (windowText(window) == "Tagloom") return window;
    return nullptr;
}

bool DialogDriver::running() const { return WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT; }

bool DialogDriver::waitForEnd(std::chrono::milliseconds patience) {
    return WaitForSingleObject(m_thread, static_cast<DWORD>(patience.count())) == WAIT_OBJECT_0;
}

std::string DialogDriver::text(int id) const { return windowText(control(id)); }

void DialogDriver::setText(int id, const std::string& value) {
    SendMessageA(control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

void DialogDriver::focus(int id) { SendMessageA(m_window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control(id)), TRUE); }

HWND DialogDriver::focusedControl() const {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    return GetGUIThreadInfo(m_threadId, &gui) ? gui.hwndFocus : nullptr;
}

void DialogDriver::click(int id) { PostMessageA(control(id), BM_CLICK, 0, 0); }

void DialogDriver::pressKey(HWND target, UINT virtualKey) {
    UINT scan = MapVirtualKeyA(virtualKey, 0);
    LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
    LPARAM up = down | (1L << 30) | (1L << 31);
    PostMessageA(target, WM_KEYDOWN, virtualKey, down);
    PostMessageA(target, WM_KEYUP, virtualKey, up);
}

namespace {

// What settle() waits for: the serial number of the last marker that the application
// thread took from its queue. A message hook sees each message as it is taken.
std::atomic<WPARAM> settledMarker{0};
const UINT kSettleMarker = RegisterWindowMessageA("TagloomDriverSettle");

LRESULT CALLBACK watchForMarker(int code, WPARAM removal, LPARAM message) {
    const MSG& taken = *reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE && taken.message == kSettleMarker) settledMarker = taken.wParam;
    return CallNextHookEx(nullptr, code, removal, message);
}

}  // namespace

// Posted messages leave a thread's queue in the order they were posted: once the marker
// is taken, everything posted before it has been taken and handled.
void DialogDriver::settle() const {
    static WPARAM serial = 0;
    WPARAM marker = ++serial;
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, watchForMarker, nullptr, m_threadId);
    if (!hook) throw std::runtime_error("cannot watch the application's queue");
    PostMessageA(m_window, kSettleMarker, marker, 0);
    bool taken = eventually([&] { return settledMarker == marker; });
    UnhookWindowsHookEx(hook);
    if (!taken) throw std::runtime_error("the window did not take its messages");
}

int DialogDriver::rowCount() const {
    return static_cast<int>(SendMessageA(control(1006), LVM_GETITEMCOUNT, 0, 0));
}

std::vector<std::pair<std::string, std::string>> DialogDriver::rows() const {
    std::vector<std::pair<std::string, std::string>> result;
    int count = rowCount();
    std::vector<char> buffer(1 << 16);
    auto cell = [&](int row, int column) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        auto copied = SendMessageA(control(1006), LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                   reinterpret_cast<LPARAM>(&item));
        return std::string(buffer.data(), static_cast<size_t>(copied));
    };
    for (int row = 0; row < count; ++row) result.emplace_back(cell(row, 0), cell(row, 1));
    return result;
}

void DialogDriver::insertRow(int index, const std::string& keyword, const std::string& link) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(keyword.c_str());
    SendMessageA(control(1006), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    LVITEMA sub{};
    sub.iSubItem = 1;
    sub.pszText = const_cast<char*>(link.c_str());
    SendMessageA(control(1006), LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
}

void DialogDriver::clickListAt(int x, int y) {
    HWND list = control(1006);
    LPARAM at = MAKELPARAM(x, y);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
}

void DialogDriver::clickRow(int row) {
    RECT cell{};
    cell.left = LVIR_LABEL;
    SendMessageA(control(1006), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    clickListAt(cell.left + 3, (cell.top + cell.bottom) / 2);
}

void DialogDriver::clickHeading(int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(control(1006), LVM_GETHEADER, 0, 0));
    RECT heading{};
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&heading));
    LPARAM at = MAKELPARAM((heading.left + heading.right) / 2, (heading.top + heading.bottom) / 2);
    PostMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(header, WM_LBUTTONUP, 0, at);
}

int DialogDriver::selectionMark() const {
    return static_cast<int>(SendMessageA(control(1006), LVM_GETSELECTIONMARK, 0, 0));
}

std::vector<HWND> DialogDriver::otherWindows() const {
    std::vector<HWND> others;
    for (HWND window : dialogsOfThread(m_threadId))
        if (window != m_window) others.push_back(window);
    return others;
}

ShownBox DialogDriver::waitForBox() const {
    HWND found = nullptr;
    eventually([&] {
        for (HWND window : otherWindows())
            if (IsWindowEnabled(window)) return (found = window) != nullptr;
        return false;
    });
    if (!found) throw std::runtime_error("no box appeared");
    return describe(found);
}

ShownBox DialogDriver::describe(HWND box) {
    ShownBox shown;
    shown.window = box;
    shown.caption = windowText(box);
    shown.text = windowText(GetDlgItem(box, 0xFFFF));
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO})
        if (GetDlgItem(box, id)) shown.buttons.push_back(id);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (className(child) != "Static") continue;
        if (auto icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0))) {
            shown.hasIcon = true;
            shown.icon = icon;
        }
    }
    shown.owner = GetWindow(box, GW_OWNER);
    // Wine's message boxes answer DM_GETDEFID with IDOK even when they have no OK button;
    // the button drawn as the default one is what Enter presses.
    for (int id : shown.buttons)
        if ((GetWindowLongA(GetDlgItem(box, id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) shown.defaultButton = id;
    LRESULT defaultId = SendMessageA(box, DM_GETDEFID, 0, 0);
    if (shown.defaultButton == 0 && HIWORD(defaultId) == DC_HASDEFID) shown.defaultButton = LOWORD(defaultId);
    return shown;
}

void DialogDriver::answer(const ShownBox& box, int buttonId) const {
    HWND button = GetDlgItem(box.window, buttonId);
    if (!button) throw std::runtime_error("the box has no such button");
    PostMessageA(button, BM_CLICK, 0, 0);
    if (!eventually([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); }))
        throw std::runtime_error("the box stayed open");
}

bool DialogDriver::sendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              std::chrono::milliseconds patience, LRESULT* result) {
    DWORD_PTR answer = 0;
    LRESULT done = SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL,
                                       static_cast<UINT>(patience.count()), &answer);
    if (result) *result = static_cast<LRESULT>(answer);
    return done != 0;
}

ScratchFolder::ScratchFolder() {
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    m_previous = current;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int serial = 0;
    for (;;) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%stagloom-test-%lu-%d", temp, GetCurrentProcessId(), ++serial);
        if (CreateDirectoryA(name, nullptr)) {
            m_path = name;
            break;
        }
    }
    SetCurrentDirectoryA(m_path.c_str());
}

ScratchFolder::~ScratchFolder() {
    SetCurrentDirectoryA(m_previous.c_str());
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((m_path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            SetFileAttributesA(file(name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file(name).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(m_path.c_str());
}
