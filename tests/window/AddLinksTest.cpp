// The Add Links command in the window: the output, the message box, and what the
// Keyword and Link boxes hold afterwards.
#include "WindowFixture.h"

#include <cstdlib>

class AddLinksTest : public WindowTest {
protected:
    // Clicks Add Links and checks the box; while it is open the Output box shows
    // `whileOpen`. Returns once the box is dismissed.
    void addLinks(const std::string& whileOpen) {
        driver->click(IDC_ADD_LINKS);
        ShownBox box = driver->waitForBox();
        EXPECT_EQ(box.text, "Your links have been added.\r\n");
        EXPECT_EQ(box.caption, "Done Linking....");
        EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
        EXPECT_FALSE(box.hasIcon);
        EXPECT_EQ(box.owner, driver->window());
        EXPECT_EQ(driver->text(IDC_OUTPUT), whileOpen);
        driver->answer(box, IDOK);
    }
};

TEST_F(AddLinksTest, WithAnEmptyTableTheOutputIsACopyAndTheTypedEntryStays) {
    driver->setText(IDC_INPUT, "cat\r\ndog");
    driver->setText(IDC_OUTPUT, "old output");
    driver->setText(IDC_KEYWORD, "typed");
    driver->setText(IDC_LINK, "/typed.html");
    addLinks("cat\r\ndog");
    EXPECT_EQ(driver->text(IDC_OUTPUT), "cat\r\ndog");
    EXPECT_EQ(driver->text(IDC_KEYWORD), "typed");
    EXPECT_EQ(driver->text(IDC_LINK), "/typed.html");
    EXPECT_EQ(driver->text(IDC_INPUT), "cat\r\ndog");
}

TEST_F(AddLinksTest, WithAnEmptyInputTheOutputIsEmptyAndTheBoxStillShows) {
    driver->insertRow(0, "cat", "/cat.html");
    driver->setText(IDC_OUTPUT, "old output");
    addLinks("");
    EXPECT_EQ(driver->text(IDC_OUTPUT), "");
}

TEST_F(AddLinksTest, RowsApplyTopFirstAndTheBoxesEndWithTheBottomRow) {
    driver->insertRow(0, "York", "L2");
    driver->insertRow(0, "New York", "L1");  // the top row
    driver->setText(IDC_INPUT, "I love New York.\r\nYork, too.");
    driver->setText(IDC_OUTPUT, "typed before the click");
    driver->setText(IDC_KEYWORD, "typed");
    addLinks("I love New York.\r\nYork, too.");
    EXPECT_EQ(driver->text(IDC_OUTPUT),
              "I love <a href=\"L1\">New York</a>.\r\n<a href=\"L2\">York</a>, too.");
    EXPECT_EQ(driver->text(IDC_KEYWORD), "York");
    EXPECT_EQ(driver->text(IDC_LINK), "L2");
    EXPECT_EQ(driver->text(IDC_COUNT), "0");  // nothing refreshed the count; no row changed
    EXPECT_EQ(driver->rowCount(), 2);

    // A second run starts again from the Input box.
    addLinks("I love New York.\r\nYork, too.");
    EXPECT_EQ(driver->text(IDC_OUTPUT),
              "I love <a href=\"L1\">New York</a>.\r\n<a href=\"L2\">York</a>, too.");
}

// Matches start only at character starts of the system's ANSI code page. Run once as
// usual (a single-byte page) and once under a Japanese locale (code page 932, where
// 0x83 0x5C is one character whose second byte is a backslash).
TEST_F(AddLinksTest, KeywordsMatchOnlyAtCharacterStartsOfTheSystemCodePage) {
    // The run under the Japanese locale names the code page it must have brought.
    if (const char* expected = std::getenv("TAGLOOM_EXPECT_CODEPAGE")) {
        ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
    }
    driver->insertRow(0, "\\", "L");
    driver->setText(IDC_INPUT, "\x83\x5C and \\");
    addLinks("\x83\x5C and \\");
    if (GetACP() == 932)
        EXPECT_EQ(driver->text(IDC_OUTPUT), "\x83\x5C and <a href=\"L\">\\</a>");
    else
        EXPECT_EQ(driver->text(IDC_OUTPUT), "\x83<a href=\"L\">\\</a> and <a href=\"L\">\\</a>");
}
