// The entry commands in the window: Add, Update and Remove, and a click in the list that
// picks an entry into the Keyword and Link boxes. Clicks in the list are real mouse
// messages, so the list itself moves its selection mark as it would for a person.
#include "EntryCommandsFixture.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr char kAlreadyInList[] = "This entry is already in the list.\r\nDo you really want to add this item?";

}  // namespace

// --- Add ---------------------------------------------------------------------------------

TEST_F(EntryCommandsTest, TwoAddsPutTheNewerOnTopAndTheBoxesKeepIt) {
    add("apple", "/apple.html");
    add("banana", "/banana.html");
    EXPECT_EQ(driver->rows(), (Rows{{"banana", "/banana.html"}, {"apple", "/apple.html"}}));
    EXPECT_EQ(driver->text(IDC_COUNT), "2");
    EXPECT_EQ(driver->text(IDC_KEYWORD), "banana");
    EXPECT_EQ(driver->text(IDC_LINK), "/banana.html");
}

TEST_F(EntryCommandsTest, AKeywordOfBlanksAndAnEmptyLinkAreAdded) {
    add("  ", "");
    EXPECT_EQ(driver->rows(), (Rows{{"  ", ""}}));
    EXPECT_EQ(driver->text(IDC_COUNT), "1");
}

TEST_F(EntryCommandsTest, AddWithAnEmptyKeywordSaysSoAndKeepsTheTypedLink) {
    add("apple", "/apple.html");
    type("", "/typed.html");
    ShownBox box = pressForBox(IDC_ADD);
    EXPECT_EQ(box.text, "Course Name Blank.\r\nNo entry added.");
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_FALSE(box.hasIcon);
    EXPECT_EQ(box.owner, driver->window());
    EXPECT_FALSE(IsWindowEnabled(driver->window()));
    driver->answer(box, IDOK);

    driver->settle();
    EXPECT_EQ(driver->rows(), (Rows{{"apple", "/apple.html"}}));
    EXPECT_EQ(driver->text(IDC_COUNT), "1");
    EXPECT_EQ(driver->text(IDC_KEYWORD), "");
    EXPECT_EQ(driver->text(IDC_LINK), "/typed.html");
}

TEST_F(EntryCommandsTest, AddingAKeywordThatIsThereAsksAndOnlyYesAddsIt) {
    add("cat", "/old.html");
    type("cat", "/new.html");  // the link takes no part in the comparison

    ShownBox question = pressForBox(IDC_ADD);
    EXPECT_EQ(question.text, kAlreadyInList);
    EXPECT_EQ(question.caption, applicationTitle());
    EXPECT_EQ(question.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(question.defaultButton, IDYES);
    EXPECT_EQ(question.icon, LoadIconA(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(question.owner, driver->window());
    EXPECT_FALSE(IsWindowEnabled(driver->window()));
    driver->answer(question, IDNO);
    driver->settle();
    EXPECT_EQ(driver->rows(), (Rows{{"cat", "/old.html"}}));
    EXPECT_EQ(driver->text(IDC_COUNT), "1");
    EXPECT_EQ(driver->text(IDC_KEYWORD), "cat");
    EXPECT_EQ(driver->text(IDC_LINK), "/new.html");

    // Enter answers with the default button.
    pressForBox(IDC_ADD);
    driver->pressKey(driver->focusedControl(), VK_RETURN);
    EXPECT_TRUE(eventually([&] { return driver->otherWindows().empty(); }));
    driver->settle();
    EXPECT_EQ(driver->rows(), (Rows{{"cat", "/new.html"}, {"cat", "/old.html"}}));
    EXPECT_EQ(driver->text(IDC_COUNT), "2");
}

TEST_F(EntryCommandsTest, AKeywordThatDiffersInCaseOrByATrailingBlankIsAddedWithoutAQuestion) {
    struct Case {
        const char* existing;
        const char* added;
    } cases[] = {
        {"Cat", "cat"},
        {"cat", "caT"},
        {"cat", "cat "},
        {"cat ", "cat"},
    };
    for (const Case& c : cases) {
        add(c.existing, "/1");
        add(c.added, "/2");  // fails if a question opens
        EXPECT_EQ(driver->rows(), (Rows{{c.added, "/2"}, {c.existing, "/1"}})) << c.existing << "|" << c.added;
        reopenWithEmptyTable();
    }
}

// --- Picking an entry ----------------------------------------------------------------------

TEST_F(EntryCommandsTest, AClickOnARowLoadsItIntoTheBoxesAndLeavesInputAndOutput) {
    addFruit();
    driver->setText(IDC_INPUT, "typed input");
    driver->setText(IDC_OUTPUT, "typed output");
    for (int row : {1, 0, 2}) {
        pick(row);
        EXPECT_EQ(driver->text(IDC_KEYWORD), kFruit[row].first) << row;
        EXPECT_EQ(driver->text(IDC_LINK), kFruit[row].second) << row;
    }
    EXPECT_EQ(driver->text(IDC_INPUT), "typed input");
    EXPECT_EQ(driver->text(IDC_OUTPUT), "typed output");
}

// Below the last row there is no row to hit: the boxes show whatever row the list's
// selection mark names after the click, and are emptied when it names none.
TEST_F(EntryCommandsTest, AClickBelowTheLastRowLoadsTheRowAtTheSelectionMark) {
    addFruit();
    type("typed", "/typed.html");
    clickBelowTheRows();
    EXPECT_EQ(driver->selectionMark(), -1);  // nothing was ever selected
    EXPECT_EQ(driver->text(IDC_KEYWORD), "");
    EXPECT_EQ(driver->text(IDC_LINK), "");

    pick(1);
    type("typed", "/typed.html");
    clickBelowTheRows();
    expectBoxesShowRowAtMark();
    EXPECT_EQ(driver->rows(), kFruit);
}

TEST_F(EntryCommandsTest, AClickInAnEmptyListEmptiesTheBoxes) {
    type("typed", "/typed.html");
    clickBelowTheRows();
    EXPECT_EQ(driver->text(IDC_KEYWORD), "");
    EXPECT_EQ(driver->text(IDC_LINK), "");
    EXPECT_EQ(driver->rowCount(), 0);
}

TEST_F(EntryCommandsTest, AClickOnAColumnHeadingRunsNothingAndDoesNotSort) {
    add("b-second", "/2");
    add("c-first", "/1");
    add("a-third", "/3");
    Rows unsorted = driver->rows();
    pick(1);
    type("typed", "/typed.html");

    ListNotifications notifications(*driver);
    for (int column : {0, 1}) clickHeading(column);
    driver->settle();
    EXPECT_EQ(notifications.count(LVN_COLUMNCLICK), 2);  // the clicks did arrive
    EXPECT_EQ(notifications.count(NM_CLICK), 0);
    EXPECT_EQ(driver->rows(), unsorted);
    EXPECT_EQ(driver->text(IDC_KEYWORD), "typed");
    EXPECT_EQ(driver->text(IDC_LINK), "/typed.html");
}

// --- Update --------------------------------------------------------------------------------

TEST_F(EntryCommandsTest, UpdateRewritesThePickedRowInPlaceAndEmptiesTheBoxes) {
    addFruit();
    pick(1);
    driver->setText(IDC_LINK, "/better-banana.html");
    press(IDC_UPDATE);
    EXPECT_EQ(driver->rows(), (Rows{kFruit[0], {"banana", "/better-banana.html"}, kFruit[2]}));
    EXPECT_EQ(driver->text(IDC_KEYWORD), "");
    EXPECT_EQ(driver->text(IDC_LINK), "");
    EXPECT_EQ(driver->text(IDC_COUNT), "3");

    pick(2);
    type("apricot", "");  // an empty link empties the cell
    press(IDC_UPDATE);
    EXPECT_EQ(driver->rows(), (Rows{kFruit[0], {"banana", "/better-banana.html"}, {"apricot", ""}}));
}

TEST_F(EntryCommandsTest, UpdateToAKeywordAnotherRowHasAsksNothing) {
    addFruit();
    pick(0);
    driver->setText(IDC_KEYWORD, "apple");
    press(IDC_UPDATE);
    EXPECT_TRUE(driver->otherWindows().empty());
    EXPECT_EQ(driver->rows(), (Rows{{"apple", kFruit[0].second}, kFruit[1], kFruit[2]}));
}

TEST_F(EntryCommandsTest, UpdateWithAnEmptyKeywordChangesNoRowAndStillEmptiesTheBoxes) {
    addFruit();
    pick(1);
    type("", "/typed.html");
    press(IDC_UPDATE);
    EXPECT_TRUE(driver->otherWindows().empty());
    EXPECT_EQ(driver->rows(), kFruit);
    EXPECT_EQ(driver->text(IDC_KEYWORD), "");
    EXPECT_EQ(driver->text(IDC_LINK), "");
}

// --- Remove --------------------------------------------------------------------------------

TEST_F(EntryCommandsTest, RemoveDeletesThePickedRowAndTheBoxesKeepItForAnAddBack) {
    addFruit();
    pick(1);
    press(IDC_REMOVE);
    EXPECT_TRUE(driver->otherWindows().empty());  // no confirmation
    EXPECT_EQ(driver->rows(), (Rows{kFruit[0], kFruit[2]}));
    EXPECT_EQ(driver->text(IDC_COUNT), "2");
    EXPECT_EQ(driver->text(IDC_KEYWORD), "banana");
    EXPECT_EQ(driver->text(IDC_LINK), kFruit[1].second);

    press(IDC_ADD);
    EXPECT_EQ(driver->rows(), (Rows{kFruit[1], kFruit[0], kFruit[2]}));
    EXPECT_EQ(driver->text(IDC_COUNT), "3");
}

TEST_F(EntryCommandsTest, BeforeAnyRowWasSelectedRemoveAndUpdateChangeNoRow) {
    addFruit();
    ASSERT_EQ(driver->selectionMark(), -1);

    press(IDC_REMOVE);
    EXPECT_EQ(driver->rows(), kFruit);
    EXPECT_EQ(driver->text(IDC_COUNT), "3");

    type("typed", "/typed.html");
    press(IDC_UPDATE);
    EXPECT_EQ(driver->rows(), kFruit);
    EXPECT_EQ(driver->text(IDC_KEYWORD), "");
    EXPECT_EQ(driver->text(IDC_LINK), "");
}

// --- Which row: the selection mark, nothing else --------------------------------------------

// The arrow keys move the selection mark without loading anything into the boxes: Update
// then writes the boxes into the row the mark names, not the one they came from.
TEST_F(EntryCommandsTest, UpdateActsOnTheSelectionMarkNotOnTheLastPickedRow) {
    addFruit();
    pick(0);
    driver->pressKey(driver->control(IDC_KEYWORD_LIST), VK_DOWN);
    driver->settle();
    ASSERT_EQ(driver->selectionMark(), 1);
    EXPECT_EQ(driver->text(IDC_KEYWORD), "cherry");  // the arrow key loaded nothing

    press(IDC_UPDATE);
    EXPECT_EQ(driver->rows(), (Rows{kFruit[0], kFruit[0], kFruit[2]}));
}

// After a Remove no row is highlighted, but the list may keep a selection mark; each
// further Remove deletes the row at the mark, wherever the list put it.
TEST_F(EntryCommandsTest, RemoveFollowsTheSelectionMarkEvenWithNoRowHighlighted) {
    addFruit();
    add("date", "/date.html");
    pick(1);
    for (int presses = driver->rowCount(); presses > 0; --presses) {
        int mark = driver->selectionMark();
        Rows expected = driver->rows();
        if (mark >= 0 && mark < static_cast<int>(expected.size())) expected.erase(expected.begin() + mark);
        press(IDC_REMOVE);
        ASSERT_EQ(driver->rows(), expected) << "mark " << mark;
        if (mark < 0) break;  // nothing left to follow
    }
}

// A row picked before an Add moves down with the new top row; Update still reaches the
// row the mark names.
TEST_F(EntryCommandsTest, UpdateAfterAnAddChangesTheRowAtTheMark) {
    addFruit();
    pick(1);
    add("date", "/date.html");
    int mark = driver->selectionMark();
    type("fig", "/fig.html");
    press(IDC_UPDATE);
    Rows rows = driver->rows();
    ASSERT_EQ(rows.size(), 4u);
    ASSERT_GE(mark, 0);
    EXPECT_EQ(rows[static_cast<size_t>(mark)], (Row{"fig", "/fig.html"}));
    EXPECT_EQ(std::count(rows.begin(), rows.end(), Row{"fig", "/fig.html"}), 1);
}

// A click below the rows takes the highlight away, while the list may keep its mark:
// Update still writes into the row the mark names.
TEST_F(EntryCommandsTest, UpdateActsOnTheSelectionMarkWithNoRowHighlighted) {
    addFruit();
    pick(1);
    clickBelowTheRows();
    HWND list = driver->control(IDC_KEYWORD_LIST);
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
    int mark = driver->selectionMark();
    ASSERT_GE(mark, 0) << "the list forgot its mark: nothing left to check";

    type("fig", "/fig.html");
    press(IDC_UPDATE);
    Rows expected = kFruit;
    expected[static_cast<size_t>(mark)] = {"fig", "/fig.html"};
    EXPECT_EQ(driver->rows(), expected);
}
