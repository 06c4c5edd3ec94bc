// The main window as the user meets it: start-up, the form, keys, system commands,
// Help and F1, and the form binding's integer rule.
#include "LinkAdderDlg.h"
#include "WindowFixture.h"

#include <commctrl.h>

#include <chrono>

using namespace std::chrono_literals;

TEST_F(WindowTest, FreshWindowHasEmptyBoxesACountOfZeroAndTheFocusOnQuit) {
    for (int id : {IDC_INPUT, IDC_OUTPUT, IDC_KEYWORD, IDC_LINK}) EXPECT_EQ(driver->text(id), "") << id;
    EXPECT_EQ(driver->text(IDC_COUNT), "0");
    EXPECT_EQ(driver->rowCount(), 0);

    EXPECT_EQ(driver->focusedControl(), driver->control(IDOK));

    HWND header = reinterpret_cast<HWND>(SendMessageA(driver->control(IDC_KEYWORD_LIST), LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(driver->control(IDC_KEYWORD_LIST), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
              LVS_EX_FULLROWSELECT);
}

TEST_F(WindowTest, EnterInASingleLineBoxClosesTheWindowLikeQuit) {
    for (int id : {IDC_KEYWORD, IDC_LINK, IDC_COUNT}) {
        driver->focus(id);
        driver->pressKey(driver->control(id), VK_RETURN);
        EXPECT_TRUE(driver->waitForEnd()) << "Enter in control " << id;
        open();
    }
}

TEST_F(WindowTest, EnterInTheInputBoxInsertsALineBreak) {
    driver->focus(IDC_INPUT);
    driver->pressKey(driver->control(IDC_INPUT), VK_RETURN);
    EXPECT_TRUE(eventually([&] { return driver->text(IDC_INPUT) == "\r\n"; }));
    EXPECT_TRUE(driver->running());
}

TEST_F(WindowTest, EscapeEvenInTheInputBoxAndTheCloseBoxCloseTheWindow) {
    driver->focus(IDC_INPUT);
    driver->pressKey(driver->control(IDC_INPUT), VK_ESCAPE);
    EXPECT_TRUE(driver->waitForEnd());

    open();
    PostMessageA(driver->window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(driver->waitForEnd());
}

TEST_F(WindowTest, SystemCommandsInTheAboutRangeOpenTheAboutBoxWithTheMainWindowDisabled) {
    for (WPARAM command : {0x0010u, 0x001Fu}) {
        PostMessageA(driver->window(), WM_SYSCOMMAND, command, 0);
        ShownBox about = driver->waitForBox();
        EXPECT_EQ(about.caption, "About Tagloom");
        EXPECT_EQ(about.owner, driver->window());
        EXPECT_FALSE(IsWindowEnabled(driver->window()));
        driver->answer(about, IDOK);
        EXPECT_TRUE(IsWindowEnabled(driver->window()));
    }
    // Outside the range the default processing runs, and nothing opens.
    EXPECT_TRUE(DialogDriver::sendWithin(driver->window(), WM_SYSCOMMAND, 0x0020, 0, 3000ms));
    EXPECT_TRUE(driver->otherWindows().empty());
}

TEST_F(WindowTest, TheSystemMenuOffersTheAboutBox) {
    HMENU menu = GetSystemMenu(driver->window(), FALSE);
    int items = GetMenuItemCount(menu);
    ASSERT_GE(items, 2);
    char text[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(items - 1), text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&About Tagloom...");
    EXPECT_EQ(GetMenuItemID(menu, items - 1), static_cast<UINT>(IDM_ABOUTBOX));
    EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(items - 2), MF_BYPOSITION) & MF_SEPARATOR,
              static_cast<UINT>(MF_SEPARATOR));
}

TEST(MinimisedIcon, IsCentredWithTheDivisionTruncatingTowardZero) {
    struct Case {
        int width, height, iconWidth, iconHeight, x, y;
    } cases[] = {
        {36, 36, 32, 32, 2, 2},
        {20, 36, 32, 32, -5, 2},  // (20 - 32 + 1) / 2 truncates to -5, not -6
        {32, 32, 32, 32, 0, 0},
        {160, 24, 32, 32, 64, -3},
    };
    for (const Case& c : cases) {
        POINT at = minimisedIconPosition(c.width, c.height, c.iconWidth, c.iconHeight);
        EXPECT_EQ(at.x, c.x) << c.width << "x" << c.height;
        EXPECT_EQ(at.y, c.y) << c.width << "x" << c.height;
    }
}

TEST_F(WindowTest, TheWindowCarriesTheProgramIconAndDragsIt) {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    LRESULT dragIcon = 0;
    ASSERT_TRUE(DialogDriver::sendWithin(driver->window(), WM_QUERYDRAGICON, 0, 0, 3000ms, &dragIcon));
    EXPECT_EQ(reinterpret_cast<HICON>(dragIcon), icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(driver->window(), WM_GETICON, ICON_BIG, 0)), icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(driver->window(), WM_GETICON, ICON_SMALL, 0)), icon);

    // Minimised, it still paints and answers.
    ShowWindowAsync(driver->window(), SW_MINIMIZE);
    EXPECT_TRUE(eventually([&] { return IsIconic(driver->window()) != FALSE; }));
    EXPECT_TRUE(DialogDriver::sendWithin(driver->window(), WM_PAINT, 0, 0, 3000ms));
    ShowWindowAsync(driver->window(), SW_RESTORE);
}

TEST_F(WindowTest, HelpOpensTheHelpPageHiddenAndKeepsWhatWasTyped) {
    driver->setText(IDC_INPUT, "my page");
    driver->setText(IDC_KEYWORD, "cat");
    driver->click(IDC_HELP_BUTTON);
    ASSERT_TRUE(eventually([&] { return platform.shellCalls.size() == 1; }));
    const RecordedCall& call = platform.shellCalls[0];
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_EQ(call.operation, "open");
    EXPECT_EQ(call.file, kHelpPageAddress);
    EXPECT_EQ(call.show, SW_HIDE);
    EXPECT_EQ(driver->text(IDC_INPUT), "my page");
    EXPECT_EQ(driver->text(IDC_KEYWORD), "cat");
    EXPECT_TRUE(driver->otherWindows().empty());
}

TEST_F(WindowTest, F1AsksWindowsHelpForTheTopicOfTheDialogWithTheKeyboard) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string helpFile(path, length);
    helpFile = helpFile.substr(0, helpFile.rfind('.')) + ".HLP";

    driver->pressKey(driver->control(IDC_INPUT), VK_F1);
    ASSERT_TRUE(eventually([&] { return platform.helpCalls.size() == 1; }));
    EXPECT_EQ(platform.helpCalls[0].file, helpFile);
    EXPECT_EQ(platform.helpCalls[0].command, static_cast<UINT>(HELP_CONTEXT));
    EXPECT_EQ(platform.helpCalls[0].data, 0x20000u + IDD_TAGLOOM_DIALOG);
    EXPECT_TRUE(driver->otherWindows().empty());

    PostMessageA(driver->window(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    ShownBox about = driver->waitForBox();
    driver->pressKey(GetDlgItem(about.window, IDOK), VK_F1);
    ASSERT_TRUE(eventually([&] { return platform.helpCalls.size() == 2; }));
    EXPECT_EQ(platform.helpCalls[1].data, 0x20000u + IDD_ABOUTBOX);
    driver->answer(about, IDOK);
}

TEST_F(WindowTest, F1SaysSoWhenWindowsHelpFails) {
    platform.helpOpens = false;
    driver->pressKey(driver->control(IDOK), VK_F1);
    ShownBox box = driver->waitForBox();
    EXPECT_EQ(box.text, "Failed to launch help.");
    EXPECT_EQ(box.caption, applicationTitle());
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_TRUE(box.hasIcon);
    EXPECT_EQ(box.owner, driver->window());
    driver->answer(box, IDOK);
    EXPECT_TRUE(driver->running());
}

TEST_F(WindowTest, QuitWithANonNumberInTheCountBoxSaysSoAndStaysOpen) {
    driver->setText(IDC_COUNT, " 12x ");
    driver->click(IDOK);
    ShownBox box = driver->waitForBox();
    EXPECT_EQ(box.text, "Please enter an integer.");
    EXPECT_EQ(box.caption, applicationTitle());
    EXPECT_TRUE(box.hasIcon);
    EXPECT_EQ(box.owner, driver->window());
    driver->answer(box, IDOK);

    EXPECT_FALSE(driver->waitForEnd(300ms));
    EXPECT_TRUE(eventually([&] { return driver->focusedControl() == driver->control(IDC_COUNT); }));
    DWORD start = 0, end = 0;
    SendMessageA(driver->control(IDC_COUNT), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);

    // Blanks around a signed number are fine.
    driver->setText(IDC_COUNT, " \t-7 ");
    driver->click(IDOK);
    EXPECT_TRUE(driver->waitForEnd());
}

TEST_F(WindowTest, APageLongerThanTheEditControlsDefaultLimitPastesWhole) {
    std::string page;
    while (page.size() < 150000) page += "A long article line about cats and other things.\r\n";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, page.size() + 1);
    memcpy(GlobalLock(memory), page.c_str(), page.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();

    driver->focus(IDC_INPUT);
    SendMessageA(driver->control(IDC_INPUT), WM_PASTE, 0, 0);
    EXPECT_EQ(driver->text(IDC_INPUT).size(), page.size());
}

class StartupTest : public WindowTest {
protected:
    void SetUp() override {}
};

TEST_F(StartupTest, WhenSocketsCannotStartItSaysSoOpensNoWindowAndTouchesNoFile) {
    platform.socketsStart = false;
    open(false);
    ShownBox box = driver->waitForBox();
    EXPECT_EQ(box.text, "Windows sockets initialization failed.");
    EXPECT_EQ(box.caption, applicationTitle());
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_TRUE(box.hasIcon);
    EXPECT_EQ(box.owner, nullptr);
    driver->answer(box, IDOK);
    EXPECT_TRUE(driver->waitForEnd());
    EXPECT_EQ(driver->window(), nullptr);
    EXPECT_EQ(GetFileAttributesA(folder.file("tagloom.dat").c_str()), INVALID_FILE_ATTRIBUTES);
}
