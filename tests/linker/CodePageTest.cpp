#include "LinkInserter.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

struct LeadByteRanges {
    unsigned codePage;
    std::initializer_list<std::pair<unsigned, unsigned>> ranges;
};

bool inRanges(unsigned b, const LeadByteRanges& r) {
    for (auto [first, last] : r.ranges)
        if (b >= first && b <= last) return true;
    return false;
}

// Every byte of each known code page, so that a range's ends are pinned down too.
TEST(CodePage, LeadBytesOfKnownCodePages) {
    const LeadByteRanges pages[] = {
        {932, {{0x81, 0x9F}, {0xE0, 0xFC}}},
        {936, {{0x81, 0xFE}}},
        {949, {{0x81, 0xFE}}},
        {950, {{0x81, 0xFE}}},
        {1252, {}},
        {65001, {}},
        {0, {}},
    };
    for (const LeadByteRanges& page : pages) {
        const CodePage cp = CodePage::byNumber(page.codePage);
        for (unsigned b = 0; b < 256; ++b)
            EXPECT_EQ(cp.isLeadByte(static_cast<unsigned char>(b)), inRanges(b, page)) << page.codePage << " byte " << b;
    }
}

TEST(CodePage, SingleByteHasNoLeadBytes) {
    const CodePage cp = CodePage::singleByte();
    for (unsigned b = 0; b < 256; ++b) EXPECT_FALSE(cp.isLeadByte(static_cast<unsigned char>(b)));
}

#ifndef _WIN32
TEST(CodePage, SystemAnsiOutsideWindowsIsSingleByte) {
    const CodePage cp = CodePage::systemAnsi();
    for (unsigned b = 0; b < 256; ++b) EXPECT_FALSE(cp.isLeadByte(static_cast<unsigned char>(b)));
}
#endif

}  // namespace
