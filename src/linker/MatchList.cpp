#include "MatchList.h"

namespace LinkEngineDetail {

MatchList::MatchList(std::vector<std::vector<Packed>> settled, std::vector<LinkEngine::Match> chosen)
    : chosen_(std::move(chosen)), size_(chosen_.size()) {
    for (std::vector<Packed>& part : settled) {
        size_ += part.size();
        if (!part.empty()) settled_.push_back(std::move(part));
    }
}

std::vector<LinkEngine::Match> MatchList::toVector() const {
    std::vector<LinkEngine::Match> all;
    all.reserve(size_);
    for (Cursor c = begin(); !c.atEnd(); ++c) all.push_back(*c);
    return all;
}

}  // namespace LinkEngineDetail
