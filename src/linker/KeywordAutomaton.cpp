#include "KeywordAutomaton.h"

#include <algorithm>
#include <numeric>

namespace LinkEngineDetail {

KeywordAutomaton::KeywordAutomaton(std::span<const std::string_view> patterns, const std::uint8_t (&fold)[256],
                                   std::size_t rowBudgetBytes)
    : patternLength_(patterns.size()) {
    // Classes in byte order, so that sorting by byte also sorts by class.
    bool occurs[256] = {};
    for (std::string_view p : patterns)
        for (char b : p) occurs[static_cast<unsigned char>(b)] = true;
    std::uint8_t classOfByte[256];
    for (unsigned b = 0; b < 256; ++b)
        if (occurs[b]) classOfByte[b] = static_cast<std::uint8_t>(classes_++);
    const std::uint8_t otherBytes = static_cast<std::uint8_t>(classes_);  // 256 classes leave no other bytes
    if (classes_ < 256) ++classes_;
    for (unsigned b = 0; b < 256; ++b) classOf_[b] = occurs[fold[b]] ? classOfByte[fold[b]] : otherBytes;
    for (std::size_t p = 0; p < patterns.size(); ++p) {
        patternLength_[p] = static_cast<std::uint32_t>(patterns[p].size());
        maxPatternLength_ = std::max(maxPatternLength_, patterns[p].size());
    }

    // Build the trie breadth first from the sorted patterns: the patterns below a state
    // share its path and lie next to each other, and a state's children split its range by
    // the byte that follows the path. States get their numbers in the order they are made.
    std::vector<std::uint32_t> sorted(patterns.size());
    std::iota(sorted.begin(), sorted.end(), 0u);
    std::sort(sorted.begin(), sorted.end(), [&](std::uint32_t a, std::uint32_t b) { return patterns[a] < patterns[b]; });

    struct Range { std::uint32_t begin, end, depth; };
    std::vector<Range> ranges{{0, static_cast<std::uint32_t>(sorted.size()), 0}};
    label_.push_back(0);
    pattern_.push_back(noPattern);
    auto byteAt = [&](std::uint32_t i, std::uint32_t depth) { return static_cast<unsigned char>(patterns[sorted[i]][depth]); };
    for (State s = 0; s < ranges.size(); ++s) {
        const State firstChild = static_cast<State>(ranges.size());
        auto [i, end, depth] = ranges[s];
        if (i < end && patterns[sorted[i]].size() == depth) pattern_[s] = sorted[i++];  // shortest sorts first
        while (i < end) {
            const unsigned char byte = byteAt(i, depth);
            std::uint32_t j = i + 1;
            while (j < end && byteAt(j, depth) == byte) ++j;
            ranges.push_back({i, j, depth + 1});
            label_.push_back(classOfByte[byte]);
            pattern_.push_back(noPattern);
            i = j;
        }
        const auto children = static_cast<std::uint16_t>(ranges.size() - firstChild);
        nodes_.push_back({firstChild, 0, noState, children, children > 0 ? label_[firstChild] : std::uint8_t{0},
                          static_cast<std::uint8_t>(std::min<std::uint32_t>(depth, 255))});
    }
    const State states = static_cast<State>(ranges.size());
    ranges = {};
    sorted = {};

    // Failure links, breadth first: a state's link is found from its parent's, which is
    // shallower and so comes earlier.
    for (State s = 1; s < states; ++s)
        for (State c = nodes_[s].firstChild; c < nodes_[s].firstChild + nodes_[s].children; ++c)
            nodes_[c].fail = nextWithoutRows(nodes_[s].fail, label_[c]);

    // Rows: a missing child leads where the failure link's row leads.
    rowStates_ = std::clamp<std::size_t>(rowBudgetBytes / (classes_ * sizeof(State)), 1, states);
    rows_.assign(rowStates_ * classes_, 0);
    for (State s = 0; s < rowStates_; ++s) {
        State* row = &rows_[s * classes_];
        if (s != 0) std::copy_n(&rows_[nodes_[s].fail * classes_], classes_, row);
        for (State c = nodes_[s].firstChild; c < nodes_[s].firstChild + nodes_[s].children; ++c) row[label_[c]] = c;
    }
}

KeywordAutomaton::State KeywordAutomaton::child(State s, std::uint8_t c) const {
    const Node& node = nodes_[s];
    if (node.children == 0 || c < node.firstLabel) return noState;
    if (c == node.firstLabel) return node.firstChild;
    const std::uint8_t* first = label_.data() + node.firstChild + 1;
    const std::uint8_t* last = first + node.children - 1;
    const std::uint8_t* found = last - first <= 8 ? std::find(first, last, c) : std::lower_bound(first, last, c);
    return found != last && *found == c ? static_cast<State>(found - label_.data()) : noState;
}

KeywordAutomaton::State KeywordAutomaton::nextFromDeepState(State s, std::uint8_t c) const {
    for (; s >= rowStates_; s = nodes_[s].fail) {
        const State next = child(s, c);
        if (next != noState) return next;
    }
    return rows_[s * classes_ + c] & ~reportsFlag;
}

KeywordAutomaton::State KeywordAutomaton::nextWithoutRows(State s, std::uint8_t c) const {
    for (;; s = nodes_[s].fail) {
        const State next = child(s, c);
        if (next != noState || s == 0) return next;
    }
}

void KeywordAutomaton::reportOnly(const std::vector<bool>& wanted) {
    for (State s = 1; s < nodes_.size(); ++s)  // a state's failure link comes before it
        nodes_[s].report = pattern_[s] != noPattern && wanted[pattern_[s]] ? s : nodes_[nodes_[s].fail].report;
    reports_.assign(nodes_.size() / 64 + 1, 0);
    for (State s = 1; s < nodes_.size(); ++s)
        if (nodes_[s].report != noState) reports_[s / 64] |= std::uint64_t{1} << (s % 64);
    for (State& next : rows_) next = flagged(next & ~reportsFlag);
}

}  // namespace LinkEngineDetail
