#pragma once
// Runs a program as a child process, so that its time and its peak memory are its own.
#include <string>
#include <vector>

struct ChildResult {
    std::string output;     // its standard output, unless sent to a file
    double seconds = 0;     // wall-clock time from start to exit
    double peakMiB = 0;     // peak resident memory (ru_maxrss)
    bool stopped = false;   // killed at the time limit
};

// Runs argv[0] (searched in PATH) with the environment plus `extraEnv` ("NAME=value"). Its
// standard output goes to `outputFile` when given, else is captured. A child still running
// after `limitSeconds` (when not 0; only with `outputFile`) is killed and reported stopped. Throws when the program
// cannot start or fails.
ChildResult runChild(const std::vector<std::string>& argv, const std::string& outputFile = {},
                     const std::vector<std::string>& extraEnv = {}, double limitSeconds = 0);
