// tagloom-link's benchmark: the whole program (reading the table and the text, linking,
// writing the output) over 100 MiB of article-like text with 10,000 keywords, beside
// `grep -F -o -f KEYWORDS TEXT > FILE` and beside a Perl script that does what a user might
// write instead: one s///g per keyword. Each runs in a process of its own, so each peak
// memory figure is its own. Throughput is in MB/s of input, 1 MB = 10^6 bytes.
#include "BenchData.h"
#include "ChildProcess.h"
#include "TableFormat.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t mebibyte = 1 << 20;
constexpr std::size_t textBytes = 100 * mebibyte;
constexpr std::size_t keywordCount = 10000;
constexpr int runs = 5;  // tagloom-link's plain run is the best of this many; the others run once

// What a user might write instead of tagloom-link: the table as keyword TAB link lines, and
// every keyword replaced in turn all over the text.
constexpr const char* perlScript = R"(use strict;
use warnings;
my ($entries, $textFile) = @ARGV;
open(my $t, '<', $entries) or die "$entries: $!";
my @entries = map { chomp; [split /\t/, $_, 2] } <$t>;
my $text = do { local $/; open(my $f, '<', $textFile) or die "$textFile: $!"; <$f> };
for my $e (@entries) {
    my ($keyword, $link) = @$e;
    $text =~ s/\Q$keyword\E/<a href="$link">$keyword<\/a>/g;
}
print $text;
)";

double megabytesPerSecond(std::size_t bytes, double seconds) { return static_cast<double>(bytes) / 1e6 / seconds; }
double mebibytes(std::uintmax_t bytes) { return static_cast<double>(bytes) / mebibyte; }

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

std::size_t anchorsIn(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    const std::string text = std::move(bytes).str();
    std::size_t count = 0;
    for (std::size_t at = text.find("</a>"); at != std::string::npos; at = text.find("</a>", at + 4)) ++count;
    return count;
}

struct Figures {
    double seconds = 1e300;
    double peakMiB = 0;
};

// The best time and the highest peak of `count` runs.
Figures measure(int count, const std::vector<std::string>& argv, const fs::path& output,
                const std::vector<std::string>& extraEnv = {}) {
    Figures f;
    for (int i = 0; i < count; ++i) {
        const ChildResult r = runChild(argv, output.string(), extraEnv);
        f.seconds = std::min(f.seconds, r.seconds);
        f.peakMiB = std::max(f.peakMiB, r.peakMiB);
    }
    return f;
}

// Perl's time grows with the text's length, so it runs on the first 1/divisor of the text
// and is scaled up; these are the divisors tried, until the slice takes a second.
constexpr std::size_t perlDivisors[] = {1024, 256, 64, 16, 4};

fs::path slicePath(const fs::path& dir, std::size_t divisor) { return dir / ("slice-" + std::to_string(divisor) + ".txt"); }

struct SliceFigures {
    Figures slice;
    std::size_t divisor;
};

SliceFigures measurePerl(const fs::path& dir) {
    writeFile(dir / "link.pl", perlScript);
    SliceFigures figures{};
    for (const std::size_t divisor : perlDivisors) {
        figures = {measure(1, {"perl", (dir / "link.pl").string(), (dir / "bench.entries").string(), slicePath(dir, divisor).string()},
                           dir / "slice.perl-out"),
                   divisor};
        if (figures.slice.seconds >= 1.0) break;
    }
    return figures;
}

void printRow(const char* label, const Figures& f, std::size_t inputBytes) {
    std::printf("  %-44s %8.2f s %8.1f MB/s   peak %7.1f MiB\n", label, f.seconds, megabytesPerSecond(inputBytes, f.seconds),
                f.peakMiB);
}

// Writes the data files and returns the text's size. The data is gone when it returns: a
// child process starts as a copy of this one, and its peak memory would count the data too.
std::size_t writeData(const fs::path& dir) {
    const BenchData data = realisticData(1, textBytes, keywordCount);
    saveBenchData(data, dir.string(), "bench");
    // The table file as the window saves it: the program applies its last entry first, so
    // the entries go in reversed and are applied in the order of `data.entries`.
    std::vector<KeywordEntry> fileOrder(data.entries.rbegin(), data.entries.rend());
    writeFile(dir / "tagloom.dat", TableFormat::formatTable(fileOrder));
    for (const std::size_t divisor : perlDivisors)
        writeFile(slicePath(dir, divisor), std::string_view(data.text).substr(0, data.text.size() / divisor));
    std::printf("article-like text of %.1f MiB, %zu keywords of 1 to 4 words (table file of %.2f MiB)\n",
                mebibytes(data.text.size()), data.entries.size(), mebibytes(fs::file_size(dir / "tagloom.dat")));
    std::fflush(stdout);
    return data.text.size();
}

void run(const fs::path& dir) {
    const std::size_t textSize = writeData(dir);
    const fs::path text = dir / "bench.txt", table = dir / "tagloom.dat", linked = dir / "bench.linked";

    const Figures link = measure(runs, {TAGLOOM_LINK_PROGRAM, "--table", table.string(), text.string()}, linked);
    const std::uintmax_t outputBytes = fs::file_size(linked);
    const std::size_t anchors = anchorsIn(linked);
    const Figures allOptions = measure(
        1, {TAGLOOM_LINK_PROGRAM, "--html", "--whole-words", "--ignore-case", "--table", table.string(), text.string()},
        dir / "bench.linked-options");
    const Figures toFile = measure(1, {TAGLOOM_LINK_PROGRAM, "--table", table.string(), "-o", linked.string(), text.string()},
                                   dir / "empty");
    const Figures grep = measure(1, {"grep", "-F", "-o", "-f", (dir / "bench.keywords").string(), text.string()},
                                 dir / "bench.grep-out", {"LC_ALL=C"});
    const SliceFigures perl = measurePerl(dir);
    const double perlSeconds = perl.slice.seconds * static_cast<double>(perl.divisor);

    printRow("tagloom-link > FILE", link, textSize);
    std::printf("  %-44s output %.1f MiB, %zu anchors\n", "", mebibytes(outputBytes), anchors);
    printRow("tagloom-link -o FILE", toFile, textSize);
    printRow("tagloom-link --html --whole-words --ignore-case", allOptions, textSize);
    printRow("grep -F -o -f KEYWORDS > FILE (LC_ALL=C)", grep, textSize);
    std::printf("  %-44s %8.0f s %8.3f MB/s   estimated: %.2f s on the first %zu KiB (1/%zu), times %zu;"
                " peak %.1f MiB on that slice\n",
                "perl, one s///g per keyword", perlSeconds, megabytesPerSecond(textSize, perlSeconds),
                perl.slice.seconds, textSize / perl.divisor / 1024, perl.divisor, perl.divisor, perl.slice.peakMiB);
    std::printf("  tagloom-link: %.0f MB/s (goal: at least 200); %.2fx grep's time (goal: at most 2x); %.0fx faster than perl\n",
                megabytesPerSecond(textSize, link.seconds), link.seconds / grep.seconds, perlSeconds / link.seconds);
    std::printf("  tagloom-link's peak memory: %.2fx input + output (%.1f + %.1f MiB)\n",
                link.peakMiB / (mebibytes(textSize) + mebibytes(outputBytes)), mebibytes(textSize),
                mebibytes(outputBytes));
}

}  // namespace

int main() {
    char dirTemplate[] = "/tmp/tagloom-cli-bench-XXXXXX";
    if (!mkdtemp(dirTemplate)) {
        std::fprintf(stderr, "cli_bench: cannot make a temporary folder\n");
        return 1;
    }
    const fs::path dir = dirTemplate;
    std::printf("== tagloom-link (whole program; plain run best of %d, the others once; each figure from a process of its own) ==\n",
                runs);
    std::fflush(stdout);
    int status = 0;
    try {
        run(dir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cli_bench: %s\n", e.what());
        status = 1;
    }
    fs::remove_all(dir);
    return status;
}
