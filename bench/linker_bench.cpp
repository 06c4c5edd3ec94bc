// The link inserter's benchmark: insertLinks against the plain entry-by-entry reference and
// against `grep -F -o -f KEYWORDS TEXT > FILE` on the same data, with peak memory. Each
// measurement runs in a process of its own (this program, started again with --part), so
// that each peak memory figure belongs to one measurement alone.
#include "BenchData.h"
#include "ChildProcess.h"
#include "ReferenceLinker.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

constexpr std::size_t mebibyte = 1 << 20;
constexpr std::size_t keywordCount = 10000;
constexpr int runs = 3;  // each time is the best of this many runs

std::string self;  // this program's path, to start the parts

template <class Work>
double bestSeconds(int count, Work&& work) {
    double best = 1e300;
    for (int i = 0; i < count; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

std::size_t countOf(const std::string& haystack, const std::string& needle) {
    std::size_t count = 0;
    for (std::size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + needle.size())) ++count;
    return count;
}

// --- The parts, each run in a child process; each prints its figures on one line. ---

int runPart(int argc, char** argv) {
    const std::string part = argv[2], dir = argv[3], name = argv[4];
    const BenchData data = loadBenchData(dir, name);
    const CodePage cp = CodePage::singleByte();
    if (part == "load") {
        std::printf("%zu\n", data.text.size());
    } else if (part == "insert") {
        std::string output;
        const double seconds = bestSeconds(runs, [&] { output = LinkInserter::insertLinks(data.text, data.entries, cp); });
        std::printf("%.6f %zu %zu\n", seconds, output.size(), countOf(output, "</a>"));
    } else if (part == "reference" && argc == 6) {
        const std::size_t slice = data.text.size() / std::stoul(argv[5]);
        const std::string text = data.text.substr(0, slice);
        const double seconds = bestSeconds(1, [&] { ReferenceLinker::insertLinks(text, data.entries, cp); });
        std::printf("%.6f\n", seconds);
    } else {
        std::fprintf(stderr, "linker_bench: unknown part %s\n", part.c_str());
        return 2;
    }
    return 0;
}

// --- The driver. ---

struct InsertFigures {
    double seconds, peakMiB, dataMiB;
    std::size_t outputBytes, links;
};

InsertFigures measureInsert(const std::string& dir, const std::string& name) {
    const ChildResult load = runChild({self, "--part", "load", dir, name});
    const ChildResult insert = runChild({self, "--part", "insert", dir, name});
    InsertFigures f{};
    f.peakMiB = insert.peakMiB;
    f.dataMiB = load.peakMiB;
    if (std::sscanf(insert.output.c_str(), "%lf %zu %zu", &f.seconds, &f.outputBytes, &f.links) != 3)
        throw std::runtime_error("insert part printed: " + insert.output);
    return f;
}

struct GrepFigures {
    double seconds, peakMiB;
    bool stopped;  // did not finish within the limit; seconds is the limit
};

GrepFigures measureGrep(const std::string& dir, const std::string& name, double limitSeconds = 0) {
    GrepFigures best{1e300, 0, false};
    for (int i = 0; i < runs; ++i) {
        const ChildResult grep = runChild({"grep", "-F", "-o", "-f", dir + "/" + name + ".keywords", dir + "/" + name + ".txt"},
                                          dir + "/" + name + ".grep-out", {"LC_ALL=C"}, limitSeconds);
        if (grep.stopped) return {limitSeconds, grep.peakMiB, true};
        best = {std::min(best.seconds, grep.seconds), std::max(best.peakMiB, grep.peakMiB), false};
    }
    return best;
}

struct ReferenceFigures {
    double sliceSeconds, scaledSeconds;
    unsigned long divisor;
};

// The reference on the first 1/divisor of the text, the divisor lowered until the slice takes
// a second or is the whole text; its time grows with the text's length, so it is scaled up.
ReferenceFigures measureReference(const std::string& dir, const std::string& name, unsigned long divisor) {
    for (;; divisor /= 4) {
        const ChildResult r = runChild({self, "--part", "reference", dir, name, std::to_string(divisor)});
        const double seconds = std::stod(r.output);
        if (seconds >= 1.0 || divisor <= 1) return {seconds, seconds * static_cast<double>(divisor), divisor};
    }
}

void printInsert(const char* label, const InsertFigures& f, std::size_t textBytes) {
    std::printf("  %-26s %9.3f s  peak %6.1f MiB (data alone %.1f MiB; input %.1f + output %.1f MiB)\n", label, f.seconds,
                f.peakMiB, f.dataMiB, static_cast<double>(textBytes) / mebibyte, static_cast<double>(f.outputBytes) / mebibyte);
}

void printGrep(const char* label, const GrepFigures& g) {
    if (g.stopped)
        std::printf("  %-26s   > %.0f s  stopped at the limit (peak so far %.1f MiB)\n", label, g.seconds, g.peakMiB);
    else
        std::printf("  %-26s %9.3f s  peak %6.1f MiB\n", label, g.seconds, g.peakMiB);
}

void printReference(const ReferenceFigures& r, std::size_t textBytes) {
    std::printf("  %-26s %9.1f s  estimated: %.2f s on the first %zu KiB (1/%lu of the text), times %lu\n", "reference (entry by entry)",
                r.scaledSeconds, r.sliceSeconds, textBytes / r.divisor / 1024, r.divisor, r.divisor);
}

void realisticCase(const std::string& dir) {
    const BenchData data = realisticData(1, mebibyte, keywordCount);
    saveBenchData(data, dir, "realistic");
    std::printf("realistic: article-like text of %.1f MiB, %zu keywords of 1 to 4 words\n",
                static_cast<double>(data.text.size()) / mebibyte, data.entries.size());
    const InsertFigures insert = measureInsert(dir, "realistic");
    const ReferenceFigures reference = measureReference(dir, "realistic", 64);
    const GrepFigures grep = measureGrep(dir, "realistic");
    printInsert("insertLinks", insert, data.text.size());
    std::printf("  %-26s %zu anchors\n", "", insert.links);
    printReference(reference, data.text.size());
    printGrep("grep -F -o -f (LC_ALL=C)", grep);
    std::printf("  insertLinks is %.0fx faster than the reference (goal: at least 100x)\n", reference.scaledSeconds / insert.seconds);
    std::printf("  insertLinks takes %.2fx grep's time (goal: at most 2x)\n", insert.seconds / grep.seconds);
}

// A slice of a saved data set, saved under its own name.
std::string saveSlice(const std::string& dir, const std::string& name, std::size_t bytes) {
    BenchData data = loadBenchData(dir, name);
    data.text.resize(bytes);
    const std::string sliceName = name + "-" + std::to_string(bytes / 1024) + "k";
    saveBenchData(data, dir, sliceName);
    return sliceName;
}

void adversarialCase(const std::string& dir) {
    constexpr double grepLimitSeconds = 20;
    InsertFigures insert[2];
    for (int doubled = 0; doubled < 2; ++doubled) {
        const std::string name = doubled ? "adversarial2" : "adversarial1";
        const BenchData data = adversarialData(2, mebibyte << doubled, keywordCount);
        saveBenchData(data, dir, name);
        std::printf("adversarial: text of %.1f MiB over {a, b}, %zu keywords of 1 to 20 letters over {a, b}\n",
                    static_cast<double>(data.text.size()) / mebibyte, data.entries.size());
        insert[doubled] = measureInsert(dir, name);
        printInsert("insertLinks", insert[doubled], data.text.size());
        std::printf("  %-26s %zu anchors\n", "", insert[doubled].links);
        if (!doubled) printReference(measureReference(dir, name, 256), data.text.size());
        const GrepFigures grep = measureGrep(dir, name, grepLimitSeconds);
        printGrep("grep -F -o -f (LC_ALL=C)", grep);
        if (!grep.stopped) std::printf("  insertLinks takes %.2fx grep's time\n", insert[doubled].seconds / grep.seconds);
    }
    std::printf("  text doubled: insertLinks time x%.2f, peak memory x%.2f (goal: about x2, linear)\n",
                insert[1].seconds / insert[0].seconds, insert[1].peakMiB / insert[0].peakMiB);

    // grep's time here grows faster than the text; show it on slices, beside insertLinks.
    std::printf("  on the first 16 and 64 KiB of the 1 MiB text:\n");
    for (std::size_t kib : {16, 64}) {
        const std::string slice = saveSlice(dir, "adversarial1", kib * 1024);
        const InsertFigures sliceInsert = measureInsert(dir, slice);
        const GrepFigures sliceGrep = measureGrep(dir, slice, grepLimitSeconds);
        std::printf("    %3zu KiB: insertLinks %.4f s, grep %s%.3f s\n", kib, sliceInsert.seconds, sliceGrep.stopped ? "> " : "",
                    sliceGrep.seconds);
    }
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc >= 5 && std::string(argv[1]) == "--part") return runPart(argc, argv);
        self = std::filesystem::canonical("/proc/self/exe").string();
        char dirTemplate[] = "/tmp/tagloom-bench-XXXXXX";
        if (!mkdtemp(dirTemplate)) throw std::runtime_error("cannot make a temporary folder");
        const std::string dir = dirTemplate;
        std::printf("== link inserter (times: best of %d; each figure from a process of its own) ==\n", runs);
        std::fflush(stdout);
        try {
            realisticCase(dir);
            std::fflush(stdout);
            adversarialCase(dir);
        } catch (...) {
            std::filesystem::remove_all(dir);
            throw;
        }
        std::filesystem::remove_all(dir);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "linker_bench: %s\n", e.what());
        return 1;
    }
}
