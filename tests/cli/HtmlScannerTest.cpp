// The HTML scanner: which bytes --html keeps away from linking. Each case draws the
// protected bytes as '#' under the text, the free ones as '.'.
#include "HtmlScanner.h"

#include <gtest/gtest.h>

namespace {

std::string maskOf(std::string_view html) {
    std::string mask(html.size(), '.');
    for (const LinkEngine::ByteRange& r : htmlProtectedRanges(html)) mask.replace(r.begin, r.end - r.begin, r.end - r.begin, '#');
    return mask;
}

struct ScanCase {
    const char* what;
    std::string_view html;
    std::string_view mask;
};

const ScanCase scanCases[] = {
    {"plain text", "cat and dog", "..........."},
    {"empty text", "", ""},
    // Tags.
    {"start and end tags", "a <b>cat</b>.", "..###...####."},
    {"attributes", "<img src=x alt=cat>cat", "###################..."},
    {"> inside quoted values", R"(<p title="1 > 0" data-x='>'>x)", "############################."},
    {"> after an unquoted value ends the tag", "<p x=a>b>c", "#######..."},
    {"quotes that are not values", R"(<p "a>b)", "######."},
    {"upper-case and self-closing tags", "<BR/>x<Hr >", "#####.#####"},
    {"a tag without its > runs to the end", "x <p class=\"a", "..###########"},
    {"a quote that never closes runs to the end", "<p title=\"a>b", "#############"},
    // A "<" that starts no tag is text.
    {"< before a space, a digit, =", "a < b <3 x<=y", "............."},
    {"< at the end", "cat<", "...."},
    {"</ before no letter", "</ p> <//>", ".........."},
    // Comments, declarations, processing instructions.
    {"a comment", "x<!-- cat -->y", ".############."},
    {"a comment with tags and -- inside", "<!-- <a> -- -->z", "###############."},
    {"the shortest comments", "<!---->a<!-->b<!--->c", "#######.#####.######."},
    {"a comment without its end", "x<!-- cat", ".########"},
    {"a declaration", "<!DOCTYPE html>x", "###############."},
    {"a processing instruction", "<?xml version=\"1.0\"?>x", "#####################."},
    // Elements whose content is no markup.
    {"script", "a<script>if (a < cat) x();</script>b", ".##################################."},
    {"script: a tag-like text inside does not end it", "<script>'</b>'</script>c", "#######################."},
    {"script ends at its own end tag only", "<script>1</scripts>2</script >3", "##############################."},
    {"style, upper case", "<STYLE>p{}</Style>x", "##################."},
    {"title and textarea", "<title>cat</title><textarea>cat</textarea>cat", "##########################################..."},
    {"script without its end tag", "<script>cat", "###########"},
    {"a name that starts like script", "<scripts>cat</scripts>", "#########...##########"},
    // Existing anchors: tags and text.
    {"an anchor", "x <a href=\"/c\">cat</a> y", "..####################.."},
    {"an anchor in upper case, with markup inside", "<A HREF=x><b>cat</b></A>z", "########################."},
    {"a new anchor ends the one before", "<a>x<a>y</a>z", "############."},
    {"an anchor without its end runs to the end", "<a name=top>cat", "###############"},
    {"</a> inside a comment in an anchor does not end it", "<a><!--</a>-->x</a>y", "###################."},
    {"a stray </a>", "x</a>y", ".####."},
    {"<abbr> is no anchor", "<abbr>cat</abbr>", "######...#######"},
    // Character references.
    {"named, decimal and hex references", "&amp;&#233;&#xE9;&copy2;", "########################"},
    {"no ; no reference", "AT&T &amp x &#12 &", ".................."},
    {"& before no name", "&; &#; &#x; &-;", "..............."},
    // Multi-byte text passes through untouched.
    {"bytes of 0x80 and above", "\x82\xA0<b>\x82\xA0</b>", "..###..####"},
};

TEST(HtmlScanner, ProtectsMarkupOnly) {
    for (const ScanCase& c : scanCases) EXPECT_EQ(maskOf(c.html), c.mask) << c.what << ": " << c.html;
}

TEST(HtmlScanner, RangesAreAscendingAndApart) {
    const auto ranges = htmlProtectedRanges("<p>a</p> <p>b</p><i>&amp;</i>x");
    ASSERT_FALSE(ranges.empty());
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        EXPECT_LT(ranges[i].begin, ranges[i].end);
        if (i > 0) {
            EXPECT_LT(ranges[i - 1].end, ranges[i].begin);
        }
    }
    // Touching markup makes one range: "</p><i>&amp;</i>" is one.
    EXPECT_EQ(ranges.size(), 4u);
}

}  // namespace
