#pragma once
// An Aho-Corasick automaton over a set of distinct, non-empty patterns: one pass over a
// text reports every occurrence of every pattern, overlapping ones included.
//
// Layout: the trie's states are numbered in breadth-first order, so the children of a state
// are consecutive states, sorted by their byte. A state's node holds where its children
// begin and how many there are, its failure link (the state of the longest proper suffix
// that is also a trie path) and its report link (below), in 16 bytes: a scan touches one
// cache line per state, which is what its speed depends on. The children's bytes, as
// classes, lie in their own array; the first child's is in the node as well, which spares
// a look there for the many deep states with one child.
// Bytes are read through classes: the bytes that occur in some pattern get one class each,
// all others share one, which leads back to the root from anywhere.
// The first states (the shallow ones) also get a full row of transitions, one per class, as
// many as a memory budget allows; from a deeper state a byte costs a search of its children,
// then failure links down to a state with a row. At most as many states as pattern bytes.
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
    KeywordAutomaton(std::span<const std::string_view> patterns, const std::uint8_t (&fold)[256],
                     std::size_t rowBudgetBytes);

    std::size_t patternCount() const { return patternLength_.size(); }
    std::size_t patternLength(std::uint32_t pattern) const { return patternLength_[pattern]; }

    // Chooses the patterns that scans report. A state's report link is the nearest state on
    // its chain of failure links (itself first) where a chosen pattern ends, or noState.
    void reportOnly(const std::vector<bool>& wanted);

    // Calls found(pattern, start, reach) for every occurrence of every chosen pattern, in
    // the order of the occurrences' ends; for one pattern that is the order of their starts.
    // `reach` is where the text's longest suffix that is still a trie path begins, or
    // earlier: no occurrence reported from here on starts before it.
    //
    // A scan is a chain of dependent lookups, each likely to miss the cache, so the text is
    // cut into runs of neighbouring blocks that several walks go through side by side, one
    // block each, letting their lookups overlap. Each walk starts from the root the longest
    // pattern's length before its block, so it stands in the block's first byte where a
    // walk from the text's start would. The first walk reports as it goes; the others'
    // occurrences wait in buffers until the blocks before theirs are reported. Where the
    // buffers fill up (every byte ends several occurrences), one walk does the rest.
    template <class Found>
    void scan(std::string_view text, Found&& found) const {
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
        const std::size_t n = text.size();
        const std::size_t block = std::min<std::size_t>(blockBytes, (n + walks - 1) / walks);
        if (block < 4 * maxPatternLength_) {
            walk(bytes, 0, 0, n, found);
            return;
        }
        std::vector<Report> later[walks];  // later[0] stays empty
        for (std::size_t first = 0; first < n; first += walks * block) {
            std::size_t begin[walks], end[walks];
            State state[walks];
            for (std::size_t w = 0; w < walks; ++w) {
                begin[w] = std::min(first + w * block, n);
                end[w] = std::min(begin[w] + block, n);
                state[w] = 0;
                for (std::size_t i = warmUpStart(begin[w]); i < begin[w]; ++i)
                    state[w] = nextState(state[w], classOf_[bytes[i]]) & ~reportsFlag;
            }
            // The walks go on side by side over the last block's length (the shortest), or
            // until the buffers are full; each then finishes alone.
            std::size_t together = end[walks - 1] - begin[walks - 1], buffered = 0;
            const std::size_t maxBuffered = bufferedReportsPerByte * (walks - 1) * block;
            for (std::size_t k = 0; k < together; ++k) {
#pragma GCC unroll 8
                for (std::size_t w = 0; w < walks; ++w) {
                    const State next = nextState(state[w], classOf_[bytes[begin[w] + k]]);
                    state[w] = next & ~reportsFlag;
                    if ((next & reportsFlag) == 0) continue;
                    if (w == 0) {
                        report(state[0], begin[0] + k, found);
                    } else {
                        const auto endInBlock = static_cast<std::uint32_t>(k + 1);
                        const std::uint32_t depth = lookBack(state[w]);
                        forEachReport(state[w], [&](std::uint32_t p) {
                            later[w].push_back({p, endInBlock, depth});
                            ++buffered;
                        });
                    }
                }
                if (buffered > maxBuffered) together = k + 1;
            }
            const bool dense = buffered > maxBuffered;
            for (std::size_t w = 0; w < walks; ++w) {
                for (const Report& r : later[w])
                    found(r.pattern, begin[w] + r.end - patternLength_[r.pattern], begin[w] + r.end - r.depth);
                later[w].clear();
                state[w] = walk(bytes, state[w], begin[w] + together, end[w], found);
            }
            // Where reports are that dense, a scan spends its time on them, not on cache
            // misses, and the buffers only cost: one walk does the rest.
            if (dense) {
                walk(bytes, state[walks - 1], end[walks - 1], n, found);
                return;
            }
        }
    }

private:
    static constexpr std::size_t walks = 4;
    static constexpr std::size_t blockBytes = 32 << 10;
    // Where every byte ends many occurrences the buffers would grow with their number (to
    // gigabytes with a thousand nested keywords); this bounds them to two reports a byte of
    // their blocks, a few MiB. Article-like text has about one report in ten bytes.
    static constexpr std::size_t bufferedReportsPerByte = 2;

    struct Report {  // an occurrence of the second block, as small as it goes
        std::uint32_t pattern;
        std::uint32_t end;    // from the block's start
        std::uint32_t depth;  // lookBack() of the state where the walk stood
    };

    std::size_t warmUpStart(std::size_t blockStart) const {
        return blockStart < maxPatternLength_ ? 0 : blockStart - (maxPatternLength_ - 1);
    }

    // The state after state `s` reads a byte of class `c`, with reportsFlag. Inlined by
    // force: it is most of a scan's work, and a call per byte costs more than the rest.
    [[gnu::always_inline]] State nextState(State s, std::uint8_t c) const {
        return s < rowStates_ ? rows_[s * classes_ + c] : flagged(nextFromDeepState(s, c));
    }

    // How far back from the walk's position the state's path reaches, or further: the
    // depth is kept in the node, which a report reads anyway, up to 255.
    std::size_t lookBack(State state) const {
        const std::uint8_t depth = nodes_[state].shortDepth;
        return depth < 255 ? depth : maxPatternLength_;
    }

    // Reports the occurrences that end with byte i, where the walk reached `state`.
    template <class Found>
    void report(State state, std::size_t i, Found&& found) const {
        const std::size_t back = lookBack(state);
        const std::size_t reach = i + 1 >= back ? i + 1 - back : 0;
        forEachReport(state, [&](std::uint32_t pattern) { found(pattern, i + 1 - patternLength_[pattern], reach); });
    }

    // Calls visit(pattern) for each chosen pattern that ends where the walk reached `state`.
    template <class Visit>
    void forEachReport(State state, Visit&& visit) const {
        for (State s = nodes_[state].report; s != noState; s = nodes_[nodes_[s].fail].report) visit(pattern_[s]);
    }

    // Walks bytes [from, to) from `state`, reporting as it goes; returns the state reached.
    template <class Found>
    State walk(const unsigned char* bytes, State state, std::size_t from, std::size_t to, Found&& found) const {
        for (std::size_t i = from; i < to; ++i) {
            const State next = nextState(state, classOf_[bytes[i]]);
            state = next & ~reportsFlag;
            if (next & reportsFlag) report(state, i, found);
        }
        return state;
    }

private:
    // Set in a row's entries and in flagged() states when the state has something to report,
    // so that most bytes need no look at the state's node.
    static constexpr State reportsFlag = State{1} << 31;
    State flagged(State s) const { return (reports_[s / 64] >> (s % 64) & 1) != 0 ? s | reportsFlag : s; }

    State child(State s, std::uint8_t c) const;  // noState when there is none
    State nextFromDeepState(State s, std::uint8_t c) const;
    State nextWithoutRows(State s, std::uint8_t c) const;

    struct Node {
        State firstChild;
        State fail;
        State report;
        std::uint16_t children;
        std::uint8_t firstLabel;  // the first child's class: most deep states have one child
        std::uint8_t shortDepth;  // the length of the state's path, or 255 for 255 and more
    };

    std::uint8_t classOf_[256];
    std::size_t classes_ = 0;
    std::vector<Node> nodes_;
    std::vector<std::uint8_t> label_;     // the class of the byte that leads into each state
    std::vector<std::uint32_t> pattern_;  // pattern ending at each state, or noPattern
    std::vector<std::uint32_t> patternLength_;
    std::size_t maxPatternLength_ = 0;
    std::size_t rowStates_ = 0;           // states 0 .. rowStates_ - 1 have rows
    std::vector<State> rows_;             // rows_[s * classes_ + c], flagged
    std::vector<std::uint64_t> reports_;  // bit s: state s reports something; a few KiB,
                                          // so that flagged() needs no look at the node
};

}  // namespace LinkEngineDetail
