// The contract: with no option, tagloom-link writes byte for byte what the window's Add
// Links gives for the same table file and text. Checked on the linker's table of cases,
// each written as a table file in the order the window saves it (bottom row first); the
// cases with options run with the matching command-line options.
#include "LinkCases.h"
#include "CaseName.h"
#include "ProgramRun.h"
#include "TableFormat.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The table file that a window showing `entries` top-down saves. Entries with an empty
// keyword cannot be in a table, and change nothing.
std::vector<KeywordEntry> fileOrderOf(const std::vector<KeywordEntry>& entries) {
    std::vector<KeywordEntry> fileOrder;
    for (auto e = entries.rbegin(); e != entries.rend(); ++e)
        if (!e->keyword.empty()) fileOrder.push_back(*e);
    return fileOrder;
}

// The cases that can run through the program: those whose table survives the file and
// whose options have a command-line form (protected ranges are only made by --html).
// Left out: a keyword holding a NUL, and the cases with protected ranges of their own.
std::vector<LinkCase> programCases() {
    std::vector<LinkCase> cases;
    for (const LinkCase& c : linkCases())
        if (c.options.protectedRanges.empty() && std::ranges::all_of(fileOrderOf(c.entries), TableFormat::survivesRoundTrip))
            cases.push_back(c);
    return cases;
}

std::vector<std::string> argumentsOf(const LinkCase& c) {
    std::vector<std::string> args;
    if (c.codePage != 0) args.insert(args.end(), {"--codepage", std::to_string(c.codePage)});
    if (c.options.ignoreCase) args.push_back("--ignore-case");
    if (c.options.wholeWords) args.push_back("--whole-words");
    if (c.options.maxPerEntry != LinkEngine::Options::unlimited)
        args.insert(args.end(), {"--max-per-keyword", std::to_string(c.options.maxPerEntry)});
    return args;
}

class ContractTest : public testing::TestWithParam<LinkCase> {};

TEST_P(ContractTest, SameOutputAsTheWindow) {
    const LinkCase& c = GetParam();
    const bool plain = !c.options.ignoreCase && !c.options.wholeWords && c.options.maxPerEntry == LinkEngine::Options::unlimited;
    if (plain) {
        // The window's own transformation, for the table it would load from this file.
        const CodePage cp = c.codePage == 0 ? CodePage::singleByte() : CodePage::byNumber(c.codePage);
        ASSERT_EQ(LinkInserter::insertLinks(c.text, c.entries, cp), c.expected);
    }

    const TempFolder folder;
    folder.write("tagloom.dat", TableFormat::formatTable(fileOrderOf(c.entries)));
    folder.write("text.txt", c.text);
    std::vector<std::string> args = argumentsOf(c);
    args.push_back("text.txt");
    const ProgramRun run = runTagloomLink(folder, args);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, c.expected);
}

INSTANTIATE_TEST_SUITE_P(LinkCases, ContractTest, testing::ValuesIn(programCases()), CaseName());

// The same through standard input and output, on a case where the table's order matters.
TEST(Contract, StandardInputToStandardOutput) {
    const TempFolder folder;
    // Saved bottom row first: the window shows "New York" on top and applies it first.
    folder.write("tagloom.dat", "CREATOR=TAGLOOM 1.0\r\nKEYWORD=York\r\nLINK=/y\r\n\r\nKEYWORD=New York\r\nLINK=/ny\r\n");
    const ProgramRun run = runTagloomLink(folder, {}, {.input = "New York, York\r\n"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "<a href=\"/ny\">New York</a>, <a href=\"/y\">York</a>\r\n");
}

}  // namespace
