#include "MatchList.h"

#include <algorithm>

namespace LinkEngineDetail {

MatchList::MatchList(std::vector<std::vector<Packed>> settled, std::vector<LinkEngine::Match> chosen)
    : chosen_(std::move(chosen)), size_(chosen_.size()) {
    for (std::vector<Packed>& part : settled) {
        size_ += part.size();
        if (!part.empty()) settled_.push_back(std::move(part));
    }
}

MatchList::Cursor MatchList::seek(std::size_t position) const {
    Cursor c(*this);
    c.chosen_ = static_cast<std::size_t>(
        std::partition_point(chosen_.begin(), chosen_.end(), [&](const LinkEngine::Match& m) { return m.begin < position; }) -
        chosen_.begin());
    // The first list whose last match is not before the position, and the place in it.
    const auto beforePosition = [&](Packed m) { return unpack(m).begin < position; };
    c.part_ = static_cast<std::size_t>(
        std::partition_point(settled_.begin(), settled_.end(), [&](const std::vector<Packed>& part) { return beforePosition(part.back()); }) -
        settled_.begin());
    if (c.part_ < settled_.size()) {
        const std::vector<Packed>& part = settled_[c.part_];
        c.index_ = static_cast<std::size_t>(std::partition_point(part.begin(), part.end(), beforePosition) - part.begin());
    }
    return c;
}

std::vector<LinkEngine::Match> MatchList::toVector() const {
    std::vector<LinkEngine::Match> all;
    all.reserve(size_);
    for (Cursor c = begin(); !c.atEnd(); ++c) all.push_back(*c);
    return all;
}

}  // namespace LinkEngineDetail
