#include "LinkEngine.h"

#include "CharacterStarts.h"
#include "ClaimedBytes.h"
#include "KeywordAutomaton.h"
#include "LinkedText.h"
#include "SideBySide.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <unordered_map>

namespace LinkEngine {
namespace {

using LinkEngineDetail::CharacterStarts;
using LinkEngineDetail::ClaimedBytes;
using LinkEngineDetail::KeywordAutomaton;
using LinkEngineDetail::LinkedText;
using LinkEngineDetail::makeInOrder;
using LinkEngineDetail::MatchList;
using LinkEngineDetail::runSideBySide;
using LinkEngineDetail::threadsFor;

constexpr std::uint32_t noPattern = KeywordAutomaton::noPattern;
// Memory for full transition rows of the automaton's shallowest states, where scans spend
// most bytes: as much as the text, within bounds. Measured on article-like text with 10,000
// keywords, 256 KiB of rows scan at about 2/3 the speed of 1 MiB; more gains little.
std::size_t rowBudgetBytes(std::size_t textBytes) { return std::clamp<std::size_t>(textBytes, 256 << 10, 4 << 20); }

unsigned char foldAscii(unsigned char b) { return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b - 'A' + 'a') : b; }
bool isAsciiLetter(unsigned char b) { return foldAscii(b) >= 'a' && foldAscii(b) <= 'z'; }

bool hasLeadBytes(const CodePage& cp) {
    for (unsigned b = 0; b < 256; ++b)
        if (cp.isLeadByte(static_cast<unsigned char>(b))) return true;
    return false;
}

// Calls visit(i) for each position of `keyword` that is the second byte of a two-byte
// character, parsing the keyword from its first byte.
template <class Visit>
void forEachTrailByte(std::string_view keyword, const CodePage& cp, Visit&& visit) {
    for (std::size_t i = 0; i < keyword.size(); ++i)
        if (cp.isLeadByte(static_cast<unsigned char>(keyword[i])) && i + 1 < keyword.size()) visit(++i);
}

// The distinct non-empty keywords, as the automaton searches for them, and which of them
// each keyword is.
struct PatternSet {
    std::vector<std::string> foldedStorage;
    std::vector<std::string_view> patterns;
    std::vector<std::uint32_t> ofKeyword;  // noPattern for an empty keyword
};

PatternSet collectPatterns(std::span<const std::string_view> keywords, const std::uint8_t (&fold)[256], bool folding) {
    PatternSet set;
    if (folding) {
        set.foldedStorage.reserve(keywords.size());
        for (std::string_view k : keywords) {
            std::string& f = set.foldedStorage.emplace_back(k);
            for (char& c : f) c = static_cast<char>(fold[static_cast<unsigned char>(c)]);
        }
    }
    std::unordered_map<std::string_view, std::uint32_t> index;
    set.ofKeyword.reserve(keywords.size());
    for (std::size_t k = 0; k < keywords.size(); ++k) {
        const std::string_view pattern = folding ? std::string_view(set.foldedStorage[k]) : keywords[k];
        if (pattern.empty()) {
            set.ofKeyword.push_back(noPattern);
            continue;
        }
        auto [it, added] = index.try_emplace(pattern, static_cast<std::uint32_t>(set.patterns.size()));
        if (added) set.patterns.push_back(pattern);
        set.ofKeyword.push_back(it->second);
    }
    return set;
}

// Chooses the matches of the keywords in order; see LinkEngine.h for the rules.
class MatchChooser {
public:
    MatchChooser(std::string_view text, std::span<const std::string_view> keywords, const CodePage& cp,
                 const Options& options)
        : text_(text), keywords_(keywords), cp_(cp), options_(options), claims_(text.size()) {
        for (unsigned b = 0; b < 256; ++b)
            fold_[b] = options.ignoreCase ? foldAscii(static_cast<unsigned char>(b)) : static_cast<std::uint8_t>(b);
        for (const ByteRange& r : options.protectedRanges) {
            claims_.claim(std::min(r.begin, text.size()), std::min(r.end, text.size()));
            protectsBytes_ = true;
        }
        if (hasLeadBytes(cp)) starts_.emplace(text, cp);
    }

    MatchList run() {
        PatternSet set = collectPatterns(keywords_, fold_, options_.ignoreCase);
        if (set.patterns.empty() || text_.empty() || options_.maxPerEntry == 0) return MatchList(std::vector<Match>{});
        KeywordAutomaton automaton(set.patterns, fold_, rowBudgetBytes(text_.size()), text_);
        if (text_.size() <= UINT32_MAX)
            chooseInGroups<std::uint32_t>(automaton, set.ofKeyword);
        else
            chooseInGroups<std::uint64_t>(automaton, set.ofKeyword);
        return inTextOrder();
    }

private:
    // An occurrence that overlaps no other one can be settled as soon as the scan has gone
    // past it, when its fate depends on nothing else: in a single-byte code page (a scan
    // stands on every byte, wherever its segment starts) and with no limit per entry. Then
    // an occurrence that a keyword's scan passes over (it overlaps a claimed byte, or does
    // not stand alone) stays so for good, so of the keywords with one pattern only the
    // first takes anything, and the same holds for a small group of occurrences that
    // overlap nothing outside the group: it is settled by taking its occurrences in the
    // order (first keyword of the pattern, start), each that overlaps none taken before.
    // Settled matches are kept in 8 bytes each (see MatchList), for texts and tables of up to
    // 4 Gi bytes and entries.
    bool settlesGroups() const {
        return !starts_ && options_.maxPerEntry == Options::unlimited && text_.size() <= UINT32_MAX &&
               keywords_.size() <= UINT32_MAX;
    }


    // Cuts the scan's occurrences into groups that no occurrence outside them overlaps: a
    // group closes once the automaton's reach (no later occurrence starts before it) has
    // passed the group's end. Small groups are settled into `settled`, in text order;
    // the occurrences of larger ones go to `keep`, for the general way.
    class IsolatedGroups {
    public:
        static constexpr std::size_t smallGroup = 16;

        IsolatedGroups(const MatchChooser& chooser, const KeywordAutomaton& automaton,
                       const std::vector<std::size_t>& firstKeyword, std::vector<MatchList::Packed>& settled)
            : chooser_(chooser), automaton_(automaton), firstKeyword_(firstKeyword), settled_(settled) {}

        template <class Keep>
        void add(std::uint32_t pattern, std::size_t start, std::size_t reach, Keep&& keep) {
            if (reach >= end_) finish();
            const std::size_t end = start + automaton_.patternLength(pattern);
            end_ = std::max(end_, end);
            if (large_) {
                keep(pattern, start);
                return;
            }
            if (size_ == smallGroup) {
                large_ = true;
                for (std::size_t i = 0; i < size_; ++i) keep(group_[i].pattern, group_[i].start);
                keep(pattern, start);
                size_ = 0;
                return;
            }
            group_[size_++] = {firstKeyword_[pattern], start, end, pattern};
        }

        // Settles the open group; call when the scan is over.
        void finish() {
            if (!large_) settle();
            size_ = 0;
            large_ = false;
            end_ = 0;
        }

    private:
        struct Candidate {
            std::size_t turn;  // the first keyword with the pattern
            std::size_t start, end;
            std::uint32_t pattern;
        };

        void settle() {
            std::size_t n = 0;
            for (std::size_t i = 0; i < size_; ++i)
                if (chooser_.mightTake(group_[i].start, group_[i].end - group_[i].start)) group_[n++] = group_[i];
            if (n == 1) {  // most groups: one occurrence that overlaps no other
                settled_.push_back(MatchList::pack(group_[0].start, group_[0].turn));
                return;
            }
            // The occurrences in their turns: by keyword, then left to right. Groups are
            // small, most of two or three, so an insertion sort of their indices does.
            std::uint8_t inTurn[smallGroup];
            for (std::size_t i = 0; i < n; ++i) {
                std::size_t j = i;
                for (; j > 0 && before(group_[i], group_[inTurn[j - 1]]); --j) inTurn[j] = inTurn[j - 1];
                inTurn[j] = static_cast<std::uint8_t>(i);
            }
            bool taken[smallGroup] = {};
            std::uint8_t takenInTurn[smallGroup];
            std::size_t takenCount = 0;
            for (std::size_t k = 0; k < n; ++k) {
                const Candidate& c = group_[inTurn[k]];
                bool free = true;
                for (std::size_t t = 0; t < takenCount && free; ++t)
                    free = c.end <= group_[takenInTurn[t]].start || group_[takenInTurn[t]].end <= c.start;
                if (!free) continue;
                taken[inTurn[k]] = true;
                takenInTurn[takenCount++] = inTurn[k];
            }
            // The group is in the order of the occurrences' ends, and occurrences taken overlap
            // no other taken one, so that is also the order of their starts.
            for (std::size_t i = 0; i < n; ++i)
                if (taken[i]) settled_.push_back(MatchList::pack(group_[i].start, group_[i].turn));
        }

        static bool before(const Candidate& a, const Candidate& b) {
            return a.turn != b.turn ? a.turn < b.turn : a.start < b.start;
        }

        const MatchChooser& chooser_;
        const KeywordAutomaton& automaton_;
        const std::vector<std::size_t>& firstKeyword_;
        std::vector<MatchList::Packed>& settled_;
        Candidate group_[smallGroup];
        std::size_t size_ = 0;
        std::size_t end_ = 0;
        bool large_ = false;
    };

    // Whether some keyword's scan might take [q, q + length) before any match is chosen.
    bool mightTake(std::size_t q, std::size_t length) const {
        return (!protectsBytes_ || fitsInSegment(q, length)) && (!options_.wholeWords || standsAlone(q, length));
    }

    // What the first pass finds in one stretch of the text: the occurrences whose last byte
    // lies in [from, to). Stretches are done side by side on the machine's threads, and put
    // together in order they give what one pass over the whole text would.
    template <class Offset>
    struct FirstPassPart {
        struct Occurrence {
            std::uint32_t pattern;
            Offset start;
        };
        std::size_t from = 0;
        std::size_t to = 0;
        std::vector<std::size_t> count;  // occurrences of each pattern
        std::vector<Occurrence> kept;    // in the order of their ends, unless !keptAll
        bool keptAll = true;             // false: too many to keep; kept and settled are empty
        std::vector<MatchList::Packed> settled;
    };

    // The stretches of the first pass: eight for each thread in use, so that a thread that
    // falls behind (the machine has other work too) holds up the rest little; the ones after
    // the first each begin where a group of overlapping occurrences begins (see
    // groupStartFrom), so that each can be cut into groups on its own.
    template <class Offset>
    std::vector<FirstPassPart<Offset>> firstPassParts(const KeywordAutomaton& automaton) const {
        const std::size_t n = text_.size(), threads = threadsFor(n, options_.threads);
        const std::size_t wanted = threads > 1 ? 8 * threads : 1;
        std::vector<FirstPassPart<Offset>> parts(1);
        for (std::size_t i = 1; i < wanted; ++i) {
            const std::size_t near = n / wanted * i;
            const std::size_t from = settlesGroups() ? groupStartFrom(automaton, near) : near;
            if (from <= parts.back().from || from >= n) continue;  // none close by: one stretch with the one before
            parts.back().to = from;
            parts.emplace_back().from = from;
        }
        parts.back().to = n;
        return parts;
    }

    // The first position at or after `near` where an occurrence ends that begins a group of
    // its own, whatever came before `near`: its reach is past the end of every occurrence
    // before it. Those that end before `near` end at `near` at the latest, so only the ones
    // found on the way count. Looks a little way only; ClaimedBytes::none if there is none.
    std::size_t groupStartFrom(const KeywordAutomaton& automaton, std::size_t near) const {
        constexpr std::size_t lookAhead = 64 << 10;
        const std::size_t to = std::min(text_.size(), near + lookAhead);
        std::size_t endSoFar = near;
        const std::size_t found = automaton.findReport(text_, near, to, [&](std::size_t i, std::size_t reach) {
            if (reach >= endSoFar) return true;
            endSoFar = i + 1;
            return false;
        });
        return found == to ? ClaimedBytes::none : found;
    }

    template <class Offset>
    void firstPassOver(FirstPassPart<Offset>& part, const KeywordAutomaton& automaton,
                       const std::vector<std::size_t>& firstKeyword) const {
        part.count.assign(automaton.patternCount(), 0);
        const std::size_t keepAtMost = (part.to - part.from) / 2;
        auto keep = [&](std::uint32_t p, std::size_t start) {
            if (!part.keptAll) return;
            if (part.kept.size() <= keepAtMost) {
                part.kept.push_back({p, static_cast<Offset>(start)});
            } else {
                part.keptAll = false;
                part.kept = {};
                part.settled = {};
            }
        };
        if (firstKeyword.empty()) {
            automaton.scan(text_, part.from, part.to, [&](std::uint32_t p, std::size_t start, std::size_t) {
                ++part.count[p];
                keep(p, start);
            });
            return;
        }
        // Article-like text has a match every 15 bytes or so: room for that from the start
        // spares copies as the list grows.
        part.settled.reserve(std::min<std::size_t>((part.to - part.from) / 12, 8 << 20));
        IsolatedGroups groups(*this, automaton, firstKeyword, part.settled);
        automaton.scan(text_, part.from, part.to, [&](std::uint32_t p, std::size_t start, std::size_t reach) {
            ++part.count[p];
            if (part.keptAll) groups.add(p, start, reach, keep);
        });
        if (part.keptAll) groups.finish();
    }

    // Entries are taken in consecutive groups. A pattern's occurrences are listed, by a pass
    // of the automaton over the text, for the group where an entry first needs them;
    // the list then lives on, shrinking as entries take or rule out its occurrences, until
    // the last entry with that pattern is done.
    template <class Offset>
    void chooseInGroups(KeywordAutomaton& automaton, const std::vector<std::uint32_t>& patternOf) {
        const std::size_t patterns = automaton.patternCount();
        std::vector<std::size_t> count(patterns, 0), lastUse(patterns, 0);
        std::vector<std::vector<Offset>> lists(patterns);
        std::vector<bool> listed(patterns, false), wanted(patterns, true);
        for (std::size_t k = 0; k < patternOf.size(); ++k)
            if (patternOf[k] != noPattern) lastUse[patternOf[k]] = k;

        // The first pass counts every pattern's occurrences. While they stay few (fewer than
        // half the text's bytes, as in most texts) it also keeps them, which spares the
        // passes below. Where it can, it settles small isolated groups of occurrences on the
        // spot and keeps only the rest (see IsolatedGroups above).
        automaton.reportOnly(wanted);
        std::vector<FirstPassPart<Offset>> parts = firstPassParts<Offset>(automaton);
        std::vector<std::size_t> firstKeyword;
        if (settlesGroups()) {
            firstKeyword.assign(patterns, 0);
            for (std::size_t k = patternOf.size(); k-- > 0;)
                if (patternOf[k] != noPattern) firstKeyword[patternOf[k]] = k;
        }
        runSideBySide(parts.size(), threadsFor(text_.size(), options_.threads),
                      [&](std::size_t i) { firstPassOver(parts[i], automaton, firstKeyword); });
        const bool keptAll = std::ranges::all_of(parts, [](const FirstPassPart<Offset>& part) { return part.keptAll; });
        for (const FirstPassPart<Offset>& part : parts)
            for (std::size_t p = 0; p < patterns; ++p) count[p] += part.count[p];
        wanted.assign(patterns, false);
        if (keptAll) {
            count.assign(patterns, 0);
            for (const FirstPassPart<Offset>& part : parts)
                for (const auto& o : part.kept) ++count[o.pattern];
            for (std::size_t p = 0; p < patterns; ++p) lists[p].reserve(count[p]);
            for (FirstPassPart<Offset>& part : parts) {
                for (const auto& o : part.kept) lists[o.pattern].push_back(o.start);
                part.kept = {};
                if (!part.settled.empty()) settledParts_.push_back(std::move(part.settled));
            }
            listed.assign(patterns, true);
        }
        parts = {};

        // No pattern occurs more often than the text has bytes, n. With a budget of 2n a
        // group closes only once it lists more than n occurrences, so there are at most
        // (all occurrences) / n + 1 passes, and a pass lists at most 2n occurrences.
        const std::size_t budget = 2 * text_.size();
        for (std::size_t first = 0, last = 0; first < patternOf.size(); first = last) {
            std::vector<std::uint32_t> newPatterns;
            std::size_t total = 0;
            for (; last < patternOf.size(); ++last) {
                const std::uint32_t p = patternOf[last];
                if (p == noPattern || listed[p]) continue;
                if (total > 0 && total + count[p] > budget) break;
                listed[p] = wanted[p] = true;
                newPatterns.push_back(p);
                lists[p].reserve(count[p]);
                total += count[p];
            }
            if (total > 0) {
                automaton.reportOnly(wanted);
                automaton.scan(text_, 0, text_.size(), [&](std::uint32_t p, std::size_t start, std::size_t) {
                    lists[p].push_back(static_cast<Offset>(start));
                });
            }
            for (std::uint32_t p : newPatterns) wanted[p] = false;
            for (std::size_t k = first; k < last; ++k) {
                const std::uint32_t p = patternOf[k];
                if (p == noPattern) continue;
                chooseFor(k, lists[p]);
                if (lastUse[p] == k || lists[p].size() < lists[p].capacity() / 4) lists[p].shrink_to_fit();
                if (lastUse[p] == k) lists[p] = {};
            }
        }
    }

    // Walks one keyword's occurrences left to right and takes each that its scan would take.
    // The list keeps only the occurrences that a later keyword of the same pattern might
    // still take: taken ones, and ones that overlap a claimed byte or fail the whole-word
    // test, stay so for good. Without that, repeated keywords would each walk the whole
    // list again (keywords x occurrences).
    template <class Offset>
    void chooseFor(std::size_t keyword, std::vector<Offset>& occurrences) {
        const std::size_t length = keywords_[keyword].size();
        const bool checkTrailBytes = options_.ignoreCase && starts_ && hasLetterInTrailByte(keywords_[keyword]);
        std::size_t taken = 0, kept = 0, i = 0;
        for (; i < occurrences.size() && taken < options_.maxPerEntry; ++i) {
            const std::size_t q = occurrences[i];
            if (!fitsInSegment(q, length) || (options_.wholeWords && !standsAlone(q, length))) continue;
            if (!isScanStart(q) || (checkTrailBytes && !trailBytesEqual(q, keywords_[keyword]))) {
                occurrences[kept++] = occurrences[i];
                continue;
            }
            claims_.claim(q, q + length);
            matches_.push_back({q, keyword});
            ++taken;
        }
        for (; i < occurrences.size(); ++i) occurrences[kept++] = occurrences[i];
        occurrences.resize(kept);
    }

    // Whether [q, q + length) is all plain text.
    bool fitsInSegment(std::size_t q, std::size_t length) const {
        const std::size_t next = claims_.nextClaimed(q);
        return next == ClaimedBytes::none || next >= q + length;
    }

    // Whether the scan of the plain segment around q stands on q (see CharacterStarts.h).
    bool isScanStart(std::size_t q) const {
        if (!starts_) return true;
        const std::size_t runStart = starts_->leadRunStart(q);
        if (runStart == q) return true;
        const std::size_t lastClaimed = claims_.lastClaimed(q - 1);
        const std::size_t segmentStart = lastClaimed == ClaimedBytes::none ? 0 : lastClaimed + 1;
        return starts_->isStart(q, segmentStart);
    }

    bool standsAlone(std::size_t q, std::size_t length) const {
        auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text_[i]); };
        return (q == 0 || !isWordByte(byteAt(q - 1))) && (q + length == text_.size() || !isWordByte(byteAt(q + length)));
    }

    // The automaton folds every byte; the second byte of a two-byte character must match
    // exactly, and only a keyword with a letter there can tell the difference.
    bool hasLetterInTrailByte(std::string_view keyword) const {
        bool found = false;
        forEachTrailByte(keyword, cp_, [&](std::size_t i) { found = found || isAsciiLetter(static_cast<unsigned char>(keyword[i])); });
        return found;
    }
    bool trailBytesEqual(std::size_t q, std::string_view keyword) const {
        bool equal = true;
        forEachTrailByte(keyword, cp_, [&](std::size_t i) { equal = equal && text_[q + i] == keyword[i]; });
        return equal;
    }

    // All matches: the ones chosen entry by entry, put in order, with the settled ones.
    MatchList inTextOrder() {
        sortChosen();
        return MatchList(std::move(settledParts_), std::move(matches_));
    }

    // The chosen matches sorted by position. Where they are many, in linear time and in
    // place: a match's rank among the set bits of a bit set of match starts is its place,
    // and each swap puts one match in its place for good.
    void sortChosen() {
        if (matches_.size() < text_.size() / 64) {
            std::sort(matches_.begin(), matches_.end(), [](const Match& a, const Match& b) { return a.begin < b.begin; });
            return;
        }
        std::vector<std::uint64_t> startBits(text_.size() / 64 + 1, 0);
        for (const Match& m : matches_) startBits[m.begin / 64] |= std::uint64_t{1} << (m.begin % 64);
        std::vector<std::size_t> rankBefore(startBits.size());
        std::size_t rank = 0;
        for (std::size_t w = 0; w < startBits.size(); ++w) {
            rankBefore[w] = rank;
            rank += static_cast<std::size_t>(std::popcount(startBits[w]));
        }
        auto placeOf = [&](std::size_t begin) {
            const std::uint64_t below = startBits[begin / 64] & ((std::uint64_t{1} << (begin % 64)) - 1);
            return rankBefore[begin / 64] + static_cast<std::size_t>(std::popcount(below));
        };
        for (std::size_t i = 0; i < matches_.size(); ++i)
            for (std::size_t place = placeOf(matches_[i].begin); place != i; place = placeOf(matches_[i].begin))
                std::swap(matches_[i], matches_[place]);
    }

    std::string_view text_;
    std::span<const std::string_view> keywords_;
    const CodePage& cp_;
    const Options& options_;
    std::uint8_t fold_[256];
    ClaimedBytes claims_;
    std::optional<CharacterStarts> starts_;
    bool protectsBytes_ = false;
    std::vector<Match> matches_;
    // The matches settled during the first pass, in text order: one list for each stretch
    // of the text that had some, in the stretches' order.
    std::vector<std::vector<MatchList::Packed>> settledParts_;
};

std::vector<std::string_view> keywordsOf(const std::vector<KeywordEntry>& entries) {
    std::vector<std::string_view> keywords;
    keywords.reserve(entries.size());
    for (const KeywordEntry& e : entries) keywords.push_back(e.keyword);
    return keywords;
}

}  // namespace

bool isWordByte(unsigned char b) {
    return isAsciiLetter(b) || (b >= '0' && b <= '9') || b == '_' || b >= 0x80;
}

std::vector<Match> findMatches(std::string_view text, std::span<const std::string_view> keywords, const CodePage& cp,
                               const Options& options) {
    return MatchChooser(text, keywords, cp, options).run().toVector();
}

std::string insertLinks(std::string_view text, const std::vector<KeywordEntry>& entries, const CodePage& cp,
                        const Options& options) {
    const std::vector<std::string_view> keywords = keywordsOf(entries);
    const MatchList matches = MatchChooser(text, keywords, cp, options).run();
    const LinkedText linked(text, entries, matches, LinkedText::wholeText);
    std::string out;
    if (linked.pieceCount() > 0) linked.makePiece(0, out);
    return out;
}

// The pieces are made on other threads while this one writes the ones made already.
void writeLinks(std::string_view text, const std::vector<KeywordEntry>& entries, const CodePage& cp,
                const Options& options, const std::function<void(std::string_view)>& write) {
    // Article-like text comes out about four times as long: pieces of about a MiB.
    constexpr std::size_t pieceTextBytes = 256 << 10, piecesAhead = 8;
    const std::vector<std::string_view> keywords = keywordsOf(entries);
    const MatchList matches = MatchChooser(text, keywords, cp, options).run();
    const LinkedText linked(text, entries, matches, pieceTextBytes);
    makeInOrder(linked.pieceCount(), threadsFor(text.size(), options.threads) - 1, piecesAhead,
                [&](std::size_t i, std::string& piece) { linked.makePiece(i, piece); }, write);
}

}  // namespace LinkEngine
