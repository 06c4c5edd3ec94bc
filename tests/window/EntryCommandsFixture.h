#pragma once
// Tests of the keyword table's editing in the window: typing an entry, pressing the
// entry buttons and clicking in the list, each step finished before the next.
#include "WindowFixture.h"

#include <string>
#include <utility>
#include <vector>

using Row = std::pair<std::string, std::string>;  // (keyword, link)
using Rows = std::vector<Row>;

class EntryCommandsTest : public WindowTest {
protected:
    // Three entries as addFruit() leaves them, top row first.
    static const Rows kFruit;

    // Closes the window and opens it again on an empty table.
    void reopenWithEmptyTable();

    void type(const std::string& keyword, const std::string& link);
    // Presses a button and waits until the command has run; a box it opens stays open.
    void press(int button);
    ShownBox pressForBox(int button);
    // Types the entry and presses Add; a box that opens is a failure, and is dismissed.
    void add(const std::string& keyword, const std::string& link);
    void addFruit();

    // Real clicks in the list: on a row, in the empty space below the rows, on a heading.
    void pick(int row);
    void clickBelowTheRows();
    void clickHeading(int column);

    // The Keyword and Link boxes hold the row at the list's selection mark, or nothing
    // when the mark names no row.
    void expectBoxesShowRowAtMark();
};

// Counts the notifications that the keyword list sends to the main window while it lives.
class ListNotifications {
public:
    explicit ListNotifications(const DialogDriver& driver);
    ~ListNotifications();
    ListNotifications(const ListNotifications&) = delete;
    ListNotifications& operator=(const ListNotifications&) = delete;

    int count(UINT code) const;

private:
    HHOOK m_hook;
};
