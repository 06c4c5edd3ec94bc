#include "CommandLine.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>

namespace {

// The ANSI code pages that --codepage accepts: the four double-byte ones, whose lead bytes
// the linker knows, and the single-byte Windows code pages, in which every byte is a
// character. Any other number (65001, 54936 and the like) would be linked as if it were
// single-byte, which is wrong for them, so it is refused.
bool isSupportedCodePage(unsigned cp) {
    static constexpr unsigned doubleByte[] = {932, 936, 949, 950};
    return std::ranges::find(doubleByte, cp) != std::end(doubleByte) || cp == 874 || (cp >= 1250 && cp <= 1258);
}

// A non-negative decimal number, digits only.
template <class Number>
std::optional<Number> parseNumber(std::string_view text) {
    Number n{};
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, n);
    if (text.empty() || failure != std::errc() || stop != end || !std::isdigit(static_cast<unsigned char>(text.front())))
        return std::nullopt;
    return n;
}

// Built by appending: GCC 12 warns wrongly (-Wrestrict) about "\"" + text + "\"" when optimising.
std::string quoted(std::string_view text) {
    std::string q = "\"";
    q.append(text).push_back('"');
    return q;
}

class Parser;

// One option: its long name, its short name if any, whether it takes a value, and what it
// does to the settings. A handler that finds the value bad reports it through fail().
struct OptionSpec {
    std::string_view longName;
    std::string_view shortName;
    bool takesValue;
    void (*apply)(Parser& parser, std::string_view name, std::string_view value);
};

class Parser {
public:
    explicit Parser(std::span<const std::string> args) : args_(args) {}

    ParsedCommandLine run() {
        while (next_ < args_.size() && result_.error.empty() && !finished_) takeArgument(args_[next_++]);
        if (result_.error.empty() && !finished_) checkCombinations();
        return std::move(result_);
    }

    CliSettings& settings() { return result_.settings; }

    void fail(std::string message) {
        if (result_.error.empty()) result_.error = std::move(message);
    }

    // --help and --version end the parsing: whatever follows does not matter.
    void finish(CliAction action) {
        settings().action = action;
        finished_ = true;
    }

private:
    void takeArgument(std::string_view arg);
    void takeOption(const OptionSpec& spec, std::string_view name, std::optional<std::string_view> joinedValue);
    void checkCombinations();

    std::span<const std::string> args_;
    std::size_t next_ = 0;
    bool optionsEnded_ = false;
    bool finished_ = false;
    ParsedCommandLine result_;
};

void setCodePage(Parser& p, std::string_view name, std::string_view value) {
    const auto cp = parseNumber<unsigned>(value);
    if (!cp)
        p.fail(std::string(name) + ": " + quoted(value) + " is not a number");
    else if (!isSupportedCodePage(*cp))
        p.fail(std::string(name) + ": " + quoted(value) + " is not a supported code page (932, 936, 949, 950, 874, 1250 to 1258)");
    else
        p.settings().codePage = *cp;
}

void setMaxPerKeyword(Parser& p, std::string_view name, std::string_view value) {
    if (const auto n = parseNumber<std::size_t>(value))
        p.settings().linking.maxPerEntry = *n;
    else
        p.fail(std::string(name) + ": " + quoted(value) + " is not a number");
}

constexpr OptionSpec optionSpecs[] = {
    {"--table", "", true, [](Parser& p, auto, std::string_view v) { p.settings().tablePath = v; }},
    {"--output", "-o", true, [](Parser& p, auto, std::string_view v) { p.settings().outputPath = std::string(v); }},
    {"--in-place", "", false, [](Parser& p, auto, auto) { p.settings().inPlace = true; }},
    {"--codepage", "", true, setCodePage},
    {"--html", "", false, [](Parser& p, auto, auto) { p.settings().html = true; }},
    {"--whole-words", "", false, [](Parser& p, auto, auto) { p.settings().linking.wholeWords = true; }},
    {"--ignore-case", "", false, [](Parser& p, auto, auto) { p.settings().linking.ignoreCase = true; }},
    {"--max-per-keyword", "", true, setMaxPerKeyword},
    {"--check", "", false, [](Parser& p, auto, auto) { p.settings().action = CliAction::check; }},
    {"--help", "-h", false, [](Parser& p, auto, auto) { p.finish(CliAction::help); }},
    {"--version", "", false, [](Parser& p, auto, auto) { p.finish(CliAction::version); }},
};

void Parser::takeArgument(std::string_view arg) {
    if (optionsEnded_ || arg == standardStreamArgument || !arg.starts_with('-')) {
        settings().inputs.emplace_back(arg);
        return;
    }
    if (arg == "--") {
        optionsEnded_ = true;
        return;
    }
    if (arg.starts_with("--")) {  // --name or --name=value
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        for (const OptionSpec& spec : optionSpecs)
            if (spec.longName == name)
                return takeOption(spec, name, equals == std::string_view::npos ? std::nullopt : std::optional(arg.substr(equals + 1)));
        return fail("unknown option " + quoted(name));
    }
    // -x, or -xVALUE for an option that takes a value
    const std::string_view name = arg.substr(0, 2);
    for (const OptionSpec& spec : optionSpecs)
        if (spec.shortName == name && (spec.takesValue || arg.size() == 2))
            return takeOption(spec, name, arg.size() == 2 ? std::nullopt : std::optional(arg.substr(2)));
    fail("unknown option " + quoted(arg));
}

void Parser::takeOption(const OptionSpec& spec, std::string_view name, std::optional<std::string_view> joinedValue) {
    if (!spec.takesValue) {
        if (joinedValue) return fail(std::string(name) + " takes no value");
        return spec.apply(*this, name, {});
    }
    if (joinedValue) return spec.apply(*this, name, *joinedValue);
    if (next_ == args_.size()) return fail(std::string(name) + " needs a value");
    spec.apply(*this, name, args_[next_++]);
}

void Parser::checkCombinations() {
    const CliSettings& s = settings();
    const bool readsStandardInput = s.inputs.empty() || std::ranges::find(s.inputs, standardStreamArgument) != s.inputs.end();
    if (s.action == CliAction::check && (!s.inputs.empty() || s.outputPath || s.inPlace))
        fail("--check reads the table only: it takes no FILE, -o or --in-place");
    else if (s.inPlace && s.outputPath)
        fail("--in-place and -o cannot be used together");
    else if (s.inPlace && readsStandardInput)
        fail("--in-place rewrites files: give at least one FILE, and not \"-\"");
}

}  // namespace

ParsedCommandLine parseCommandLine(std::span<const std::string> args) { return Parser(args).run(); }
