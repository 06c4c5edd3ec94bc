#pragma once
// The link inserter: wraps every occurrence of each keyword of an ordered table in an
// HTML anchor that points to the keyword's link. Platform-free; texts are bytes.
//
// Rules, in the order they apply:
//   - Entries apply in list order. Each replaces every occurrence of its keyword, leftmost
//     first and without overlap: after a match the search goes on behind it.
//   - Matches are tried only at character starts. In a multi-byte code page a lead byte and
//     the byte after it are one character, and no keyword matches from that second byte; a
//     lead byte that is the text's last byte is a character of its own.
//   - An anchor that an earlier entry inserted is never searched again: a later keyword
//     matches neither inside it nor across its edges. Markup that was already in the input
//     is ordinary text.
//   - Bytes are compared exactly (letter case counts); every byte outside the matches, NUL
//     and CR LF included, is copied unchanged. An empty keyword changes nothing; an empty
//     link still gives anchors.
//
// Examples, entries written (keyword, link):
//   (New York, L1), (York, L2) on "New York"  ->  <a href="L1">New York</a>
//   (York, L2), (New York, L1) on "New York"  ->  New <a href="L2">York</a>
//   (aa, L) on "aaa"                          ->  <a href="L">aa</a>a
#include <bitset>
#include <string>
#include <vector>

struct KeywordEntry { std::string keyword; std::string link; };  // KeywordEntry{"cat", "/cat.html"}

// Which bytes begin a two-byte character.
class CodePage {
public:
    static CodePage singleByte();           // every byte is a character
    static CodePage byNumber(unsigned cp);  // 932, 936, 949 and 950 from built-in lead-byte ranges; any other: single-byte
    static CodePage systemAnsi();           // on Windows the ANSI code page in force; elsewhere singleByte()
    bool isLeadByte(unsigned char b) const;

private:
    std::bitset<256> leadBytes_;
};

namespace LinkInserter {

// makeAnchor("cat", "/c.html") == "<a href=\"/c.html\">cat</a>"; nothing is escaped.
std::string makeAnchor(const std::string& keyword, const std::string& link);

// Every occurrence of `keyword`, leftmost first and without overlap, replaced by
// `replacement`, which is never searched again: replaceAll("aaa", "aa", "b") == "ba",
// replaceAll("cat", "cat", "a cat") == "a cat". An empty keyword leaves the text as it is.
std::string replaceAll(const std::string& text, const std::string& keyword, const std::string& replacement,
                       const CodePage& cp = CodePage::systemAnsi());

// The text with the entries applied in order, by the rules above. One entry alone gives
// replaceAll(text, keyword, makeAnchor(keyword, link)). Costs about the text's length plus
// the number of occurrences, whatever the number of entries.
std::string insertLinks(const std::string& text, const std::vector<KeywordEntry>& entries,
                        const CodePage& cp = CodePage::systemAnsi());

}  // namespace LinkInserter
