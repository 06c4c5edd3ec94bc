#pragma once
// tagloom-link's command line, parsed into settings without touching any file.
//
//   tagloom-link [options] [FILE...]
//
// Long options take their value as the next argument or after "=" ("--table t.dat",
// "--table=t.dat"); -o takes it as the next argument or joined ("-o out", "-oout"). "--"
// ends the options, and "-" as a FILE is standard input. An option given twice keeps the
// last value. --help and --version act as soon as they are met: an error further on is
// not reported.
#include "LinkEngine.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

enum class CliAction { link, check, help, version };

struct CliSettings {
    CliAction action = CliAction::link;
    std::vector<std::string> inputs;        // none: standard input
    std::optional<std::string> outputPath;  // -o: one file for all the output ("-": standard output)
    bool inPlace = false;                   // --in-place: each input rewritten with its own output
    std::string tablePath = "tagloom.dat";
    unsigned codePage = 0;  // 0: single-byte
    bool html = false;
    LinkEngine::Options linking;  // ignoreCase, wholeWords and maxPerEntry; no protected ranges
};

struct ParsedCommandLine {
    CliSettings settings;
    std::string error;  // empty when the command line is good: "--codepage: \"x\" is not a number"
};

// `args` without the program's name.
ParsedCommandLine parseCommandLine(std::span<const std::string> args);

// The name under which standard input and output stand in arguments and messages.
inline constexpr std::string_view standardStreamArgument = "-";
