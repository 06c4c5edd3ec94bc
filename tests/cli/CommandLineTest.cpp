// The command line: how each option is taken, and every way it can be wrong.
#include "CommandLine.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::string>;

ParsedCommandLine parse(const Args& args) { return parseCommandLine(args); }

// --- Good command lines: the settings they give. ---

struct Expected {
    CliAction action = CliAction::link;
    Args inputs = {};
    std::optional<std::string> outputPath = {};
    bool inPlace = false;
    std::string tablePath = "tagloom.dat";
    unsigned codePage = 0;
    bool html = false;
    bool ignoreCase = false;
    bool wholeWords = false;
    std::size_t maxPerEntry = LinkEngine::Options::unlimited;
};

struct GoodCase {
    const char* what;
    Args args;
    Expected expected;
};

const GoodCase goodCases[] = {
    {"nothing: standard input to standard output with tagloom.dat", {}, {}},
    {"files in order", {"a.txt", "b.txt"}, {.inputs = {"a.txt", "b.txt"}}},
    {"- is standard input, also among files", {"a", "-", "b"}, {.inputs = {"a", "-", "b"}}},
    {"every flag", {"--html", "--whole-words", "--ignore-case", "x"},
     {.inputs = {"x"}, .html = true, .ignoreCase = true, .wholeWords = true}},
    {"values as the next argument", {"--table", "t.dat", "--codepage", "932", "--max-per-keyword", "3", "-o", "out"},
     {.outputPath = "out", .tablePath = "t.dat", .codePage = 932, .maxPerEntry = 3}},
    {"values after =", {"--table=t=1.dat", "--codepage=949", "--max-per-keyword=0", "--output=out"},
     {.outputPath = "out", .tablePath = "t=1.dat", .codePage = 949, .maxPerEntry = 0}},
    {"-o joined to its value", {"-oout.html"}, {.outputPath = "out.html"}},
    {"a value may start with -", {"--table", "-t.dat", "-o", "-"}, {.outputPath = "-", .tablePath = "-t.dat"}},
    {"an empty value after =", {"--table="}, {.tablePath = ""}},
    {"the last of a repeated option wins", {"--table", "a", "--table", "b", "--codepage", "932", "--codepage", "1252"},
     {.tablePath = "b", .codePage = 1252}},
    {"single-byte code pages are accepted", {"--codepage", "874"}, {.codePage = 874}},
    {"-- ends the options", {"--", "--html", "-o"}, {.inputs = {"--html", "-o"}}},
    {"--in-place with files", {"--in-place", "a", "b"}, {.inputs = {"a", "b"}, .inPlace = true}},
    {"--check with a table", {"--check", "--table", "t.dat"}, {.action = CliAction::check, .tablePath = "t.dat"}},
    {"a number with leading zeros", {"--max-per-keyword", "007"}, {.maxPerEntry = 7}},
    // --help and --version act at once: what follows them is not even looked at.
    {"--help", {"--help"}, {.action = CliAction::help}},
    {"-h", {"-h", "--bogus"}, {.action = CliAction::help}},
    {"--version before an error", {"--version", "--codepage", "x"}, {.action = CliAction::version}},
    {"--help wins over a bad combination", {"--in-place", "--help"}, {.action = CliAction::help, .inPlace = true}},
};

TEST(CommandLine, GoodCommandLines) {
    for (const GoodCase& c : goodCases) {
        SCOPED_TRACE(c.what);
        const ParsedCommandLine parsed = parse(c.args);
        ASSERT_EQ(parsed.error, "");
        const CliSettings& s = parsed.settings;
        const Expected& e = c.expected;
        EXPECT_EQ(s.action, e.action);
        EXPECT_EQ(s.inputs, e.inputs);
        EXPECT_EQ(s.outputPath, e.outputPath);
        EXPECT_EQ(s.inPlace, e.inPlace);
        EXPECT_EQ(s.tablePath, e.tablePath);
        EXPECT_EQ(s.codePage, e.codePage);
        EXPECT_EQ(s.html, e.html);
        EXPECT_EQ(s.linking.ignoreCase, e.ignoreCase);
        EXPECT_EQ(s.linking.wholeWords, e.wholeWords);
        EXPECT_EQ(s.linking.maxPerEntry, e.maxPerEntry);
        EXPECT_TRUE(s.linking.protectedRanges.empty());
    }
}

// --- Bad command lines: the message, which names the option. ---

struct BadCase {
    Args args;
    const char* error;
};

const BadCase badCases[] = {
    {{"--bogus"}, R"(unknown option "--bogus")"},
    {{"--bogus=1"}, R"(unknown option "--bogus")"},
    {{"-x"}, R"(unknown option "-x")"},
    {{"-hx"}, R"(unknown option "-hx")"},
    {{"--HTML"}, R"(unknown option "--HTML")"},
    {{"--htm"}, R"(unknown option "--htm")"},
    {{"--html=yes"}, "--html takes no value"},
    {{"--help=1"}, "--help takes no value"},
    {{"--table"}, "--table needs a value"},
    {{"x", "-o"}, "-o needs a value"},
    {{"--max-per-keyword", "many"}, R"(--max-per-keyword: "many" is not a number)"},
    {{"--max-per-keyword", "-1"}, R"(--max-per-keyword: "-1" is not a number)"},
    {{"--max-per-keyword", "+1"}, R"(--max-per-keyword: "+1" is not a number)"},
    {{"--max-per-keyword", " 1"}, R"(--max-per-keyword: " 1" is not a number)"},
    {{"--max-per-keyword", "1x"}, R"(--max-per-keyword: "1x" is not a number)"},
    {{"--max-per-keyword="}, R"(--max-per-keyword: "" is not a number)"},
    {{"--max-per-keyword", "99999999999999999999999"}, R"(--max-per-keyword: "99999999999999999999999" is not a number)"},
    {{"--codepage", "sjis"}, R"(--codepage: "sjis" is not a number)"},
    {{"--codepage", "65001"},
     R"(--codepage: "65001" is not a supported code page (932, 936, 949, 950, 874, 1250 to 1258))"},
    {{"--codepage", "0"}, R"(--codepage: "0" is not a supported code page (932, 936, 949, 950, 874, 1250 to 1258))"},
    {{"--in-place", "-o", "out", "a"}, "--in-place and -o cannot be used together"},
    {{"--in-place"}, R"(--in-place rewrites files: give at least one FILE, and not "-")"},
    {{"--in-place", "a", "-"}, R"(--in-place rewrites files: give at least one FILE, and not "-")"},
    {{"--check", "a.txt"}, "--check reads the table only: it takes no FILE, -o or --in-place"},
    {{"--check", "-o", "out"}, "--check reads the table only: it takes no FILE, -o or --in-place"},
    // The first error is the one reported.
    {{"--codepage", "x", "--bogus"}, R"(--codepage: "x" is not a number)"},
};

TEST(CommandLine, BadCommandLines) {
    for (const BadCase& c : badCases) EXPECT_EQ(parse(c.args).error, c.error) << testing::PrintToString(c.args);
}

}  // namespace
