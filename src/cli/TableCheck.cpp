#include "TableCheck.h"

#include "TableFormat.h"
#include "TableLines.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>

namespace {

using TableFormat::LineFate;
using TableFormat::RoundTripLoss;
using TableFormat::TableLine;

std::string describeLoss(RoundTripLoss loss) {
    switch (loss) {
    case RoundTripLoss::none: break;
    case RoundTripLoss::endOfFileByte: return "a 0x1A byte, where loading stops: the rest of the file is lost";
    case RoundTripLoss::lineFeed: return "a line feed, which a save turns into a line end of its own";
    case RoundTripLoss::nulByte: return "a NUL byte: the entry is dropped when the table is loaded";
    case RoundTripLoss::blankKeyword: return "a blank keyword: the entry is dropped when the table is loaded";
    case RoundTripLoss::trailingWhiteSpace: return "trailing white space, trimmed away when the table is loaded";
    }
    return {};
}

std::string describeEntry(const KeywordEntry& entry) {
    return "entry " + quotedForMessage(entry.keyword) + " -> " + quotedForMessage(entry.link);
}

// Walks the lines as the loader does, but on the untrimmed values: an entry is a KEYWORD
// line's value with the link that the loader would give it (the last LINK line since, or
// the one carried over from the entry before). Each entry is judged by roundTripLoss.
class TableChecker {
public:
    std::vector<TableFinding> run(std::string_view fileBytes) {
        for (const TableLine& line : TableFormat::splitTableLines(fileBytes)) {
            if (line.fate == LineFate::afterEndOfFileByte) break;
            if (line.fate == LineFate::noLineEnd) {
                if (!line.isBlank())
                    report(line.number, "last line " + quotedForMessage(line.text) + " has no line end: it is never loaded");
                break;
            }
            take(line);
            if (line.fate == LineFate::holdsEndOfFileByte) break;
        }
        completePending();
        std::ranges::stable_sort(findings_, {}, &TableFinding::line);
        return std::move(findings_);
    }

private:
    struct PendingEntry {
        std::size_t line;
        std::string_view keyword;
        std::string_view loadedKeyword;
        std::size_t linkLine = 0;  // its own LINK line, if it has one yet
    };

    void take(const TableLine& line) {
        if (line.name == "KEYWORD") {
            completePending();
            pending_ = PendingEntry{line.number, line.value, line.loadedValue};
        } else if (line.name == "LINK") {
            if (pending_ && pending_->linkLine != 0)
                report(pending_->linkLine, describeEntry({std::string(pending_->keyword), std::string(link_)}) +
                                               ": its link is replaced by the LINK line " + std::to_string(line.number));
            link_ = line.value;
            if (pending_) pending_->linkLine = line.number;
        } else if (line.fate == LineFate::holdsEndOfFileByte) {
            report(line.number, "line " + quotedForMessage(line.text) + " holds a 0x1A byte, where loading stops: the rest of the file is lost");
        } else if (!line.isBlank() && line.name != "CREATOR") {
            report(line.number, "line " + quotedForMessage(line.text) + " is ignored: it is no KEYWORD or LINK line");
        }
    }

    void completePending() {
        if (!pending_) return;
        const KeywordEntry entry{std::string(pending_->keyword), std::string(link_)};
        const RoundTripLoss loss = TableFormat::roundTripLoss(entry);
        if (loss != RoundTripLoss::none) report(pending_->line, describeEntry(entry) + ": " + describeLoss(loss));
        if (loss == RoundTripLoss::none || loss == RoundTripLoss::trailingWhiteSpace) checkDuplicate(entry);
        pending_.reset();
    }

    // Keywords compare as loaded, trimmed.
    void checkDuplicate(const KeywordEntry& entry) {
        const auto [first, added] = firstLineOf_.try_emplace(std::string(pending_->loadedKeyword), pending_->line);
        if (!added)
            report(pending_->line, describeEntry(entry) + ": duplicate keyword, also on line " + std::to_string(first->second) +
                                       "; the entry lower in the file is applied first");
    }

    void report(std::size_t line, std::string message) { findings_.push_back({line, std::move(message)}); }

    std::optional<PendingEntry> pending_;
    std::string_view link_;  // the link that the next entry takes unless it has a LINK line
    std::map<std::string, std::size_t> firstLineOf_;
    std::vector<TableFinding> findings_;
};

}  // namespace

std::vector<TableFinding> checkTable(std::string_view fileBytes) { return TableChecker().run(fileBytes); }

std::string quotedForMessage(std::string_view bytes) {
    std::string quoted = "\"";
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') quoted.append({'\\', c});
        else if (c == '\t') quoted += "\\t";
        else if (c == '\r') quoted += "\\r";
        else if (c == '\n') quoted += "\\n";
        else if (c == '\0') quoted += "\\0";
        else if (b < 0x20 || b == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", b);
            quoted += escaped;
        } else quoted += c;
    }
    return quoted + "\"";
}
