#include "LinkInserter.h"
// placeholder, to be replaced
CodePage CodePage::singleByte() { return CodePage(); }
CodePage CodePage::byNumber(unsigned) { return CodePage(); }
CodePage CodePage::systemAnsi() { return CodePage(); }
bool CodePage::isLeadByte(unsigned char) const { return false; }
namespace LinkInserter {
std::string makeAnchor(const std::string& keyword, const std::string& link) {
    return "<a href=\"" + link + "\">" + keyword + "</a>";
}
std::string replaceAll(const std::string& text, const std::string&, const std::string&, const CodePage&) { return text; }
std::string insertLinks(const std::string& text, const std::vector<KeywordEntry>&, const CodePage&) { return text; }
}
