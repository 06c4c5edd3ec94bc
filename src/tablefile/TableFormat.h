#pragma once
// The bytes of Tagloom's table file "tagloom.dat", read into entries and written back.
//
// Platform-free: the window and the command-line tool both read and write the table
// through these functions, so a table links the same way in both. Opening, replacing and
// closing the file is the caller's business; this module only turns bytes into entries
// and entries into bytes.
//
// Entries are in FILE ORDER: the first entry of the file comes first. The window shows
// the file bottom-up (the loader inserts each entry at the top of its list), so its caller
// reverses the list's rows on the way out and inserts in file order on the way in.
//
// Layout written (every line ends CR LF, nothing after the last one):
//
//     CREATOR=TAGLOOM 1.0
//     KEYWORD=widgets
//     LINK=/catalog/widgets.html
//                                       <- an empty line before every entry but the first
//     KEYWORD=blue paint
//     LINK=/paint/blue.html
//
// That is 111 bytes. An empty table is an empty file (0 bytes): the CREATOR line only ever
// goes out together with the first entry.
//
// Reading rules, in the order they apply:
//   1. A 0x1A byte ends the data: it and every byte after it are never read.
//   2. A line ends at every LF; CR LF reads as LF and a CR anywhere else is an ordinary
//      byte. Bytes after the last LF (a last line without a line end) are dropped.
//   3. Trailing white space (space and 0x09 to 0x0D) is trimmed from each line. Leading
//      white space and bytes of 0x80 and above stay.
//   4. The first "=" splits the line into name and value; further "=" bytes belong to the
//      value; a line without "=" is all name, with an empty value.
//   5. Names match exactly and case-sensitively ("KEYWORD", "LINK"); every other line,
//      "CREATOR" and empty lines included, is ignored.
//   6. KEYWORD completes the pending entry (if its keyword is not empty) and starts a new
//      one; LINK sets the link, and a later LINK line overrides an earlier one. The link is
//      carried over: an entry without a LINK line of its own takes the link of the entry
//      before it, the first one the value of a LINK line above it, else empty text.
//   7. An entry whose keyword is empty is never returned, but a LINK line after it still
//      changes the link that is carried over. Duplicate keywords are all returned.
//
//   For example "KEYWORD=a\nLINK=x\nKEYWORD=b\nKEYWORD=\nLINK=y\nKEYWORD=c\nLINK=z" reads
//   as {a, x}, {b, x}, {c, y}: b carries a's link; the empty keyword adds nothing, but its
//   LINK line still sets the link that c carries; "LINK=z" has no line end and is dropped.
//
// NUL bytes. A keyword or link never holds a NUL byte: the window keeps its rows as C
// strings and would cut the text at the NUL, so the table it shows (and links with) would
// silently differ from what the command-line tool reads. A value holding a NUL is
// therefore unusable, and no entry is built from it; every other entry still loads:
//   - a KEYWORD line whose value holds a NUL reads as "KEYWORD" with an empty value: it
//     completes the pending entry and starts none, so the damaged entry is dropped rather
//     than cut short (a cut keyword could match far more text than the real one);
//   - a LINK line whose value holds a NUL makes the link unknown: the entry it belongs to,
//     and any later entry that would carry that link over, is dropped until a LINK line
//     without a NUL sets the link again (a second LINK line of the same entry rescues it);
//   - a NUL before the first "=" makes the name match nothing, so that line is ignored
//     like any other unknown line.
#include "LinkInserter.h"

#include <string>
#include <string_view>
#include <vector>

namespace TableFormat {

// The table file's name, opened relative to the current directory.
inline constexpr std::string_view tableFileName = "tagloom.dat";

// The entries that the file's bytes hold, in file order, by the reading rules above.
// Never fails: any bytes at all give some list (possibly empty). Every entry returned has
// a non-empty keyword, and no keyword or link holds a NUL, LF or 0x1A byte or ends in
// white space.
std::vector<KeywordEntry> parseTable(std::string_view fileBytes);

// The exact bytes of the file that holds these entries, given in file order:
// formatTable({}) == "" and formatTable({{"k", "l"}}) == "CREATOR=TAGLOOM 1.0\r\n"
// "KEYWORD=k\r\nLINK=l\r\n". Values are written as they are, except that every LF in them
// is written as CR LF, like every line end.
std::string formatTable(const std::vector<KeywordEntry>& fileOrder);

// What a save followed by a load does to one entry. Entries for which this is `none` come
// back exactly: parseTable(formatTable(entries)) == entries when every entry survives.
enum class RoundTripLoss {
    none,
    endOfFileByte,       // a 0x1A byte: reading stops there, so the line that holds it and
                         // every entry after it in the file are lost
    lineFeed,            // an LF: the value ends there, the rest becomes a line of its own
    nulByte,             // a NUL byte: the entry is dropped (see NUL bytes above)
    blankKeyword,        // a keyword that is empty or only white space: the entry is dropped
    trailingWhiteSpace,  // the keyword or link ends in white space, which is trimmed away
};

// The first loss, in the order of the enumeration, that a save and reload inflicts on this
// entry: {"a=b", " x"} -> none; {"cat ", "/c"} -> trailingWhiteSpace; {"a\nb", ""} ->
// lineFeed.
RoundTripLoss roundTripLoss(const KeywordEntry& entry);

inline bool survivesRoundTrip(const KeywordEntry& entry) {
    return roundTripLoss(entry) == RoundTripLoss::none;
}

}  // namespace TableFormat
