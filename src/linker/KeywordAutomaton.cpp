#include "KeywordAutomaton.h"

#include <algorithm>
#include <numeric>

namespace LinkEngineDetail {

KeywordAutomaton::KeywordAutomaton(std::span<const std::string_view> patterns, const std::uint8_t (&fold)[256])
    : patternLength_(patterns.size()) {
    std::copy(std::begin(fold), std::end(fold), fold_);
    for (std::size_t p = 0; p < patterns.size(); ++p)
        patternLength_[p] = static_cast<std::uint32_t>(patterns[p].size());

    // Build the trie breadth first from the sorted patterns: the patterns below a state
    // share its path and lie next to each other, and a state's children split its range by
    // the byte that follows the path. States get their numbers in the order they are made.
    std::vector<std::uint32_t> sorted(patterns.size());
    std::iota(sorted.begin(), sorted.end(), 0u);
    std::sort(sorted.begin(), sorted.end(),
              [&](std::uint32_t a, std::uint32_t b) { return patterns[a] < patterns[b]; });

    struct Range { std::uint32_t begin, end, depth; };
    std::vector<Range> ranges{{0, static_cast<std::uint32_t>(sorted.size()), 0}};
    label_.push_back(0);
    pattern_.push_back(noPattern);
    auto byteAt = [&](std::uint32_t i, std::uint32_t depth) {
        return static_cast<std::uint8_t>(patterns[sorted[i]][depth]);
    };
    for (State s = 0; s < ranges.size(); ++s) {
        firstChild_.push_back(static_cast<State>(ranges.size()));
        auto [i, end, depth] = ranges[s];
        if (i < end && patterns[sorted[i]].size() == depth) pattern_[s] = sorted[i++];  // shortest sorts first
        while (i < end) {
            const std::uint8_t byte = byteAt(i, depth);
            std::uint32_t j = i + 1;
            while (j < end && byteAt(j, depth) == byte) ++j;
            ranges.push_back({i, j, depth + 1});
            label_.push_back(byte);
            pattern_.push_back(noPattern);
            i = j;
        }
    }
    const State states = static_cast<State>(ranges.size());
    firstChild_.push_back(states);
    ranges = {};
    sorted = {};

    // Failure links, breadth first: a state's link is found from its parent's.
    std::fill(std::begin(rootNext_), std::end(rootNext_), State{0});
    for (State c = firstChild_[0]; c < firstChild_[1]; ++c) rootNext_[label_[c]] = c;
    fail_.assign(states, 0);
    for (State s = 1; s < states; ++s)
        for (State c = firstChild_[s]; c < firstChild_[s + 1]; ++c) fail_[c] = next(fail_[s], label_[c]);
}

KeywordAutomaton::State KeywordAutomaton::child(State s, std::uint8_t byte) const {
    const std::uint8_t* first = label_.data() + firstChild_[s];
    const std::uint8_t* last = label_.data() + firstChild_[s + 1];
    const std::uint8_t* found = last - first <= 8 ? std::find(first, last, byte) : std::lower_bound(first, last, byte);
    return found != last && *found == byte ? static_cast<State>(found - label_.data()) : noState;
}

std::vector<KeywordAutomaton::State> KeywordAutomaton::reportLinks(const std::vector<bool>& wanted) const {
    std::vector<State> links(fail_.size(), noState);
    for (State s = 1; s < links.size(); ++s)  // a state's failure link comes before it
        links[s] = pattern_[s] != noPattern && wanted[pattern_[s]] ? s : links[fail_[s]];
    return links;
}

}  // namespace LinkEngineDetail
