#include "KeywordAutomaton.h"

#include <algorithm>
#include <numeric>

namespace LinkEngineDetail {
namespace {

using State = KeywordAutomaton::State;

// The trie as it is built: states numbered breadth first, so the children of a state are
// consecutive (in the order of their bytes). The automaton's own layout is made from it.
struct BreadthFirstTrie {
    struct Node {
        State firstChild;
        std::uint32_t children;
        std::uint32_t depth;
        State fail;
    };
    std::vector<Node> nodes;
    std::vector<std::uint8_t> label;     // the class of the byte that leads into each state
    std::vector<std::uint32_t> pattern;  // pattern ending at each state, or noPattern

    State child(State s, std::uint8_t c) const {
        const std::uint8_t* first = label.data() + nodes[s].firstChild;
        const std::uint8_t* last = first + nodes[s].children;
        const std::uint8_t* found = std::find(first, last, c);
        return found != last ? static_cast<State>(found - label.data()) : KeywordAutomaton::noState;
    }

    // The goto function with failure links, no rows: for building only.
    State next(State s, std::uint8_t c) const {
        for (;; s = nodes[s].fail) {
            const State found = child(s, c);
            if (found != KeywordAutomaton::noState || s == 0) return found;
        }
    }
};

// Calls visit(begin, end) for the pieces of the text that stand for all of it where the
// layout is made: a few pieces spread over the text, 1/32 of it within 64 KiB and 1 MiB.
constexpr std::size_t samplePieces = 16;

template <class Visit>
void forEachSamplePiece(std::string_view text, Visit&& visit) {
    const std::size_t sampleBytes = std::min(text.size(), std::clamp<std::size_t>(text.size() / 32, 64 << 10, 1 << 20));
    const std::size_t pieceBytes = sampleBytes / samplePieces;
    for (std::size_t p = 0; p < samplePieces && pieceBytes > 0; ++p) {
        const std::size_t begin = text.size() / samplePieces * p;
        visit(begin, begin + pieceBytes);
    }
}

BreadthFirstTrie buildTrie(std::span<const std::string_view> patterns, const std::uint8_t (&classOfByte)[256]) {
    // From the sorted patterns: the patterns below a state share its path and lie next to
    // each other, and a state's children split its range by the byte that follows the path.
    // States get their numbers in the order they are made.
    std::vector<std::uint32_t> sorted(patterns.size());
    std::iota(sorted.begin(), sorted.end(), 0u);
    std::sort(sorted.begin(), sorted.end(), [&](std::uint32_t a, std::uint32_t b) { return patterns[a] < patterns[b]; });

    BreadthFirstTrie trie;
    struct Range { std::uint32_t begin, end, depth; };
    std::vector<Range> ranges{{0, static_cast<std::uint32_t>(sorted.size()), 0}};
    trie.label.push_back(0);
    trie.pattern.push_back(KeywordAutomaton::noPattern);
    auto byteAt = [&](std::uint32_t i, std::uint32_t depth) { return static_cast<unsigned char>(patterns[sorted[i]][depth]); };
    for (State s = 0; s < ranges.size(); ++s) {
        const State firstChild = static_cast<State>(ranges.size());
        auto [i, end, depth] = ranges[s];
        if (i < end && patterns[sorted[i]].size() == depth) trie.pattern[s] = sorted[i++];  // shortest sorts first
        while (i < end) {
            const unsigned char byte = byteAt(i, depth);
            std::uint32_t j = i + 1;
            while (j < end && byteAt(j, depth) == byte) ++j;
            ranges.push_back({i, j, depth + 1});
            trie.label.push_back(classOfByte[byte]);
            trie.pattern.push_back(KeywordAutomaton::noPattern);
            i = j;
        }
        trie.nodes.push_back({firstChild, static_cast<std::uint32_t>(ranges.size() - firstChild), depth, 0});
    }
    // Failure links, breadth first: a state's link is found from its parent's, which is
    // shallower and so comes earlier.
    for (State s = 0; s < trie.nodes.size(); ++s)
        for (State c = trie.nodes[s].firstChild; c < trie.nodes[s].firstChild + trie.nodes[s].children; ++c)
            trie.nodes[c].fail = s == 0 ? 0 : trie.next(trie.nodes[s].fail, trie.label[c]);
    return trie;
}

// Full rows of transitions for the first states of the trie, to walk a sample quickly.
struct ShallowRows {
    std::size_t classes;
    std::size_t states;
    std::vector<State> rows;

    ShallowRows(const BreadthFirstTrie& trie, std::size_t classCount, std::size_t stateCount)
        : classes(classCount), states(stateCount), rows(stateCount * classCount, 0) {
        for (State s = 0; s < states; ++s) {
            State* row = &rows[s * classes];
            if (s != 0) std::copy_n(&rows[trie.nodes[s].fail * classes], classes, row);
            for (State c = trie.nodes[s].firstChild; c < trie.nodes[s].firstChild + trie.nodes[s].children; ++c)
                row[trie.label[c]] = c;
        }
    }

    // The full row of any state: a missing child leads where the failure link's row leads.
    void fillRow(const BreadthFirstTrie& trie, State s, State* row, std::vector<State>& chain) const {
        chain.clear();
        for (; s >= states; s = trie.nodes[s].fail) chain.push_back(s);
        std::copy_n(&rows[s * classes], classes, row);
        for (auto link = chain.rbegin(); link != chain.rend(); ++link)
            for (State c = trie.nodes[*link].firstChild; c < trie.nodes[*link].firstChild + trie.nodes[*link].children; ++c)
                row[trie.label[c]] = c;
    }

    State next(const BreadthFirstTrie& trie, State s, std::uint8_t c) const {
        return s < states ? rows[s * classes + c] : trie.next(s, c);
    }
};

// The order of the states in the automaton. The `withRows` states that a walk over a sample
// of the text stands in most often come first (the root always first), most often first.
// The others follow in depth-first order, so that a walk down a path of states without
// rows finds each next node beside the last. Each piece of the sample is walked from the root.
std::vector<State> stateOrder(const BreadthFirstTrie& trie, const ShallowRows& rows, const std::uint8_t (&classOf)[256],
                              std::string_view text, std::size_t withRows) {
    const std::size_t states = trie.nodes.size();
    std::vector<std::uint32_t> visits(states, 0);
    // The pieces are walked side by side, so that the lookups of one wait for the cache while
    // the others go on.
    std::size_t begin[samplePieces], pieces = 0, pieceBytes = 0;
    forEachSamplePiece(text, [&](std::size_t from, std::size_t to) {
        begin[pieces++] = from;
        pieceBytes = to - from;
    });
    State walk[samplePieces] = {};
    for (std::size_t k = 0; k < pieceBytes; ++k)
        for (std::size_t p = 0; p < pieces; ++p) {
            walk[p] = rows.next(trie, walk[p], classOf[static_cast<unsigned char>(text[begin[p] + k])]);
            ++visits[walk[p]];
        }
    // The most visited first, then states never visited in breadth-first order, up to the
    // number with rows; only those need sorting.
    const auto moreUsed = [&](State a, State b) { return visits[a] != visits[b] ? visits[a] > visits[b] : a < b; };
    std::vector<State> order;
    for (State s = 1; s < states; ++s)
        if (visits[s] > 0) order.push_back(s);
    if (order.size() >= withRows) {
        std::nth_element(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(withRows - 1), order.end(), moreUsed);
        order.resize(withRows - 1);
    }
    std::sort(order.begin(), order.end(), moreUsed);
    order.insert(order.begin(), 0);
    for (State s = 1; s < states && order.size() < withRows; ++s)
        if (visits[s] == 0) order.push_back(s);

    std::vector<bool> hasRow(states, false);
    for (State s : order) hasRow[s] = true;
    std::vector<State> pending{0};  // the others depth first, children in their order
    while (!pending.empty()) {
        const State s = pending.back();
        pending.pop_back();
        if (!hasRow[s]) order.push_back(s);
        for (State c = trie.nodes[s].firstChild + trie.nodes[s].children; c-- > trie.nodes[s].firstChild;) pending.push_back(c);
    }
    return order;
}

}  // namespace

KeywordAutomaton::KeywordAutomaton(std::span<const std::string_view> patterns, const std::uint8_t (&fold)[256],
                                   std::size_t rowBudgetBytes, std::string_view text)
    : patternLength_(patterns.size()) {
    // The bytes that occur in patterns get a class each, the ones most frequent in the text
    // first, so that the entries of a row that scans use most lie together at its start.
    bool occurs[256] = {};
    for (std::string_view p : patterns)
        for (char b : p) occurs[static_cast<unsigned char>(b)] = true;
    std::size_t frequency[256] = {};
    forEachSamplePiece(text, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) ++frequency[fold[static_cast<unsigned char>(text[i])]];
    });
    std::vector<unsigned> byFrequency;
    for (unsigned b = 0; b < 256; ++b)
        if (occurs[b]) byFrequency.push_back(b);
    std::stable_sort(byFrequency.begin(), byFrequency.end(), [&](unsigned a, unsigned b) { return frequency[a] > frequency[b]; });
    std::uint8_t classOfByte[256];
    for (unsigned b : byFrequency) classOfByte[b] = static_cast<std::uint8_t>(classes_++);
    const std::uint8_t otherBytes = static_cast<std::uint8_t>(classes_);  // 256 classes leave no other bytes
    if (classes_ < 256) ++classes_;
    for (unsigned b = 0; b < 256; ++b) classOf_[b] = occurs[fold[b]] ? classOfByte[fold[b]] : otherBytes;
    for (std::size_t p = 0; p < patterns.size(); ++p) {
        patternLength_[p] = static_cast<std::uint32_t>(patterns[p].size());
        maxPatternLength_ = std::max(maxPatternLength_, patterns[p].size());
    }

    const BreadthFirstTrie trie = buildTrie(patterns, classOfByte);
    const std::size_t states = trie.nodes.size();
    // Rows are a whole number of cache lines long and begin on one, so that the entries at
    // a row's start share as few lines as they can.
    constexpr std::size_t statesPerLine = 64 / sizeof(State);
    rowStride_ = (classes_ + statesPerLine - 1) / statesPerLine * statesPerLine;
    rowStates_ = std::clamp<std::size_t>(rowBudgetBytes / (rowStride_ * sizeof(State)), 1, states);
    const ShallowRows shallowRows(trie, classes_, rowStates_);

    // Renumber the states: the ones a scan stands in most get the rows and lie together, so
    // that the scan touches as few cache lines as it can.
    const std::vector<State> order = stateOrder(trie, shallowRows, classOf_, text, rowStates_);
    std::vector<State> numberOf(states);
    for (State s = 0; s < states; ++s) numberOf[order[s]] = s;

    nodes_.resize(states);
    pattern_.resize(states);
    breadthFirst_.resize(states);
    edgeLabel_.reserve(states);
    edgeTarget_.reserve(states);
    std::vector<std::pair<std::uint8_t, State>> edges;  // of one state, sorted by class
    for (State s = 0; s < states; ++s) {
        const BreadthFirstTrie::Node& from = trie.nodes[order[s]];
        Node& node = nodes_[s];
        node.firstEdge = static_cast<std::uint32_t>(edgeLabel_.size());
        node.fail = numberOf[from.fail];
        node.children = static_cast<std::uint16_t>(from.children);
        node.shortDepth = static_cast<std::uint8_t>(std::min<std::uint32_t>(from.depth, 255));
        edges.clear();
        for (State c = from.firstChild; c < from.firstChild + from.children; ++c) edges.push_back({trie.label[c], numberOf[c]});
        std::sort(edges.begin(), edges.end());
        for (const auto& [label, target] : edges) {
            edgeLabel_.push_back(label);
            edgeTarget_.push_back(target);
        }
        node.firstLabel = edges.empty() ? std::uint8_t{0} : edges.front().first;
        node.firstChild = edges.empty() ? noState : edges.front().second;
        pattern_[s] = trie.pattern[order[s]];
        breadthFirst_[s] = numberOf[s];
    }

    rowStorage_.assign(rowStates_ * rowStride_ + statesPerLine, 0);
    const auto misalignment = reinterpret_cast<std::uintptr_t>(rowStorage_.data()) % 64 / sizeof(State);
    rows_ = rowStorage_.data() + (misalignment == 0 ? 0 : statesPerLine - misalignment);
    std::vector<State> row(classes_), chain;
    for (State s = 0; s < rowStates_; ++s) {
        shallowRows.fillRow(trie, order[s], row.data(), chain);
        for (std::size_t c = 0; c < classes_; ++c) rows_[s * rowStride_ + c] = numberOf[row[c]];
    }
}

KeywordAutomaton::State KeywordAutomaton::child(State s, std::uint8_t c) const {
    const Node& node = nodes_[s];
    if (node.children == 0 || c < node.firstLabel) return noState;
    if (c == node.firstLabel) return node.firstChild;
    const std::uint8_t* first = edgeLabel_.data() + node.firstEdge + 1;
    const std::uint8_t* last = first + node.children - 1;
    const std::uint8_t* found = last - first <= 8 ? std::find(first, last, c) : std::lower_bound(first, last, c);
    return found != last && *found == c ? edgeTarget_[static_cast<std::size_t>(found - edgeLabel_.data())] : noState;
}

void KeywordAutomaton::reportOnly(const std::vector<bool>& wanted) {
    // A state's report link: the nearest state on its chain of failure links (itself first)
    // where a wanted pattern ends, or noState.
    std::vector<State> reportLink(nodes_.size(), noState);
    for (State s : breadthFirst_)  // a state's failure link comes before it
        if (s != 0) reportLink[s] = pattern_[s] != noPattern && wanted[pattern_[s]] ? s : reportLink[nodes_[s].fail];
    reported_.resize(nodes_.size());
    reports_.assign(nodes_.size() / 64 + 1, 0);
    for (State s = 0; s < nodes_.size(); ++s) {
        const State r = reportLink[s];
        const std::uint8_t depth = nodes_[s].shortDepth;
        reported_[s] = {r != noState ? pattern_[r] : noPattern, r != noState ? reportLink[nodes_[r].fail] : noState,
                        depth < 255 ? depth : static_cast<std::uint32_t>(maxPatternLength_)};
        if (r != noState) reports_[s / 64] |= std::uint64_t{1} << (s % 64);
    }
    for (State s = 0; s < rowStates_; ++s)
        for (std::size_t c = 0; c < classes_; ++c) rows_[s * rowStride_ + c] = flagged(rows_[s * rowStride_ + c] & ~reportsFlag);
}

}  // namespace LinkEngineDetail
