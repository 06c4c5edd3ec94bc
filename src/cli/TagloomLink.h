#pragma once
// The whole of tagloom-link behind its main(): parse the command line, then link the
// inputs, check the table, or print the help or version.
#include <span>
#include <string>

// The exit status: 0 when all went well, 1 when --check reports anything, 2 on an error,
// which has been reported on standard error in one line.
int runTagloomLink(std::span<const std::string> args);
