#include "LinkInserter.h"

#include "LinkEngine.h"

#include <string_view>

namespace LinkInserter {

std::string makeAnchor(const std::string& keyword, const std::string& link) {
    std::string anchor;
    LinkEngine::appendAnchor(anchor, keyword, link);
    return anchor;
}

std::string replaceAll(const std::string& text, const std::string& keyword, const std::string& replacement,
                       const CodePage& cp) {
    const std::string_view keywords[] = {keyword};
    const std::vector<LinkEngine::Match> matches = LinkEngine::findMatches(text, keywords, cp, {});
    std::string out;
    out.reserve(text.size() + matches.size() * replacement.size());
    std::size_t copied = 0;
    for (const LinkEngine::Match& m : matches) {
        out.append(text, copied, m.begin - copied).append(replacement);
        copied = m.begin + keyword.size();
    }
    out.append(text, copied);
    return out;
}

std::string insertLinks(const std::string& text, const std::vector<KeywordEntry>& entries, const CodePage& cp) {
    return LinkEngine::insertLinks(text, entries, cp, {});
}

}  // namespace LinkInserter
