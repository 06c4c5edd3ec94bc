#pragma once
// Internal to the table file module: the bytes that the reading rules treat specially.
#include <string_view>

namespace TableFormat::internal {

inline constexpr char lineFeed = '\n';
inline constexpr char endOfFileByte = '\x1A';  // Ctrl-Z: a text-mode reader stops here
inline constexpr char nulByte = '\0';

inline constexpr std::string_view creatorLine = "CREATOR=TAGLOOM 1.0";
inline constexpr std::string_view keywordName = "KEYWORD";
inline constexpr std::string_view linkName = "LINK";

// The white space trimmed from the end of every line read: space and the control bytes
// 0x09 to 0x0D (tab, LF, vertical tab, form feed, CR). Deliberately not std::isspace,
// which depends on the locale and could claim bytes of 0x80 and above.
constexpr bool isTrimmedWhiteSpace(char byte) {
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

constexpr std::string_view trimTrailingWhiteSpace(std::string_view text) {
    while (!text.empty() && isTrimmedWhiteSpace(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace TableFormat::internal
