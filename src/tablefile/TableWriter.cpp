// formatTable: entries in file order into the table file's exact bytes.
#include "TableBytes.h"
#include "TableFormat.h"

namespace TableFormat {
namespace {

using namespace internal;

constexpr std::string_view lineEnd = "\r\n";

// Appends a value as a text-mode file receives it: every LF in it becomes CR LF.
void appendValue(std::string& out, std::string_view value) {
    for (std::size_t start = 0;;) {
        const std::size_t lf = value.find(lineFeed, start);
        out.append(value.substr(start, lf - start));
        if (lf == std::string_view::npos) return;
        out.append(lineEnd);
        start = lf + 1;
    }
}

}  // namespace

std::string formatTable(const std::vector<KeywordEntry>& fileOrder) {
    if (fileOrder.empty()) return {};

    // Each entry opens with a line end: after the CREATOR line for the first entry, and
    // for every later one right after the previous LINK line's, which makes the empty line
    // between entries and leaves none at the end.
    std::string bytes(creatorLine);
    for (const KeywordEntry& entry : fileOrder) {
        bytes.append(lineEnd).append(keywordName).push_back('=');
        appendValue(bytes, entry.keyword);
        bytes.append(lineEnd).append(linkName).push_back('=');
        appendValue(bytes, entry.link);
        bytes.append(lineEnd);
    }
    return bytes;
}

}  // namespace TableFormat
