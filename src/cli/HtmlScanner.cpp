#include "HtmlScanner.h"

#include <algorithm>

namespace {

using LinkEngine::ByteRange;

constexpr std::size_t npos = std::string_view::npos;

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool isHtmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }
char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, {}, asciiLower, asciiLower);
}

// Elements whose content is text that the browser does not read as markup.
bool holdsNoMarkup(std::string_view tagName) {
    static constexpr std::string_view names[] = {"script", "style", "title", "textarea"};
    return std::ranges::any_of(names, [&](std::string_view n) { return equalsIgnoringCase(tagName, n); });
}

class HtmlScanner {
public:
    explicit HtmlScanner(std::string_view html) : html_(html) {}

    std::vector<ByteRange> run();

private:
    enum class MarkupKind { none, anchorStart, anchorEnd, other };
    struct Markup {
        MarkupKind kind;
        std::size_t end;
    };

    Markup markupAt(std::size_t lessThan) const;
    std::size_t referenceEnd(std::size_t ampersand) const;
    std::string_view tagNameAt(std::size_t at) const;
    std::size_t tagEnd(std::size_t from) const;
    std::size_t elementEnd(std::size_t from, std::string_view tagName) const;
    std::size_t endOf(std::size_t found, std::size_t length) const { return found == npos ? html_.size() : found + length; }

    void protect(std::size_t begin, std::size_t end);

    std::string_view html_;
    std::vector<ByteRange> ranges_;
};

std::vector<ByteRange> HtmlScanner::run() {
    // The <a> element open since this position; inside it everything is protected, so
    // the markup in it adds no range of its own.
    std::size_t openAnchor = npos;
    for (std::size_t at = 0; (at = html_.find_first_of("<&", at)) != npos;) {
        const Markup m = html_[at] == '&' ? Markup{MarkupKind::other, referenceEnd(at)} : markupAt(at);
        if (m.kind == MarkupKind::none || m.end == at) {
            ++at;
            continue;
        }
        if (m.kind == MarkupKind::anchorStart) {
            if (openAnchor != npos) protect(openAnchor, at);  // a new <a> ends the one before
            openAnchor = at;
        } else if (m.kind == MarkupKind::anchorEnd && openAnchor != npos) {
            protect(openAnchor, m.end);
            openAnchor = npos;
        } else if (openAnchor == npos) {
            protect(at, m.end);
        }
        at = m.end;
    }
    if (openAnchor != npos) protect(openAnchor, html_.size());
    return std::move(ranges_);
}

HtmlScanner::Markup HtmlScanner::markupAt(std::size_t lessThan) const {
    const std::string_view rest = html_.substr(lessThan);
    if (rest.starts_with("<!--")) return {MarkupKind::other, endOf(html_.find("-->", lessThan + 2), 3)};
    if (rest.starts_with("<!") || rest.starts_with("<?")) return {MarkupKind::other, endOf(html_.find('>', lessThan + 2), 1)};

    const bool isEndTag = rest.starts_with("</");
    const std::size_t nameAt = lessThan + (isEndTag ? 2 : 1);
    if (nameAt >= html_.size() || !isAsciiLetter(html_[nameAt])) return {MarkupKind::none, lessThan};
    const std::string_view name = tagNameAt(nameAt);
    const std::size_t end = tagEnd(nameAt + name.size());
    if (equalsIgnoringCase(name, "a")) return {isEndTag ? MarkupKind::anchorEnd : MarkupKind::anchorStart, end};
    if (!isEndTag && holdsNoMarkup(name)) return {MarkupKind::other, elementEnd(end, name)};
    return {MarkupKind::other, end};
}

// "&name;", "&#123;" or "&#x7B;": the end behind the ";", or `ampersand` when none is there.
std::size_t HtmlScanner::referenceEnd(std::size_t ampersand) const {
    std::size_t at = ampersand + 1;
    auto skip = [&](bool (*accepts)(char)) {
        const std::size_t from = at;
        while (at < html_.size() && accepts(html_[at])) ++at;
        return at > from;
    };
    bool valid;
    if (at < html_.size() && html_[at] == '#') {
        ++at;
        const bool hex = at < html_.size() && (html_[at] == 'x' || html_[at] == 'X');
        if (hex) ++at;
        valid = skip(hex ? isHexDigit : isAsciiDigit);
    } else {
        valid = at < html_.size() && isAsciiLetter(html_[at]) &&
                skip([](char c) { return isAsciiLetter(c) || isAsciiDigit(c); });
    }
    return valid && at < html_.size() && html_[at] == ';' ? at + 1 : ampersand;
}

// A tag's name runs up to white space, "/" or ">".
std::string_view HtmlScanner::tagNameAt(std::size_t at) const {
    std::size_t end = at;
    while (end < html_.size() && !isHtmlSpace(html_[end]) && html_[end] != '/' && html_[end] != '>') ++end;
    return html_.substr(at, end - at);
}

// The end of a tag whose attributes start at `from`: behind the first ">" that is not in
// a quoted attribute value ("<a title='1 > 0'>").
std::size_t HtmlScanner::tagEnd(std::size_t from) const {
    for (std::size_t at = from; at < html_.size(); ++at) {
        if (html_[at] == '>') return at + 1;
        if (html_[at] != '=') continue;
        do ++at;
        while (at < html_.size() && isHtmlSpace(html_[at]));
        if (at < html_.size() && (html_[at] == '"' || html_[at] == '\'')) {
            at = html_.find(html_[at], at + 1);
            if (at == npos) return html_.size();
        } else {
            --at;  // an unquoted value: look at this byte again
        }
    }
    return html_.size();
}

// The end of the element `tagName` whose content starts at `from`: behind its end tag.
std::size_t HtmlScanner::elementEnd(std::size_t from, std::string_view tagName) const {
    for (std::size_t at = from; (at = html_.find("</", at)) != npos; at += 2) {
        const std::size_t nameEnd = at + 2 + tagName.size();
        if (nameEnd > html_.size() || !equalsIgnoringCase(html_.substr(at + 2, tagName.size()), tagName)) continue;
        if (nameEnd == html_.size() || isHtmlSpace(html_[nameEnd]) || html_[nameEnd] == '/' || html_[nameEnd] == '>')
            return tagEnd(nameEnd);
    }
    return html_.size();
}

void HtmlScanner::protect(std::size_t begin, std::size_t end) {
    if (!ranges_.empty() && ranges_.back().end >= begin)
        ranges_.back().end = std::max(ranges_.back().end, end);
    else
        ranges_.push_back({begin, end});
}

}  // namespace

std::vector<LinkEngine::ByteRange> htmlProtectedRanges(std::string_view html) { return HtmlScanner(html).run(); }
