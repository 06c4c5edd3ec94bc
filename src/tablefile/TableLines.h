#pragma once
// The table file's lines as they stand in the file, before the reading rules trim, cut
// or drop anything: for tools that explain what loading a table keeps and what it loses
// (parseTable in TableFormat.h gives what it keeps).
//
// For example "KEYWORD=cat \r\nLINK=/c\x1A\r\nLINK=/d" gives three lines:
//   1  "KEYWORD=cat "   read                name "KEYWORD", value "cat ", loaded value "cat"
//   2  "LINK=/c\x1A"    holdsEndOfFileByte  name "LINK",    value "/c\x1A"
//   3  "LINK=/d"        afterEndOfFileByte  name "LINK",    value "/d"
#include <cstddef>
#include <string_view>
#include <vector>

namespace TableFormat {

// What the loader does with a line.
enum class LineFate {
    read,                // read and acted on
    noLineEnd,           // the file's last line, without an LF: dropped unread
    holdsEndOfFileByte,  // holds the first 0x1A byte, where reading stops: dropped
    afterEndOfFileByte,  // comes after that byte: never reached
};

struct TableLine {
    std::size_t number = 0;  // 1 for the file's first line
    std::string_view text;   // the line without its LF and a CR right before that LF
    LineFate fate = LineFate::read;
    // The name as the loader matches it: the trimmed line up to its first "=".
    std::string_view name;
    // Everything after the first "=", NOT trimmed (empty when there is no "="): what the
    // line says.
    std::string_view value;
    // The value as the loader keeps it, without its trailing white space.
    std::string_view loadedValue;

    // Whether nothing is left of the line once it is trimmed.
    bool isBlank() const { return name.empty() && text.find('=') == std::string_view::npos; }
};

// Every line of the file's bytes, the ones that reading never reaches included. An LF
// ends each line; nothing follows a final LF (an empty file, or one that ends in LF, has
// no line after it).
std::vector<TableLine> splitTableLines(std::string_view fileBytes);

}  // namespace TableFormat
