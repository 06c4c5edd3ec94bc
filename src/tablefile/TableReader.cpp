// parseTable: the table file's bytes into entries, in file order.
#include "TableBytes.h"
#include "TableFormat.h"

#include <optional>

namespace TableFormat {
namespace {

using namespace internal;

// The loader's state between lines: the pending entry's keyword and the link that is
// carried from one entry to the next. Both are views into the file's bytes; a link of
// std::nullopt is unknown (set by a LINK line whose value holds a NUL).
class EntryAssembler {
public:
    explicit EntryAssembler(std::vector<KeywordEntry>& entries) : entries_(entries) {}

    void keywordLine(std::string_view value) {
        completePending();
        keyword_ = holdsNul(value) ? std::string_view{} : value;
    }

    void linkLine(std::string_view value) {
        if (holdsNul(value))
            link_.reset();
        else
            link_ = value;
    }

    // Adds the pending entry unless its keyword is empty or its link unknown.
    void completePending() {
        if (!keyword_.empty() && link_) entries_.push_back({std::string(keyword_), std::string(*link_)});
        keyword_ = {};
    }

private:
    static bool holdsNul(std::string_view value) { return value.find(nulByte) != std::string_view::npos; }

    std::vector<KeywordEntry>& entries_;
    std::string_view keyword_;
    std::optional<std::string_view> link_ = std::string_view{};
};

// One line, without its LF: trim, split at the first "=", act on the name.
// The text-mode reading of CR LF as LF needs no step of its own: a CR directly before
// the LF is white space at the line's end and the trim removes it, while a CR anywhere
// else is kept like any other byte.
void processLine(std::string_view line, EntryAssembler& assembler) {
    line = trimTrailingWhiteSpace(line);
    const std::size_t equals = line.find('=');
    const std::string_view name = line.substr(0, equals);
    const std::string_view value = equals == std::string_view::npos ? std::string_view{} : line.substr(equals + 1);
    if (name == keywordName)
        assembler.keywordLine(value);
    else if (name == linkName)
        assembler.linkLine(value);
}

}  // namespace

std::vector<KeywordEntry> parseTable(std::string_view fileBytes) {
    const std::string_view data = fileBytes.substr(0, fileBytes.find(endOfFileByte));

    std::vector<KeywordEntry> entries;
    EntryAssembler assembler(entries);
    // Only lines that end in LF are processed: bytes after the last LF are dropped.
    for (std::size_t start = 0, end; (end = data.find(lineFeed, start)) != std::string_view::npos; start = end + 1)
        processLine(data.substr(start, end - start), assembler);
    assembler.completePending();
    return entries;
}

}  // namespace TableFormat
