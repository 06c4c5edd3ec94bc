#pragma once
#include <string>
#include <vector>

struct KeywordEntry { std::string keyword; std::string link; };

class CodePage {
public:
    static CodePage singleByte();
    static CodePage byNumber(unsigned cp);
    static CodePage systemAnsi();
    bool isLeadByte(unsigned char b) const;
private:
    unsigned number_ = 0;
};

namespace LinkInserter {
std::string makeAnchor(const std::string& keyword, const std::string& link);
std::string replaceAll(const std::string& text, const std::string& keyword, const std::string& replacement,
                       const CodePage& cp = CodePage::systemAnsi());
std::string insertLinks(const std::string& text, const std::vector<KeywordEntry>& entries,
                        const CodePage& cp = CodePage::systemAnsi());
}
