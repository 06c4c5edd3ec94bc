#pragma once
// The matches that the engine chose, in the order of their positions, held as it finds them:
// the many settled during the first pass, 8 bytes each, in one list for each stretch of the
// text, and the few chosen entry by entry. A cursor reads them in order, so that they never
// need copying into one list of full-size matches.
#include "LinkEngine.h"

#include <cstdint>
#include <vector>

namespace LinkEngineDetail {

class MatchList {
public:
    // A match in 8 bytes, for texts and tables of up to 4 Gi bytes and entries: its position
    // above, its entry below, so that the numbers sort as the positions do.
    using Packed = std::uint64_t;
    static Packed pack(std::size_t begin, std::size_t entry) { return static_cast<Packed>(begin) << 32 | entry; }
    static LinkEngine::Match unpack(Packed m) {
        return {static_cast<std::size_t>(m >> 32), static_cast<std::size_t>(m & UINT32_MAX)};
    }

    // Each list in the order of positions, and the settled lists one after the other.
    MatchList(std::vector<std::vector<Packed>> settled, std::vector<LinkEngine::Match> chosen);
    explicit MatchList(std::vector<LinkEngine::Match> chosen) : MatchList({}, std::move(chosen)) {}

    // A place in the list, from the first match on.
    class Cursor {
    public:
        bool atEnd() const { return chosen_ == list_->chosen_.size() && part_ == list_->settled_.size(); }
        LinkEngine::Match operator*() const { return takesChosen() ? list_->chosen_[chosen_] : unpack(settled()); }
        Cursor& operator++() {
            if (takesChosen()) {
                ++chosen_;
            } else if (++index_ == list_->settled_[part_].size()) {
                ++part_;
                index_ = 0;
            }
            return *this;
        }

    private:
        friend class MatchList;
        explicit Cursor(const MatchList& list) : list_(&list) {}
        Packed settled() const { return list_->settled_[part_][index_]; }
        bool takesChosen() const {
            return part_ == list_->settled_.size() ||
                   (chosen_ < list_->chosen_.size() && list_->chosen_[chosen_].begin < unpack(settled()).begin);
        }

        const MatchList* list_;
        std::size_t chosen_ = 0, part_ = 0, index_ = 0;
    };

    Cursor begin() const { return Cursor(*this); }
    // The place of the first match that begins at or after `position`.
    Cursor seek(std::size_t position) const;
    std::size_t size() const { return size_; }
    std::vector<LinkEngine::Match> toVector() const;

private:
    std::vector<std::vector<Packed>> settled_;  // none empty
    std::vector<LinkEngine::Match> chosen_;
    std::size_t size_ = 0;
};

}  // namespace LinkEngineDetail
