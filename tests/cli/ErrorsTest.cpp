// Every error: one line on standard error naming the file or option and the reason, exit
// status 2, nothing on standard output, and every file left exactly as it was (no
// temporary file either).
#include "CaseName.h"
#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct ErrorCase {
    const char* name;
    std::vector<std::string> args;
    std::string message;  // after "tagloom-link: "
    RunSetting setting = {};
};

const std::string noSuchFile = "No such file or directory";

const ErrorCase errorCases[] = {
    // The command line.
    {"unknown_option", {"--bogus", "-o", "out.txt", "a.txt"}, R"(unknown option "--bogus")"},
    {"bad_number", {"--max-per-keyword", "ten", "-o", "out.txt", "a.txt"}, R"(--max-per-keyword: "ten" is not a number)"},
    {"unsupported_code_page", {"--codepage", "65001", "a.txt"},
     R"(--codepage: "65001" is not a supported code page (932, 936, 949, 950, 874, 1250 to 1258))"},
    {"missing_value", {"a.txt", "--table"}, "--table needs a value"},
    {"in_place_without_files", {"--in-place"}, R"(--in-place rewrites files: give at least one FILE, and not "-")"},
    // The table.
    {"missing_table", {"--table", "none.dat", "-o", "out.txt", "a.txt"}, "none.dat: cannot read the keyword table: " + noSuchFile},
    {"missing_default_table", {"-o", "out.txt", "a.txt"}, "tagloom.dat: cannot read the keyword table: " + noSuchFile,
     {}},
    {"table_is_a_folder", {"--table", "sub", "--in-place", "a.txt"}, "sub: cannot read the keyword table: Is a directory"},
    {"missing_table_for_check", {"--check", "--table", "none.dat"}, "none.dat: cannot read the keyword table: " + noSuchFile},
    // The inputs.
    {"missing_input_to_standard_output", {"--table", "t.dat", "a.txt", "none.txt"}, "none.txt: cannot read: " + noSuchFile},
    {"missing_input_to_output_file", {"--table", "t.dat", "-o", "out.txt", "a.txt", "none.txt"},
     "none.txt: cannot read: " + noSuchFile},
    {"input_is_a_folder", {"--table", "t.dat", "-o", "out.txt", "sub"}, "sub: cannot read: Is a directory"},
    {"missing_input_in_place", {"--table", "t.dat", "--in-place", "a.txt", "none.txt"}, "none.txt: cannot read: " + noSuchFile},
    {"folder_in_place", {"--table", "t.dat", "--in-place", "a.txt", "sub"}, "sub: cannot read: Is a directory"},
    // The outputs.
    {"output_in_a_missing_folder", {"--table", "t.dat", "-o", "none/out.txt", "a.txt"}, "none/out.txt: cannot write: " + noSuchFile},
    {"output_is_a_folder", {"--table", "t.dat", "-o", "sub", "a.txt"}, "sub: cannot write: Is a directory"},
    // The output grows beyond what the file system takes: the old file stays whole.
    {"output_file_cut_short", {"--table", "t.dat", "-o", "out.txt", "big.txt"}, "out.txt: cannot write: File too large",
     {.fileSizeLimit = 4096}},
    {"in_place_file_cut_short", {"--table", "t.dat", "--in-place", "a.txt", "big.txt"}, "big.txt: cannot write: File too large",
     {.fileSizeLimit = 4096}},
    {"standard_output_full", {"--table", "t.dat", "a.txt"}, "standard output: cannot write: No space left on device",
     {.standardOutput = "/dev/full"}},
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

class ErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorTest, OneLineStatusTwoNothingTouched) {
    const ErrorCase& c = GetParam();
    const TempFolder folder;
    folder.write("t.dat", "KEYWORD=cat\nLINK=/c\n");
    folder.write("a.txt", "a cat");
    folder.write("out.txt", "old output");
    // Under the file size limit as it is; over it once linked.
    std::string big;
    for (int i = 0; i < 400; ++i) big += "cat cat. ";
    folder.write("big.txt", big);
    fs::create_directory(folder.path() / "sub");
    const auto before = folder.snapshot();

    const ProgramRun run = runTagloomLink(folder, c.args, c.setting);
    EXPECT_EQ(run.err, "tagloom-link: " + c.message + "\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(folder.snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, ErrorTest, testing::ValuesIn(errorCases), CaseName());

}  // namespace
