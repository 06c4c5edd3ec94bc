#include "LinkCases.h"

using namespace std::string_literals;

namespace {

LinkEngine::Options ignoringCase() { return {.ignoreCase = true}; }
LinkEngine::Options wholeWords() { return {.wholeWords = true}; }
LinkEngine::Options atMost(std::size_t n) { return {.maxPerEntry = n}; }
LinkEngine::Options protecting(std::vector<LinkEngine::ByteRange> ranges) { return {.protectedRanges = std::move(ranges)}; }

}  // namespace

const std::vector<LinkCase>& linkCases() {
    static const std::vector<LinkCase> cases = {
        // The basic rules.
        {"no_entries_copies_text", {}, "New York", "New York"},
        {"empty_text", {{"cat", "L"}}, "", ""},
        {"every_occurrence", {{"cat", "L"}}, "cat cat", R"(<a href="L">cat</a> <a href="L">cat</a>)"},
        {"leftmost_without_overlap_even", {{"aa", "L"}}, "aaaa", R"(<a href="L">aa</a><a href="L">aa</a>)"},
        {"leftmost_without_overlap_odd", {{"aa", "L"}}, "aaa", R"(<a href="L">aa</a>a)"},
        {"case_counts", {{"Cat", "L"}}, "cat CAT", "cat CAT"},
        {"no_notion_of_words", {{"cat", "L"}}, "concatenate", R"(con<a href="L">cat</a>enate)"},
        {"keyword_longer_than_text", {{"cats", "L"}}, "cat", "cat"},
        {"keyword_is_whole_text", {{"cat", "L"}}, "cat", R"(<a href="L">cat</a>)"},
        // The anchor holds the keyword twice; the entry that made it does not search it again.
        {"keyword_in_its_own_link", {{"cat", "/cat/cat.html"}}, "cat", R"(<a href="/cat/cat.html">cat</a>)"},
        {"empty_link", {{"cat", ""}}, "a cat", R"(a <a href="">cat</a>)"},
        {"empty_keyword_changes_nothing", {{"", "L"}}, "abc", "abc"},
        {"empty_keyword_among_others", {{"", "L1"}, {"b", "L2"}, {"", "L3"}}, "abc", R"(a<a href="L2">b</a>c)"},
        {"nothing_escaped_in_link", {{"cat", "a\"b&<"}}, "cat", R"(<a href="a"b&<">cat</a>)"},
        {"keyword_matches_bytes_not_references", {{"a&b", "L"}}, "a&amp;b a&b", R"(a&amp;b <a href="L">a&b</a>)"},
        {"markup_of_the_input_is_text", {{"href", "L"}}, R"(<a href="x">)", R"(<a <a href="L">href</a>="x">)"},
        {"nul_and_crlf_pass_through", {{"b", "L"}}, "a\0b\r\nb\r\n"s, "a\0<a href=\"L\">b</a>\r\n<a href=\"L\">b</a>\r\n"s},
        {"nul_inside_keyword", {{"a\0b"s, "L"}}, "a\0b ab"s, "<a href=\"L\">a\0b</a> ab"s},
        {"high_bytes_single_byte_page", {{"\xE9t\xE9", "L"}}, "\xE9t\xE9", "<a href=\"L\">\xE9t\xE9</a>"},

        // Order of entries; inserted anchors are opaque to later entries.
        {"longer_keyword_first", {{"New York", "L1"}, {"York", "L2"}}, "New York", R"(<a href="L1">New York</a>)"},
        {"shorter_keyword_first", {{"York", "L2"}, {"New York", "L1"}}, "New York", R"(New <a href="L2">York</a>)"},
        {"duplicate_keyword_links_once", {{"cat", "L1"}, {"cat", "L2"}}, "cat", R"(<a href="L1">cat</a>)"},
        {"later_keyword_not_found_in_markup", {{"cat", "x"}, {"a", "y"}}, "cat", R"(<a href="x">cat</a>)"},
        {"later_keyword_found_around_anchors", {{"cat", "x"}, {"a", "y"}}, "a cat a",
         R"(<a href="y">a</a> <a href="x">cat</a> <a href="y">a</a>)"},
        {"no_match_across_anchor_edge", {{"b", "x"}, {"ab", "y"}, {"bc", "z"}}, "abc", R"(a<a href="x">b</a>c)"},
        {"prefix_keyword_first", {{"ab", "x"}, {"abc", "y"}}, "abc abcd", R"(<a href="x">ab</a>c <a href="x">ab</a>cd)"},
        {"prefix_keyword_second", {{"abc", "y"}, {"ab", "x"}}, "abc abd", R"(<a href="y">abc</a> <a href="x">ab</a>d)"},
        {"later_entry_fills_gaps", {{"aa", "x"}, {"a", "y"}}, "aaa", R"(<a href="x">aa</a><a href="y">a</a>)"},

        // Multi-byte code pages: matches start only at character starts.
        {"trail_byte_not_matched_932", {{"\\", "L"}}, "\x83\\", "\x83\\", 932},
        {"trail_byte_matched_single_byte", {{"\\", "L"}}, "\x83\\", "\x83<a href=\"L\">\\</a>"},
        {"after_two_byte_character_932", {{"\\", "L"}}, "\x83\\\\", "\x83\\<a href=\"L\">\\</a>", 932},
        {"lead_run_parity_932", {{"\\", "L"}}, "\x81\x81\\ \x81\x81\x81\\", "\x81\x81<a href=\"L\">\\</a> \x81\x81\x81\\", 932},
        {"lead_byte_as_last_byte_932", {{"\x83", "L"}}, "a\x83", "a<a href=\"L\">\x83</a>", 932},
        {"keyword_of_lead_bytes_932", {{"\x83", "L"}}, "\x83\x83", "<a href=\"L\">\x83</a><a href=\"L\">\x83</a>", 932},
        {"two_byte_keyword_936", {{"\xC4\xE3", "L"}}, "\xB0\xC4\xE3 \xC4\xE3", "\xB0\xC4\xE3 <a href=\"L\">\xC4\xE3</a>", 936},
        {"code_page_949_lead_bytes", {{"A", "L"}}, "\xB0" "A A", "\xB0" "A <a href=\"L\">A</a>", 949},
        {"code_page_950_lead_bytes", {{"@", "L"}}, "\xA4@@", "\xA4@<a href=\"L\">@</a>", 950},
        {"other_code_page_is_single_byte", {{"\\", "L"}}, "\x83\\", "\x83<a href=\"L\">\\</a>", 1252},
        // After an anchor, the scan of the rest starts at the anchor's end, whatever byte is there.
        {"scan_restarts_behind_anchor_932", {{"a\x81", "x"}, {"\\", "y"}}, "a\x81\\",
         "<a href=\"x\">a\x81</a><a href=\"y\">\\</a>", 932},

        // Options for the command-line tool.
        {"ignore_case_keeps_text_letters", {{"cat", "L"}}, "Cat CAT cat",
         R"(<a href="L">Cat</a> <a href="L">CAT</a> <a href="L">cat</a>)", 0, ignoringCase()},
        {"ignore_case_folds_keyword", {{"CAT", "L"}}, "a cat", R"(a <a href="L">cat</a>)", 0, ignoringCase()},
        {"ignore_case_duplicate_in_other_case", {{"cat", "x"}, {"CAT", "y"}}, "cAt", R"(<a href="x">cAt</a>)", 0,
         ignoringCase()},
        {"ignore_case_only_ascii", {{"\xE9", "L"}}, "\xC9", "\xC9", 0, ignoringCase()},
        {"ignore_case_trail_byte_exact_932", {{"\x83" "a", "L"}}, "\x83" "A \x83" "a", "\x83" "A <a href=\"L\">\x83" "a</a>",
         932, ignoringCase()},
        {"whole_words_at_text_edges", {{"cat", "L"}}, "cat concat cats cat_ cat1 cat.",
         R"(<a href="L">cat</a> concat cats cat_ cat1 <a href="L">cat</a>.)", 0, wholeWords()},
        {"whole_words_next_to_high_bytes", {{"cat", "L"}}, "\x82\xA0" "cat cat\xE9 cat", "\x82\xA0" "cat cat\xE9 <a href=\"L\">cat</a>",
         932, wholeWords()},
        {"whole_words_see_input_neighbours", {{"cat", "x"}, {"!", "y"}, {"go", "z"}}, "cat! !go",
         R"(<a href="x">cat</a>! !<a href="z">go</a>)", 0, wholeWords()},
        {"whole_words_later_occurrence", {{"ab", "L"}}, "abab ab", R"(abab <a href="L">ab</a>)", 0, wholeWords()},
        {"at_most_one_per_entry", {{"cat", "L"}}, "cat cat", R"(<a href="L">cat</a> cat)", 0, atMost(1)},
        {"at_most_counts_each_entry", {{"cat", "x"}, {"cat", "y"}}, "cat cat cat",
         R"(<a href="x">cat</a> <a href="y">cat</a> cat)", 0, atMost(1)},
        {"at_most_with_overlapping_keywords", {{"ab", "x"}, {"b", "y"}}, "ab ab b",
         R"(<a href="x">ab</a> a<a href="y">b</a> b)", 0, atMost(1)},
        {"at_most_zero_links_nothing", {{"cat", "L"}}, "cat", "cat", 0, atMost(0)},
        {"protected_ranges_never_match", {{"i", "x"}, {"cat", "y"}}, "<i cat>cat</i>",
         R"(<i cat><a href="y">cat</a></i>)", 0, protecting({{0, 7}, {10, 14}})},
        {"protected_range_splits_segment", {{"ab", "L"}}, "abab", R"(ab<a href="L">ab</a>)", 0, protecting({{1, 2}})},
        {"protected_ranges_unsorted_overlapping_beyond_end", {{"a", "L"}}, "aaaa", R"(<a href="L">a</a>aaa)", 0,
         protecting({{3, 99}, {1, 3}, {2, 2}})},
        {"protected_range_shifts_scan_932", {{"\\", "L"}}, "\x81\x81\\", "\x81\x81\\", 932, protecting({{0, 1}})},
    };
    return cases;
}

const std::vector<ReplaceCase>& replaceCases() {
    static const std::vector<ReplaceCase> cases = {
        {"every_occurrence", "a-b-c", "-", "+", "a+b+c"},
        {"leftmost_without_overlap", "aaa", "aa", "b", "ba"},
        {"keyword_in_replacement_not_rescanned", "cat cat", "cat", "a cat", "a cat a cat"},
        {"empty_keyword", "abc", "", "x", "abc"},
        {"empty_replacement_deletes", "a-b-", "-", "", "ab"},
        {"longer_replacement", "ab", "a", "xyz", "xyzb"},
        {"trail_byte_932", "\x83\\\\", "\\", "/", "\x83\\/", 932},
        {"trail_byte_single_byte", "\x83\\\\", "\\", "/", "\x83//"},
        {"nul_bytes", "\0a\0"s, "\0"s, "0", "0a0"},
    };
    return cases;
}
