#include "Usage.h"

#ifndef TAGLOOM_VERSION
#error "TAGLOOM_VERSION is set by the build"
#endif

std::string helpText() {
    return R"(Usage: tagloom-link [OPTION]... [FILE]...
Wrap every keyword of a Tagloom keyword table in an HTML anchor to its link, in each
FILE, and write the result to standard output. With no FILE, or when FILE is -, read
standard input. With no option the result is what Tagloom's Add Links gives.

  --table PATH           the keyword table (default: tagloom.dat in the current folder)
  -o, --output FILE      write all the output to FILE instead of standard output
  --in-place             rewrite each FILE with its own output
  --codepage N           the ANSI code page of the text and the table: 932, 936, 949
                         and 950 have two-byte characters, in which no keyword starts
                         at a second byte; 874 and 1250 to 1258 are single-byte, as is
                         the default
  --html                 leave markup alone: tags, comments, character references,
                         <script>, <style>, <title> and <textarea> elements, and the
                         text of existing <a> elements
  --whole-words          link a keyword only where neither neighbour continues a word
                         (ASCII letters, digits, '_', bytes of 0x80 and above)
  --ignore-case          ASCII letters match in either case; the text keeps its own
  --max-per-keyword N    link only the first N occurrences of each keyword
  --check                report what loading the table loses or changes (trailing
                         white space, blank keywords, 0x1A and NUL bytes, ignored
                         lines) and duplicate keywords; read no FILE
  -h, --help             show this help and exit
  --version              show the version and exit

Entries apply in Tagloom's order, the last entry of the table file first, and each
links only text that no entry before it linked. -o and --in-place replace a file in one
step when all went well, and leave it untouched otherwise.

Exit status: 0 when all went well, 1 when --check reports anything, 2 on an error.

Example:
  tagloom-link --table site/tagloom.dat --html --whole-words --in-place pages/*.html
)";
}

std::string versionText() { return "tagloom-link (Tagloom) " TAGLOOM_VERSION "\n"; }
