#include "BenchData.h"

#include "SeededRandom.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unordered_set>

namespace {

// Draws indices 0..n-1 with probability proportional to 1 / (index + 1).
class Zipf {
public:
    explicit Zipf(std::size_t n) : cumulative_(n) {
        double sum = 0;
        for (std::size_t i = 0; i < n; ++i) cumulative_[i] = sum += 1.0 / static_cast<double>(i + 1);
    }
    std::size_t draw(SeededRandom& random) const {
        const double x = static_cast<double>(random.next() >> 11) / 9007199254740992.0 * cumulative_.back();
        return static_cast<std::size_t>(std::lower_bound(cumulative_.begin(), cumulative_.end(), x) - cumulative_.begin());
    }

private:
    std::vector<double> cumulative_;
};

std::vector<std::string> makeLexicon(SeededRandom& random, std::size_t size) {
    // The most frequent words of English prose first, then made-up words of 1 to 4 syllables.
    std::vector<std::string> words = {"the", "of", "and", "to", "a", "in", "is", "that", "for", "it", "as", "was",
                                      "with", "be", "by", "on", "not", "he", "this", "are", "or", "his", "from",
                                      "at", "which", "but", "have", "an", "had", "they", "you", "were", "their"};
    static const char* const onsets[] = {"b", "c", "d", "f", "g", "h", "k", "l", "m", "n", "p", "r", "s", "t", "v",
                                         "w", "br", "ch", "cl", "dr", "gr", "pl", "sh", "st", "th", "tr"};
    static const char* const vowels[] = {"a", "e", "i", "o", "u", "ai", "ea", "io", "ou"};
    static const char* const codas[] = {"", "", "", "n", "r", "s", "t", "l", "nd", "st", "ng", "rk"};
    std::unordered_set<std::string> seen(words.begin(), words.end());
    while (words.size() < size) {
        std::string w;
        for (std::size_t s = 1 + random.below(4); s > 0; --s)
            w += std::string(onsets[random.below(std::size(onsets))]) + vowels[random.below(std::size(vowels))] +
                 codas[random.below(std::size(codas))];
        if (seen.insert(w).second) words.push_back(w);
    }
    return words;
}

std::string capitalised(std::string w) {
    if (!w.empty() && w[0] >= 'a' && w[0] <= 'z') w[0] = static_cast<char>(w[0] - 'a' + 'A');
    return w;
}

std::string slug(const std::string& keyword) {
    std::string s = "https://example.org/wiki/";
    for (char c : keyword) s += c == ' ' ? '_' : c;
    return s;
}

}  // namespace

BenchData realisticData(std::uint64_t seed, std::size_t textBytes, std::size_t keywordCount) {
    SeededRandom random(seed);
    const std::vector<std::string> lexicon = makeLexicon(random, 40000);
    const Zipf wordFrequency(lexicon.size());

    // Terms of one to four words, skipping the commonest words as terms of one word; about
    // one in five is a name, capitalised.
    BenchData data;
    std::unordered_set<std::string> seen;
    while (data.entries.size() < keywordCount) {
        std::string keyword;
        const std::size_t words = 1 + random.below(4);
        const bool name = random.chance(20);
        for (std::size_t w = 0; w < words; ++w) {
            std::size_t index = wordFrequency.draw(random);
            if (words == 1) index = std::max<std::size_t>(index, 200);
            if (w > 0) keyword += ' ';
            keyword += name ? capitalised(lexicon[index]) : lexicon[index];
        }
        if (seen.insert(keyword).second) data.entries.push_back({keyword, slug(keyword)});
    }

    // Paragraphs of sentences; now and then the sentence mentions one of the terms.
    const Zipf termFrequency(data.entries.size());
    std::string& text = data.text;
    text.reserve(textBytes + 4096);
    while (text.size() < textBytes) {
        for (std::size_t s = 3 + random.below(6); s > 0; --s) {
            const std::size_t words = 8 + random.below(18);
            for (std::size_t w = 0; w < words; ++w) {
                std::string word = random.chance(3) ? data.entries[termFrequency.draw(random)].keyword
                                                     : lexicon[wordFrequency.draw(random)];
                text += w == 0 ? capitalised(word) : word;
                text += w + 1 == words ? ". " : random.chance(6) ? ", " : " ";
            }
        }
        text += "\r\n\r\n";
    }
    text.resize(textBytes);
    return data;
}

BenchData adversarialData(std::uint64_t seed, std::size_t textBytes, std::size_t keywordCount) {
    SeededRandom random(seed);
    BenchData data;
    for (std::size_t k = 0; k < keywordCount; ++k) {
        std::string keyword(1 + random.below(20), 'a');
        for (char& c : keyword) c = "ab"[random.below(2)];
        data.entries.push_back({keyword, "/k" + std::to_string(k)});
    }
    data.text.resize(textBytes);
    for (char& c : data.text) c = "ab"[random.below(2)];
    return data;
}

void saveBenchData(const BenchData& data, const std::string& dir, const std::string& name) {
    std::ofstream(dir + "/" + name + ".txt", std::ios::binary) << data.text;
    std::ofstream entries(dir + "/" + name + ".entries", std::ios::binary);
    std::ofstream keywords(dir + "/" + name + ".keywords", std::ios::binary);
    for (const KeywordEntry& e : data.entries) {
        entries << e.keyword << '\t' << e.link << '\n';
        keywords << e.keyword << '\n';
    }
    if (!entries || !keywords) throw std::runtime_error("cannot write the data files in " + dir);
}

BenchData loadBenchData(const std::string& dir, const std::string& name) {
    BenchData data;
    std::ifstream textFile(dir + "/" + name + ".txt", std::ios::binary);
    std::ostringstream text;
    text << textFile.rdbuf();
    data.text = std::move(text).str();
    std::ifstream entries(dir + "/" + name + ".entries", std::ios::binary);
    for (std::string line; std::getline(entries, line);) {
        const std::size_t tab = line.find('\t');
        data.entries.push_back({line.substr(0, tab), line.substr(tab + 1)});
    }
    if (!textFile || data.entries.empty()) throw std::runtime_error("cannot read the data files in " + dir);
    return data;
}
