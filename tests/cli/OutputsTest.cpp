// Where the program reads and writes: standard streams, several files, -o, --in-place,
// the table's path, and --help and --version.
#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

using Snapshot = std::vector<std::pair<std::string, std::string>>;

const std::string table = "CREATOR=TAGLOOM 1.0\r\nKEYWORD=cat\r\nLINK=/c\r\n";
const std::string linkedCat = R"(<a href="/c">cat</a>)";

// A folder with the table and two texts.
class OutputsTest : public testing::Test {
protected:
    OutputsTest() {
        folder.write("tagloom.dat", table);
        folder.write("a.txt", "a cat\n");
        folder.write("b.txt", "b cat\n");
    }
    ProgramRun run(const std::vector<std::string>& args, const std::string& input = "") {
        return runTagloomLink(folder, args, {.input = input});
    }

    TempFolder folder;
};

TEST_F(OutputsTest, StandardInputWhenNoFileIsGiven) {
    const ProgramRun r = run({}, "cat\0cat\r\n\x1A" "cat"s);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, linkedCat + std::string("\0", 1) + linkedCat + "\r\n\x1A" + linkedCat);
}

// A large input is read in pieces side by side: every line, numbered, comes out in its place.
TEST_F(OutputsTest, LargeInputReadWholeAndInOrder) {
    std::string text, expected;
    for (int line = 0; text.size() < (20 << 20); ++line) {
        std::string number = std::to_string(line);
        text.append(number).append(" a cat\n");
        expected.append(number).append(" a ").append(linkedCat).append("\n");
    }
    folder.write("large.txt", text);
    const ProgramRun r = run({"large.txt"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(r.out == expected) << "the output differs from the expected " << expected.size() << " bytes";
}

TEST_F(OutputsTest, FilesOneAfterTheOtherWithDashForStandardInput) {
    const ProgramRun r = run({"a.txt", "-", "b.txt"}, "- cat\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "a " + linkedCat + "\n- " + linkedCat + "\nb " + linkedCat + "\n");
}

TEST_F(OutputsTest, OutputFileReplacedAndNothingElseWritten) {
    folder.write("out.html", "old content that is longer than the new one");
    fs::permissions(folder.path() / "out.html", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const ProgramRun r = run({"-o", "out.html", "a.txt", "b.txt"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(folder.snapshot(), (Snapshot{{"a.txt", "a cat\n"},
                                           {"b.txt", "b cat\n"},
                                           {"out.html", "a " + linkedCat + "\nb " + linkedCat + "\n"},
                                           {"tagloom.dat", table}}));
    EXPECT_EQ(fs::status(folder.path() / "out.html").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(OutputsTest, OutputFileCreatedAndMayBeAnInput) {
    EXPECT_EQ(run({"--output=new.html", "a.txt"}).status, 0);
    EXPECT_EQ(folder.read("new.html"), "a " + linkedCat + "\n");
    EXPECT_EQ(run({"-oa.txt", "a.txt"}).status, 0);
    EXPECT_EQ(folder.read("a.txt"), "a " + linkedCat + "\n");
}

TEST_F(OutputsTest, OutputDashIsStandardOutput) {
    const ProgramRun r = run({"-o", "-", "a.txt"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "a " + linkedCat + "\n");
    EXPECT_FALSE(fs::exists(folder.path() / "-"));
}

TEST_F(OutputsTest, OutputToADeviceIsWrittenDirectly) {
    EXPECT_EQ(run({"-o", "/dev/null", "a.txt"}).status, 0);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(OutputsTest, InPlaceRewritesEachFileWithItsOwnOutput) {
    const ProgramRun r = run({"--in-place", "a.txt", "b.txt"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(folder.snapshot(), (Snapshot{{"a.txt", "a " + linkedCat + "\n"}, {"b.txt", "b " + linkedCat + "\n"}, {"tagloom.dat", table}}));
}

TEST_F(OutputsTest, InPlaceThroughASymbolicLinkKeepsTheLink) {
    fs::create_symlink("a.txt", folder.path() / "link.txt");
    EXPECT_EQ(run({"--in-place", "link.txt"}).status, 0);
    EXPECT_TRUE(fs::is_symlink(folder.path() / "link.txt"));
    EXPECT_EQ(folder.read("a.txt"), "a " + linkedCat + "\n");
}

TEST_F(OutputsTest, TableFromAnotherPath) {
    fs::create_directory(folder.path() / "site");
    folder.write("site/t.dat", "KEYWORD=a\nLINK=/a\n");
    const ProgramRun r = run({"--table", "site/t.dat", "a.txt"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, R"(<a href="/a">a</a> c<a href="/a">a</a>t)" "\n");
}

TEST_F(OutputsTest, AnEmptyTableCopiesTheText) {
    folder.write("tagloom.dat", "");
    EXPECT_EQ(run({"a.txt"}).out, "a cat\n");
}

TEST_F(OutputsTest, HelpAndVersion) {
    const ProgramRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_TRUE(help.out.starts_with("Usage: tagloom-link [OPTION]... [FILE]...\n")) << help.out;
    for (const char* option : {"--table", "--output", "--in-place", "--codepage", "--html", "--whole-words", "--ignore-case",
                               "--max-per-keyword", "--check", "--help", "--version"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    EXPECT_EQ(run({"-h"}).out, help.out);

    const ProgramRun version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "tagloom-link (Tagloom) " TAGLOOM_VERSION "\n");
}

}  // namespace
