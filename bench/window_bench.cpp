// window_bench: times the real main window under Wine and prints one line per figure.
//
// Each run starts the program's own start-up routine on a thread of this process, in a
// scratch folder that is the current directory, and works the window from here through
// window messages with the window tests' driver. To add a figure, write a function that
// opens a DialogDriver, times what it does, and call it from main().
//
// Figures:
//   load       from the start-up routine's start until the main window is shown, with a
//              "tagloom.dat" of N entries waiting in the folder;
//   save       from the close (Escape) until the start-up routine has returned, which
//              includes writing the N entries back;
//   Add Links  from the click until the "Done Linking...." box is up, for the linker
//              benchmark's realistic case (10,000 rows, 1 MiB of Input), beside the same
//              insertLinks call made directly in this process.
#include "BenchData.h"
#include "DialogDriver.h"
#include "FileContent.h"
#include "LinkInserter.h"
#include "TableFormat.h"
#include "resource.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Puts a table file in place whose rows, once loaded, are `rows` from the top down (the
// file lists the bottom row first).
std::string writeTable(std::vector<KeywordEntry> rows) {
    std::reverse(rows.begin(), rows.end());
    std::string bytes = TableFormat::formatTable(rows);
    if (!replaceFileContent(std::string(TableFormat::tableFileName), bytes))
        throw std::runtime_error("cannot write the table file");
    return bytes;
}

// Entries of article-like lengths, all different.
std::vector<KeywordEntry> makeEntries(int count) {
    std::vector<KeywordEntry> entries;
    entries.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string name = "keyword " + std::to_string(i) + std::string(static_cast<size_t>(i % 13), 'x');
        entries.push_back({name, "/articles/" + std::to_string(i) + "/index.html?from=tagloom"});
    }
    return entries;
}

// Closes the window with Escape's command; the seconds until the start-up routine returned.
double closeWindow(DialogDriver& driver) {
    Clock::time_point start = Clock::now();
    PostMessageA(driver.window(), WM_COMMAND, IDCANCEL, 0);
    if (!driver.waitForEnd(std::chrono::minutes(5))) throw std::runtime_error("the window did not close");
    return secondsSince(start);
}

// The table file's load at start and save at close, for a file of `count` entries.
void timeTableFile(int count) {
    std::string bytes = writeTable(makeEntries(count));
    Clock::time_point start = Clock::now();
    DialogDriver driver;
    double load = secondsSince(start);
    double save = closeWindow(driver);
    bool same = readOrCreateFile(std::string(TableFormat::tableFileName)).bytes == bytes;
    std::printf("table file, %6d entries: load %7.3f s, save %7.3f s%s\n", count, load, save,
                same ? "" : "  (ERROR: the saved file differs from the loaded one)");
}

// Add Links over the linker benchmark's realistic data, from the click to the box.
void timeAddLinks() {
    const BenchData data = realisticData(1, 1 << 20, 10000);
    writeTable(data.entries);

    Clock::time_point direct = Clock::now();
    std::string expected = LinkInserter::insertLinks(data.text, data.entries);
    double insertLinks = secondsSince(direct);

    DialogDriver driver;
    driver.setText(IDC_INPUT, data.text);
    Clock::time_point start = Clock::now();
    driver.click(IDC_ADD_LINKS);
    ShownBox box = driver.waitForBox();
    double toBox = secondsSince(start);
    driver.answer(box, IDOK);
    bool same = driver.text(IDC_OUTPUT) == expected;
    closeWindow(driver);

    std::printf("Add Links, %zu rows over %zu bytes: click to message box %.3f s; the same insertLinks "
                "call in this process %.3f s (natively: the linker section's realistic insertLinks)%s\n",
                data.entries.size(), data.text.size(), toBox, insertLinks,
                same ? "" : "  (ERROR: the output differs from insertLinks)");
}

}  // namespace

// Arguments: the table sizes to time, 1000 and 10000 when none are given.
int main(int argc, char** argv) {
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
    if (counts.empty()) counts = {1000, 10000};
    try {
        ScratchFolder folder;
        timeTableFile(0);  // the window's own start and close, for comparison
        for (int count : counts) timeTableFile(count);
        timeAddLinks();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "window_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
