#pragma once
// The table of linking cases that every linker (the fast engine and the plain reference)
// must pass, row by row.
#include "LinkEngine.h"

#include <ostream>
#include <string>
#include <vector>

struct LinkCase {
    std::string name;  // letters, digits and '_': it names the test
    std::vector<KeywordEntry> entries;
    std::string text;
    std::string expected;
    unsigned codePage = 0;  // 0: single-byte
    LinkEngine::Options options = {};
};

const std::vector<LinkCase>& linkCases();
// GoogleTest names a failing row by its name rather than by a dump of its bytes.
inline void PrintTo(const LinkCase& c, std::ostream* os) { *os << c.name; }

struct ReplaceCase {
    std::string name;
    std::string text, keyword, replacement;
    std::string expected;
    unsigned codePage = 0;
};

const std::vector<ReplaceCase>& replaceCases();
inline void PrintTo(const ReplaceCase& c, std::ostream* os) { *os << c.name; }
