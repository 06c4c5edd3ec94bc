// A whole editing session as a user works it: build a table with Add, pick an entry and
// change its link, remove one, then run Add Links with the table and read the output.
#include "EntryCommandsFixture.h"

#include <algorithm>

namespace {

// The row that holds `keyword`; the test fails if there is none.
int rowOf(const Rows& rows, const std::string& keyword) {
    auto found = std::find_if(rows.begin(), rows.end(), [&](const Row& row) { return row.first == keyword; });
    EXPECT_NE(found, rows.end()) << keyword;
    return static_cast<int>(found - rows.begin());
}

}  // namespace

class EditingSessionTest : public EntryCommandsTest {};

TEST_F(EditingSessionTest, AWholeSessionBuildsATableEditsItAndLinksWithIt) {
    add("cat", "/cat.html");
    add("dog", "/dogs.htm");  // a typo, put right below
    add("bird", "/bird.html");
    add("New York", "/ny.html");
    add("York", "/york.html");
    EXPECT_EQ(driver->text(IDC_COUNT), "5");

    pick(rowOf(driver->rows(), "dog"));
    EXPECT_EQ(driver->text(IDC_LINK), "/dogs.htm");
    driver->setText(IDC_LINK, "/dog.html");
    press(IDC_UPDATE);

    pick(rowOf(driver->rows(), "bird"));
    press(IDC_REMOVE);

    EXPECT_EQ(driver->rows(), (Rows{{"York", "/york.html"},
                                    {"New York", "/ny.html"},
                                    {"dog", "/dog.html"},
                                    {"cat", "/cat.html"}}));
    EXPECT_EQ(driver->text(IDC_COUNT), "4");

    const std::string page = "My cat and my dog watch a bird.\r\nWe love New York.";
    driver->setText(IDC_INPUT, page);
    driver->click(IDC_ADD_LINKS);
    ShownBox done = driver->waitForBox();
    EXPECT_EQ(done.text, "Your links have been added.\r\n");
    driver->answer(done, IDOK);
    driver->settle();

    // "York" is the top row, so it is linked first, inside "New York", which then no
    // longer occurs; the removed "bird" stays plain.
    EXPECT_EQ(driver->text(IDC_OUTPUT),
              "My <a href=\"/cat.html\">cat</a> and my <a href=\"/dog.html\">dog</a> watch a bird.\r\n"
              "We love New <a href=\"/york.html\">York</a>.");
    EXPECT_EQ(driver->text(IDC_INPUT), page);
}
