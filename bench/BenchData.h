#pragma once
// The benchmark's data, generated from a seed so that every run measures the same bytes.
#include "LinkInserter.h"

#include <cstdint>
#include <string>
#include <vector>

struct BenchData {
    std::string text;
    std::vector<KeywordEntry> entries;
};

// Article-like prose (sentences of words drawn with Zipf frequencies, paragraphs, CR LF,
// some mentions of the table's terms) and a table of distinct keywords of one to four words.
BenchData realisticData(std::uint64_t seed, std::size_t textBytes, std::size_t keywordCount);

// Random text over two letters and random keywords of 1 to 20 letters over the same two:
// every position starts several occurrences, and keywords repeat, nest and overlap.
BenchData adversarialData(std::uint64_t seed, std::size_t textBytes, std::size_t keywordCount);

// Files in `dir`: NAME.txt (the text), NAME.entries (keyword TAB link per line) and
// NAME.keywords (one keyword per line, for grep -F -f).
void saveBenchData(const BenchData& data, const std::string& dir, const std::string& name);
BenchData loadBenchData(const std::string& dir, const std::string& name);
