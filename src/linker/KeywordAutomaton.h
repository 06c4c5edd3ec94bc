#pragma once
// An Aho-Corasick automaton over a set of distinct, non-empty patterns: one pass over a
// text reports every occurrence of every pattern, overlapping ones included.
//
// Layout: the trie's states are numbered in breadth-first order, so the children of a state
// are consecutive states, sorted by their byte, and state s's children are the states
// [firstChild_[s], firstChild_[s + 1]). Each state keeps its failure link (the state of the
// longest proper suffix that is also a trie path) and the pattern that ends there, if any.
// The root has a full table of 256 transitions, which is where a scan spends most bytes.
// About 14 bytes a state in all, and there are at most as many states as pattern bytes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace LinkEngineDetail {

class KeywordAutomaton {
public:
    using State = std::uint32_t;
    static constexpr std::uint32_t noPattern = static_cast<std::uint32_t>(-1);
    static constexpr State noState = 0;  // the root never reports, so 0 can mean "none"

    // `fold` maps each text byte before it is matched (identity, or a case fold). The
    // patterns must be given already mapped.
    KeywordAutomaton(std::span<const std::string_view> patterns, const std::uint8_t (&fold)[256]);

    std::size_t patternCount() const { return patternLength_.size(); }
    std::size_t patternLength(std::uint32_t pattern) const { return patternLength_[pattern]; }

    // For each state, the nearest state on its chain of failure links (itself first) where
    // a wanted pattern ends, or noState. A scan reports only the patterns it was given.
    std::vector<State> reportLinks(const std::vector<bool>& wanted) const;

    // Calls found(pattern, start) for every occurrence of every pattern that `reportLinks`
    // selects, in the order of the occurrences' ends; for one pattern that is the order of
    // their starts.
    template <class Found>
    void scan(std::string_view text, const std::vector<State>& reportLinks, Found&& found) const {
        State state = 0;
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
        for (std::size_t i = 0; i < text.size(); ++i) {
            state = next(state, fold_[bytes[i]]);
            for (State s = reportLinks[state]; s != noState; s = reportLinks[fail_[s]]) {
                const std::uint32_t pattern = pattern_[s];
                found(pattern, i + 1 - patternLength_[pattern]);
            }
        }
    }

private:
    State child(State s, std::uint8_t byte) const;  // noState when there is none
    State next(State s, std::uint8_t byte) const {
        while (s != 0) {
            const State c = child(s, byte);
            if (c != noState) return c;
            s = fail_[s];
        }
        return rootNext_[byte];
    }

    std::uint8_t fold_[256];
    State rootNext_[256];
    std::vector<State> firstChild_;     // one more than the states
    std::vector<std::uint8_t> label_;   // the byte that leads into each state
    std::vector<State> fail_;
    std::vector<std::uint32_t> pattern_;  // pattern ending at each state, or noPattern
    std::vector<std::uint32_t> patternLength_;
};

}  // namespace LinkEngineDetail
