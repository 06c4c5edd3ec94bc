#pragma once
// For --html: the parts of an HTML text that linking leaves alone. They go to the link
// engine as protected ranges, which behave like anchors already in place: no keyword
// matches inside one or across its edges.
//
// Protected, from the first byte to the last:
//   - tags, start and end: "<" and a letter ("<b>", "</p>", "<img src=\"a>b.png\">"), up to
//     the ">" that is not inside a quoted attribute value;
//   - comments ("<!-- ... -->"), declarations ("<!DOCTYPE html>") and processing
//     instructions ("<?xml ... ?>");
//   - whole elements whose content is not markup, so that an anchor there would be shown
//     as text or break the code: <script>, <style>, <title> and <textarea>;
//   - whole <a> elements, tags and text: a link inside a link is not allowed;
//   - character references ("&amp;", "&#233;", "&#xE9;"): a keyword inside one would
//     break it.
// A "<" that starts none of these (as in "a < b" or "<3") is text, and so is an "&"
// without a reference's ";". Markup that never ends (a tag without its ">", a comment
// without "-->", an element without its end tag) is protected up to the end of the text.
// An <a> element ends at its "</a>" or, as browsers read it, where the next one starts.
//
// Tag names compare without regard to ASCII case; the scan is one pass over the text.
#include "LinkEngine.h"

#include <string_view>
#include <vector>

// The protected ranges, ascending, neither overlapping nor touching:
// htmlProtectedRanges("x <b>cat</b>") == {{2, 5}, {8, 12}}.
std::vector<LinkEngine::ByteRange> htmlProtectedRanges(std::string_view html);
