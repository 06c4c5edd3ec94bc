#include "TagloomLink.h"

#include "CommandLine.h"
#include "Files.h"
#include "HtmlScanner.h"
#include "TableCheck.h"
#include "TableFormat.h"
#include "Usage.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <functional>
#include <string_view>

namespace {

constexpr int exitOk = 0, exitFindings = 1, exitError = 2;

FileBytes readTable(const std::string& path) { return readWholeFile(path, "cannot read the keyword table"); }

class Linker {
public:
    explicit Linker(const CliSettings& settings) : settings_(settings) {
        // The window applies its rows top-down, and its top row is the file's last entry.
        entries_ = TableFormat::parseTable(readTable(settings.tablePath).view());
        std::ranges::reverse(entries_);
        codePage_ = settings.codePage == 0 ? CodePage::singleByte() : CodePage::byNumber(settings.codePage);
    }

    // Hands the linked text to write() in pieces, so that it is never held whole.
    void link(std::string_view text, const std::function<void(std::string_view)>& write) const {
        LinkEngine::Options options = settings_.linking;
        if (settings_.html) options.protectedRanges = htmlProtectedRanges(text);
        LinkEngine::writeLinks(text, entries_, codePage_, options, write);
    }

private:
    const CliSettings& settings_;
    std::vector<KeywordEntry> entries_;
    CodePage codePage_ = CodePage::singleByte();
};

std::vector<std::string> inputsOf(const CliSettings& settings) {
    if (settings.inputs.empty()) return {std::string(standardStreamArgument)};
    return settings.inputs;
}

// Each input's output after the other on standard output. Every input is looked at
// before anything is written, so that a missing one leaves no partial output.
void linkToStandardOutput(const Linker& linker, const std::vector<std::string>& inputs) {
    for (const std::string& input : inputs) checkReadable(input);
    for (const std::string& input : inputs) linker.link(readWholeFile(input).view(), writeStandardOutput);
    flushStandardOutput();
}

void linkToFile(const Linker& linker, const std::vector<std::string>& inputs, const std::string& outputPath) {
    ReplacementFile output(outputPath);
    for (const std::string& input : inputs)
        linker.link(readWholeFile(input).view(), [&](std::string_view bytes) { output.write(bytes); });
    output.finish();
    output.replaceTarget();
}

// Every file is linked into its temporary file first, one at a time; only when all are
// done do they replace their files. An error on the way leaves every file as it was.
void linkInPlace(const Linker& linker, const std::vector<std::string>& inputs) {
    std::deque<ReplacementFile> outputs;
    for (const std::string& input : inputs) {
        const FileBytes text = readWholeFile(input);
        ReplacementFile& output = outputs.emplace_back(input);
        linker.link(text.view(), [&](std::string_view bytes) { output.write(bytes); });
        output.finish();
    }
    for (ReplacementFile& output : outputs) output.replaceTarget();
}

int runCheck(const CliSettings& settings) {
    const std::vector<TableFinding> findings = checkTable(readTable(settings.tablePath).view());
    for (const TableFinding& f : findings)
        writeStandardOutput(settings.tablePath + ":" + std::to_string(f.line) + ": " + f.message + "\n");
    flushStandardOutput();
    return findings.empty() ? exitOk : exitFindings;
}

int run(const CliSettings& settings) {
    switch (settings.action) {
    case CliAction::help: writeStandardOutput(helpText()); flushStandardOutput(); return exitOk;
    case CliAction::version: writeStandardOutput(versionText()); flushStandardOutput(); return exitOk;
    case CliAction::check: return runCheck(settings);
    case CliAction::link: break;
    }
    const Linker linker(settings);
    const std::vector<std::string> inputs = inputsOf(settings);
    if (settings.inPlace)
        linkInPlace(linker, inputs);
    else if (settings.outputPath && *settings.outputPath != standardStreamArgument)
        linkToFile(linker, inputs, *settings.outputPath);
    else
        linkToStandardOutput(linker, inputs);
    return exitOk;
}

void reportError(const std::string& message) { std::fprintf(stderr, "tagloom-link: %s\n", message.c_str()); }

}  // namespace

int runTagloomLink(std::span<const std::string> args) {
    const ParsedCommandLine parsed = parseCommandLine(args);
    if (!parsed.error.empty()) {
        reportError(parsed.error);
        return exitError;
    }
    useBinaryStandardStreams();
    try {
        return run(parsed.settings);
    } catch (const CliError& e) {
        reportError(e.what());
    } catch (const std::bad_alloc&) {
        reportError("not enough memory");
    }
    return exitError;
}
