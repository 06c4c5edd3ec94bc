#pragma once
// An Aho-Corasick automaton over a set of distinct, non-empty patterns: one pass over a
// text reports every occurrence of every pattern, overlapping ones included.
//
// A scan's speed is set by the cache lines it touches per byte, so the layout is about
// those. The states that a walk over a sample of the text stands in most, as many as a
// memory budget allows, come first, most used first, and get a full row of transitions, one
// per class; row entries carry a flag when their state reports something, so that most bytes
// touch one entry of a row and nothing else. The other states follow in depth-first order,
// so that a walk down a keyword finds each next node beside the last. Every state has a node
// of 16 bytes: its failure link (the state of the longest proper suffix that is also a trie
// path), where its outgoing edges lie and its first edge itself, which spares a look at the
// edges for the many deep states with one child. From a state without a row a byte costs a
// search of its edges, then failure links down to a state with a row.
// Bytes are read through classes: the bytes that occur in some pattern get one class each,
// the ones most frequent in the sample first, and all others share one, which leads back to
// the root from anywhere. At most as many states as pattern bytes.
#include <algorithm>
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

    // `fold` maps each text byte before it is matched (identity, or a case fold); the
    // patterns must be given already mapped. At most `rowBudgetBytes` go to full rows.
    // `text` is the text to be scanned, which the layout is made for; any text can be
    // scanned, only the speed depends on it.
    KeywordAutomaton(std::span<const std::string_view> patterns, const std::uint8_t (&fold)[256],
                     std::size_t rowBudgetBytes, std::string_view text);
    KeywordAutomaton(const KeywordAutomaton&) = delete;  // rows_ points into its own storage
    KeywordAutomaton& operator=(const KeywordAutomaton&) = delete;

    std::size_t patternCount() const { return patternLength_.size(); }
    std::size_t patternLength(std::uint32_t pattern) const { return patternLength_[pattern]; }

    // Chooses the patterns that scans report. A state's report link is the nearest state on
    // its chain of failure links (itself first) where a chosen pattern ends, or noState.
    void reportOnly(const std::vector<bool>& wanted);

    // Calls found(pattern, start, reach) for every occurrence of a chosen pattern whose last
    // byte lies in [from, to), in the order of their ends; for one pattern that is the order
    // of their starts. The scan looks back from `from` as far as the longest pattern, so it
    // reports what a scan from the text's start would. `reach` is where the text's longest
    // suffix that is still a trie path begins, or earlier: no occurrence reported from here
    // on starts before it.
    //
    // A scan is a chain of dependent lookups, each likely to miss the cache, so the text is
    // cut into runs of neighbouring blocks that several walks go through side by side, one
    // block each, letting their lookups overlap. Each walk starts from the root the longest
    // pattern's length before its block, so it stands in the block's first byte where a
    // walk from the text's start would. The walks only note where they stood in a state that
    // reports; the reports are made from the notes afterwards, block by block, so that the
    // walks' loop stays short and the reports come in the text's order.
    template <class Found>
    void scan(std::string_view text, std::size_t from, std::size_t to, Found&& found) const {
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
        const std::size_t block = std::min<std::size_t>(blockBytes, (to - from + walks - 1) / walks);
        if (block < 4 * maxPatternLength_) {
            walk(bytes, stateBefore(bytes, from), from, to, found);
            return;
        }
        // Room for a note after every byte: a note is written after each byte and kept only
        // if the state reports, which costs less than a branch that the walks would miss.
        std::vector<Hit> notes(walks * (block + 1));
        for (std::size_t first = from; first < to; first += walks * block) {
            std::size_t begin[walks], end[walks];
            State state[walks];
            Hit* hits[walks];
            for (std::size_t w = 0; w < walks; ++w) {
                begin[w] = std::min(first + w * block, to);
                end[w] = std::min(begin[w] + block, to);
                state[w] = stateBefore(bytes, begin[w]);
                hits[w] = notes.data() + w * (block + 1);
            }
            // The walks go on side by side over the last block's length (the shortest); each
            // then finishes alone.
            const std::size_t together = end[walks - 1] - begin[walks - 1];
            for (std::size_t k = 0; k < together; ++k) {
#pragma GCC unroll 8
                for (std::size_t w = 0; w < walks; ++w) {
                    const State next = nextState(state[w], classOf_[bytes[begin[w] + k]]);
                    state[w] = next & ~reportsFlag;
                    *hits[w] = {state[w], static_cast<std::uint32_t>(k)};
                    hits[w] += next >> 31;
                }
            }
            for (std::size_t w = 0; w < walks; ++w) {
                // What a state reports is likely not in the cache: asked for a few notes
                // ahead, it is there by the time it is needed.
                constexpr std::ptrdiff_t lookAhead = 8;
                for (const Hit* h = notes.data() + w * (block + 1); h != hits[w]; ++h) {
                    if (hits[w] - h > lookAhead) __builtin_prefetch(&reported_[h[lookAhead].state]);
                    report(h->state, begin[w] + h->offset, found);
                }
                walk(bytes, state[w], begin[w] + together, end[w], found);
            }
        }
    }

    // The first position i >= from where a walk from the text's start stands in a state that
    // reports something, and pred(i, reach) holds (reach as for scan), or `to` if there is
    // none before `to`.
    template <class Pred>
    std::size_t findReport(std::string_view text, std::size_t from, std::size_t to, Pred&& pred) const {
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
        State state = stateBefore(bytes, from);
        for (std::size_t i = from; i < to; ++i) {
            const State next = nextState(state, classOf_[bytes[i]]);
            state = next & ~reportsFlag;
            if ((next & reportsFlag) != 0 && pred(i, reachOf(state, i))) return i;
        }
        return to;
    }

private:
    static constexpr std::size_t walks = 8;
    static constexpr std::size_t blockBytes = 32 << 10;

    struct Hit {  // a walk stood in `state` after the byte at `offset` in its block
        State state;
        std::uint32_t offset;
    };

    // Set in a row's entries and in flagged() states when the state has something to report,
    // so that most bytes need no look at the state's node.
    static constexpr State reportsFlag = State{1} << 31;  // hits[w] += next >> 31 counts on it
    State flagged(State s) const { return (reports_[s / 64] >> (s % 64) & 1) != 0 ? s | reportsFlag : s; }

    // The state after state `s` reads a byte of class `c`, with reportsFlag. Inlined by
    // force: it is most of a scan's work, and a call per byte costs more than the rest.
    [[gnu::always_inline]] State nextState(State s, std::uint8_t c) const {
        return s < rowStates_ ? rows_[s * rowStride_ + c] : flagged(nextFromDeepState(s, c));
    }
    State child(State s, std::uint8_t c) const;  // noState when there is none
    // From a state without a row: its first edge (most deep states have one), then the
    // others, then the same from its failure link, down to a state with a row. Kept in the
    // header so that it inlines into the walks' loop: a call there would keep the walks'
    // states in memory instead of registers.
    [[gnu::always_inline]] State nextFromDeepState(State s, std::uint8_t c) const {
        for (; s >= rowStates_; s = nodes_[s].fail) {
            const Node& node = nodes_[s];
            if (c == node.firstLabel && node.children > 0) return node.firstChild;
            if (node.children > 1) {
                const State next = child(s, c);
                if (next != noState) return next;
            }
        }
        return rows_[s * rowStride_ + c] & ~reportsFlag;
    }

    // The state that a walk from the text's start stands in before the byte at `at`.
    State stateBefore(const unsigned char* bytes, std::size_t at) const {
        State state = 0;
        for (std::size_t i = at < maxPatternLength_ ? 0 : at - (maxPatternLength_ - 1); i < at; ++i)
            state = nextState(state, classOf_[bytes[i]]) & ~reportsFlag;
        return state;
    }

    // Where the path of `state`, reached with byte i, begins, or earlier.
    std::size_t reachOf(State state, std::size_t i) const {
        const std::size_t back = reported_[state].lookBack;
        return i + 1 >= back ? i + 1 - back : 0;
    }

    // Reports the occurrences that end with byte i, where the walk reached `state`.
    template <class Found>
    void report(State state, std::size_t i, Found&& found) const {
        const Reported* r = &reported_[state];
        const std::size_t reach = reachOf(state, i);
        for (;;) {
            found(r->pattern, i + 1 - patternLength_[r->pattern], reach);
            if (r->next == noState) return;
            r = &reported_[r->next];
        }
    }

    // Walks bytes [from, to) from `state`, reporting as it goes.
    template <class Found>
    void walk(const unsigned char* bytes, State state, std::size_t from, std::size_t to, Found&& found) const {
        for (std::size_t i = from; i < to; ++i) {
            const State next = nextState(state, classOf_[bytes[i]]);
            state = next & ~reportsFlag;
            if (next & reportsFlag) report(state, i, found);
        }
    }

    struct Node {
        std::uint32_t firstEdge;  // the edges to the children: firstEdge .. + children - 1,
                                  // sorted by class
        State fail;
        State firstChild;          // the first edge's target and class
        std::uint16_t children;
        std::uint8_t firstLabel;
        std::uint8_t shortDepth;  // the length of the state's path, or 255 for 255 and more
    };

    // What a state reports: the first pattern on its chain of failure links (itself first)
    // that scans report, the next state on that chain with one, and how far back from the
    // walk's position the state's path reaches, or further: one look for each report.
    struct Reported {
        std::uint32_t pattern;  // noPattern if the state reports nothing
        State next;
        std::uint32_t lookBack;
    };

    std::uint8_t classOf_[256];
    std::size_t classes_ = 0;
    std::vector<Node> nodes_;
    std::vector<std::uint8_t> edgeLabel_;
    std::vector<State> edgeTarget_;
    std::vector<std::uint32_t> pattern_;  // pattern ending at each state, or noPattern
    std::vector<State> breadthFirst_;     // the states in breadth-first order
    std::vector<Reported> reported_;
    std::vector<std::uint32_t> patternLength_;
    std::size_t maxPatternLength_ = 0;
    std::size_t rowStates_ = 0;           // states 0 .. rowStates_ - 1 have rows
    std::size_t rowStride_ = 0;           // classes_, rounded up to a cache line
    std::vector<State> rowStorage_;
    State* rows_ = nullptr;               // rows_[s * rowStride_ + c], flagged; in rowStorage_
    std::vector<std::uint64_t> reports_;  // bit s: state s reports something; a few KiB,
                                          // so that flagged() needs no look at the node
};

}  // namespace LinkEngineDetail
