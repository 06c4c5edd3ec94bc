#pragma once
// Drives the real Tagloom window from a test: the application's start-up routine runs on
// a thread of its own with its own message loops, while the test thread works the
// controls through window messages, as another program would, and answers the message
// boxes that the window shows. Posted messages stand for the user's input, so that the
// dialog manager handles keys and clicks as it does for a person.
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

// A message box, dialog or other top-level window of the application's thread.
struct ShownBox {
    HWND window = nullptr;
    std::string caption;
    std::string text;       // the message box's text (static control 0xFFFF)
    std::vector<int> buttons;  // ids among IDOK, IDCANCEL, IDYES, IDNO present
    bool hasIcon = false;
    HICON icon = nullptr;   // the icon shown, to compare with LoadIconA(nullptr, IDI_...)
    HWND owner = nullptr;
    int defaultButton = 0;
};

class DialogDriver {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kPatience{10000};

    // Starts the application's start-up routine (sockets, then the main window) and
    // waits for the main window, unless `expectWindow` is false.
    explicit DialogDriver(bool expectWindow = true);
    // Closes whatever is still open and waits for the start-up routine to return.
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    HWND window() const { return m_window; }
    HWND control(int id) const { return GetDlgItem(m_window, id); }
    DWORD threadId() const { return m_threadId; }

    std::string text(int id) const;
    void setText(int id, const std::string& text);  // as if typed: WM_SETTEXT
    void focus(int id);                             // through the dialog manager
    HWND focusedControl() const;                    // the window with the keyboard focus
    void click(int id);                             // a press of a button

    // Posts a key press (down, character, up) to the control, as the keyboard would.
    void pressKey(HWND target, UINT virtualKey);

    // Waits until the application thread has taken from its queue everything posted to
    // it so far, so that a posted click or key has been handled (or has opened a box
    // that now waits for an answer). For checking that a command changed nothing.
    void settle() const;

    // The list: rows as (keyword, link), and real clicks: on a row's first cell, at a point
    // of the list's client area, on a column heading.
    int rowCount() const;
    std::vector<std::pair<std::string, std::string>> rows() const;
    void insertRow(int index, const std::string& keyword, const std::string& link);
    void clickRow(int row);
    void clickListAt(int x, int y);
    void clickHeading(int column);
    int selectionMark() const;

    // Top-level windows of the application thread other than the main window, newest
    // first; waits for one to appear.
    ShownBox waitForBox() const;
    std::vector<HWND> otherWindows() const;
    static ShownBox describe(HWND box);
    // Presses a message box's button and waits until the box is gone.
    void answer(const ShownBox& box, int buttonId) const;

    // Waits for the start-up routine to return (the window closed); false on timeout.
    bool waitForEnd(std::chrono::milliseconds patience = kPatience);
    bool running() const;

    // Sends a message and returns its result, or nothing if the window did not answer
    // within `patience` (for example because it opened a modal box).
    static bool sendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                           std::chrono::milliseconds patience, LRESULT* result = nullptr);

private:
    void run();
    HWND findMainWindow() const;

    HANDLE m_thread = nullptr;
    DWORD m_threadId = 0;
    HWND m_window = nullptr;
};

// Waits until `condition` holds or the patience runs out; says whether it holds.
template <class Condition>
bool eventually(Condition condition, std::chrono::milliseconds patience = DialogDriver::kPatience) {
    auto until = DialogDriver::Clock::now() + patience;
    for (;;) {
        if (condition()) return true;
        if (DialogDriver::Clock::now() > until) return false;
        Sleep(5);
    }
}

// A scratch folder that is the current directory for the test's lifetime.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_previous;
    std::string m_path;
};
