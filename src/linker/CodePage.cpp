#include "LinkInserter.h"

#ifdef _WIN32
// Declared here rather than through windows.h: the linker stays free of Windows headers.
extern "C" __declspec(dllimport) unsigned __stdcall GetACP(void);
#endif

namespace {

struct ByteRange { unsigned char first, last; };

// The lead-byte ranges that Windows reports for its double-byte ANSI code pages.
constexpr ByteRange shiftJisLeadBytes[] = {{0x81, 0x9F}, {0xE0, 0xFC}};  // 932, Japanese
constexpr ByteRange highHalfLeadBytes[] = {{0x81, 0xFE}};                // 936, 949, 950

}  // namespace

CodePage CodePage::singleByte() { return CodePage(); }

CodePage CodePage::byNumber(unsigned cp) {
    CodePage page;
    auto addRanges = [&page](const auto& ranges) {
        for (const ByteRange& r : ranges)
            for (unsigned b = r.first; b <= r.last; ++b) page.leadBytes_.set(b);
    };
    switch (cp) {
    case 932: addRanges(shiftJisLeadBytes); break;
    case 936:
    case 949:
    case 950: addRanges(highHalfLeadBytes); break;
    default: break;
    }
    return page;
}

CodePage CodePage::systemAnsi() {
#ifdef _WIN32
    return byNumber(GetACP());
#else
    return singleByte();
#endif
}

bool CodePage::isLeadByte(unsigned char b) const { return leadBytes_.test(b); }
