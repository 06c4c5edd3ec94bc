#pragma once
// --check: what loading a table file loses or changes of what the file says, and
// duplicate keywords. The window loads a table by the same rules, and its save writes
// back only what it loaded, so these are also what a save and reload in the window would
// change or lose.
//
// One finding per entry, or per line for lines outside entries, each naming the entry:
//   3: entry "cat " -> "/c": trailing white space, trimmed away when the table is loaded
//   5: entry "cat" -> "/d": duplicate keyword, also on line 1; the entry lower in the file is applied first
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct TableFinding {
    std::size_t line = 0;  // 1 for the file's first line
    std::string message;
};

// In the order of their lines. None for a table that loads exactly as written.
std::vector<TableFinding> checkTable(std::string_view fileBytes);

// The bytes as a double-quoted text on one line: \" \\ and control bytes escaped
// ("\t", "\r", "\n", "\0", "\x1A"); bytes of 0x80 and above as they are.
std::string quotedForMessage(std::string_view bytes);
