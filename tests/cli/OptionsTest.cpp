// The options through the program, on cases that catch real faults: --html around each
// kind of markup, and the linking options together with it and with each other.
#include "CaseName.h"
#include "ProgramRun.h"
#include "TableFormat.h"

#include <gtest/gtest.h>

namespace {

struct OptionCase {
    const char* name;
    std::vector<std::string> args;
    std::vector<KeywordEntry> fileOrder;  // as in the table file: the last one applies first
    std::string text;
    std::string expected;
};

const std::vector<KeywordEntry> cat = {{"cat", "/c"}};

const OptionCase optionCases[] = {
    // --html leaves markup alone.
    {"html_tags_and_attributes", {"--html"}, cat, R"(<p class="cat" title='cat'>cat</p>)",
     R"(<p class="cat" title='cat'><a href="/c">cat</a></p>)"},
    {"without_html_markup_is_text", {}, {{"class", "/k"}}, R"(<p class="x">class</p>)",
     R"(<p <a href="/k">class</a>="x"><a href="/k">class</a></p>)"},
    {"html_comment", {"--html"}, cat, "<!-- cat -->cat", R"(<!-- cat --><a href="/c">cat</a>)"},
    {"html_script_and_style", {"--html"}, cat, "<script>cat(1 < 2)</script><style>.cat{}</style>cat",
     R"(<script>cat(1 < 2)</script><style>.cat{}</style><a href="/c">cat</a>)"},
    {"html_existing_anchor", {"--html"}, cat, R"(<a href="/x">a cat</a> cat)", R"(<a href="/x">a cat</a> <a href="/c">cat</a>)"},
    {"html_less_than_that_starts_no_tag", {"--html"}, cat, "1 < cat > 0", R"(1 < <a href="/c">cat</a> > 0)"},
    {"html_character_reference", {"--html"}, {{"amp", "/a"}}, "Q&amp;A amp", R"(Q&amp;A <a href="/a">amp</a>)"},
    {"html_no_match_across_a_tag", {"--html"}, {{"New York", "/ny"}}, "New <b>York</b>, New York",
     R"(New <b>York</b>, <a href="/ny">New York</a>)"},
    // The options together.
    {"html_whole_words_see_tags_as_edges", {"--html", "--whole-words"}, cat, "<b>cat</b>s <i>cats</i>",
     R"(<b><a href="/c">cat</a></b>s <i>cats</i>)"},
    {"html_ignore_case_keeps_letters", {"--html", "--ignore-case"}, cat, R"(<A HREF="x">CAT</A> Cat <CAT>)",
     R"(<A HREF="x">CAT</A> <a href="/c">Cat</a> <CAT>)"},
    {"max_per_keyword_with_overlapping_keywords", {"--max-per-keyword", "1"}, {{"York", "/y"}, {"New York", "/ny"}},
     "York New York York", R"(<a href="/y">York</a> <a href="/ny">New York</a> York)"},
    {"max_per_keyword_counts_what_html_leaves", {"--html", "--max-per-keyword=1"}, cat, "<i title=cat>cat</i> cat",
     R"(<i title=cat><a href="/c">cat</a></i> cat)"},
    {"whole_words_ignore_case", {"--whole-words", "--ignore-case"}, cat, "CAT Cats cat_ cAt.", R"(<a href="/c">CAT</a> Cats cat_ <a href="/c">cAt</a>.)"},
    {"whole_words_next_to_two_byte_text_932", {"--whole-words", "--codepage", "932"}, cat, "\x82\xA0" "cat cat",
     "\x82\xA0" "cat <a href=\"/c\">cat</a>"},
    {"html_with_two_byte_text_932", {"--html", "--codepage", "932"}, {{"\\", "/y"}}, "<b>\x83\\</b>\\",
     "<b>\x83\\</b><a href=\"/y\">\\</a>"},
};

void PrintTo(const OptionCase& c, std::ostream* os) { *os << c.name; }

class OptionTest : public testing::TestWithParam<OptionCase> {};

TEST_P(OptionTest, Links) {
    const OptionCase& c = GetParam();
    const TempFolder folder;
    folder.write("tagloom.dat", TableFormat::formatTable(c.fileOrder));
    const ProgramRun run = runTagloomLink(folder, c.args, {.input = c.text});
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, OptionTest, testing::ValuesIn(optionCases), CaseName());

}  // namespace
