// --check through the program: the report on standard output, one line per finding with
// the table's path and line, and the exit status that tells a script whether to worry.
#include "ProgramRun.h"

#include <gtest/gtest.h>

namespace {

TEST(CheckProgram, ReportsEachKindOfProblemAndExitsWithOne) {
    const TempFolder folder;
    const std::string table =
        "CREATOR=TAGLOOM 1.0\r\n"
        "KEYWORD=cat \r\nLINK=/c\r\n\r\n"     // 2: trailing white space
        "KEYWORD=   \r\nLINK=/blank\r\n\r\n"  // 5: a blank keyword
        "Keyword=dog\r\n"                     // 8: ignored
        "KEYWORD=cat\r\nLINK=/c2\r\n"         // 9: a duplicate of line 2
        "KEYWORD=a\x1A" "b\r\nLINK=/ab\r\n";  // 11: 0x1A
    folder.write("t.dat", table);
    const ProgramRun run = runTagloomLink(folder, {"--check", "--table", "t.dat"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "t.dat:2: entry \"cat \" -> \"/c\": trailing white space, trimmed away when the table is loaded\n"
              "t.dat:5: entry \"   \" -> \"/blank\": a blank keyword: the entry is dropped when the table is loaded\n"
              "t.dat:8: line \"Keyword=dog\" is ignored: it is no KEYWORD or LINK line\n"
              "t.dat:9: entry \"cat\" -> \"/c2\": duplicate keyword, also on line 2; the entry lower in the file is applied first\n"
              "t.dat:11: entry \"a\\x1Ab\" -> \"/c2\": a 0x1A byte, where loading stops: the rest of the file is lost\n");
    EXPECT_EQ(folder.read("t.dat"), table);
}

TEST(CheckProgram, ACleanTableSaysNothingAndExitsWithZero) {
    const TempFolder folder;
    folder.write("tagloom.dat", "CREATOR=TAGLOOM 1.0\r\nKEYWORD=cat\r\nLINK=/c\r\n\r\nKEYWORD=dog\r\nLINK=\r\n");
    const ProgramRun run = runTagloomLink(folder, {"--check"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
}

}  // namespace
