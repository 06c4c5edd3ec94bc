#include "EntryCommandsFixture.h"

#include <commctrl.h>

#include <algorithm>
#include <mutex>
#include <stdexcept>

const Rows EntryCommandsTest::kFruit = {
    {"cherry", "/cherry.html"},
    {"banana", "/banana.html"},
    {"apple", "/apple.html"},
};

void EntryCommandsTest::reopenWithEmptyTable() {
    driver.reset();  // closing writes the table file
    DeleteFileA(folder.file("tagloom.dat").c_str());
    open();
}

void EntryCommandsTest::type(const std::string& keyword, const std::string& link) {
    driver->setText(IDC_KEYWORD, keyword);
    driver->setText(IDC_LINK, link);
}

void EntryCommandsTest::press(int button) {
    driver->click(button);
    driver->settle();
}

ShownBox EntryCommandsTest::pressForBox(int button) {
    driver->click(button);
    return driver->waitForBox();
}

void EntryCommandsTest::add(const std::string& keyword, const std::string& link) {
    type(keyword, link);
    press(IDC_ADD);
    for (HWND window : driver->otherWindows()) {
        ShownBox box = DialogDriver::describe(window);
        ADD_FAILURE() << "Add of \"" << keyword << "\" showed: " << box.text;
        driver->answer(box, box.buttons.back());
    }
}

void EntryCommandsTest::addFruit() {
    for (auto entry = kFruit.rbegin(); entry != kFruit.rend(); ++entry) add(entry->first, entry->second);
}

void EntryCommandsTest::pick(int row) {
    driver->clickRow(row);
    driver->settle();
}

void EntryCommandsTest::clickBelowTheRows() {
    HWND list = driver->control(IDC_KEYWORD_LIST);
    RECT below{};
    int rows = driver->rowCount();
    if (rows > 0) {
        below.left = LVIR_BOUNDS;
        SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(rows - 1), reinterpret_cast<LPARAM>(&below));
    } else {
        GetClientRect(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)), &below);
    }
    RECT client;
    GetClientRect(list, &client);
    int y = below.bottom + 4;
    if (y >= client.bottom) throw std::logic_error("no empty space below the rows");
    driver->clickListAt(10, y);
    driver->settle();
}

void EntryCommandsTest::clickHeading(int column) {
    driver->clickHeading(column);
    driver->settle();
}

void EntryCommandsTest::expectBoxesShowRowAtMark() {
    int mark = driver->selectionMark();
    Rows rows = driver->rows();
    Row expected = mark >= 0 && mark < static_cast<int>(rows.size()) ? rows[static_cast<size_t>(mark)] : Row{};
    EXPECT_EQ(driver->text(IDC_KEYWORD), expected.first) << "mark " << mark;
    EXPECT_EQ(driver->text(IDC_LINK), expected.second) << "mark " << mark;
}

namespace {

// The hook runs on the application's thread and is read from the test's.
std::mutex seenLock;
std::vector<UINT> seenCodes;

LRESULT CALLBACK watchListNotifications(int code, WPARAM fromThisThread, LPARAM message) {
    const CWPSTRUCT& sent = *reinterpret_cast<const CWPSTRUCT*>(message);
    if (code == HC_ACTION && sent.message == WM_NOTIFY) {
        const NMHDR& header = *reinterpret_cast<const NMHDR*>(sent.lParam);
        if (header.idFrom == IDC_KEYWORD_LIST) {
            std::lock_guard<std::mutex> hold(seenLock);
            seenCodes.push_back(header.code);
        }
    }
    return CallNextHookEx(nullptr, code, fromThisThread, message);
}

}  // namespace

ListNotifications::ListNotifications(const DialogDriver& driver) {
    {
        std::lock_guard<std::mutex> hold(seenLock);
        seenCodes.clear();
    }
    m_hook = SetWindowsHookExA(WH_CALLWNDPROC, watchListNotifications, nullptr, driver.threadId());
    if (!m_hook) throw std::runtime_error("cannot watch the list's notifications");
}

ListNotifications::~ListNotifications() { UnhookWindowsHookEx(m_hook); }

int ListNotifications::count(UINT code) const {
    std::lock_guard<std::mutex> hold(seenLock);
    return static_cast<int>(std::count(seenCodes.begin(), seenCodes.end(), code));
}
