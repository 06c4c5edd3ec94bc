#pragma once
// Entries as (keyword, link) pairs, which GoogleTest compares and prints with every
// control byte escaped, so a failing case shows exactly which bytes differ.
#include "TableFormat.h"

#include <string>
#include <utility>
#include <vector>

using Rows = std::vector<std::pair<std::string, std::string>>;

inline Rows rowsOf(const std::vector<KeywordEntry>& entries) {
    Rows rows;
    for (const KeywordEntry& entry : entries) rows.emplace_back(entry.keyword, entry.link);
    return rows;
}

inline std::vector<KeywordEntry> entriesOf(const Rows& rows) {
    std::vector<KeywordEntry> entries;
    for (const auto& [keyword, link] : rows) entries.push_back({keyword, link});
    return entries;
}
