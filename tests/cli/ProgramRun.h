#pragma once
// Runs the built tagloom-link as a user would, in a folder of its own, and keeps what it
// printed and its exit status.
#include <filesystem>
#include <string>
#include <vector>

struct ProgramRun {
    int status = -1;  // the exit status; -1 when it did not exit normally
    std::string out, err;
};

// A fresh empty folder, removed again with all it holds.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;
    // Every file and folder below it (relative names, sorted) with its content (empty
    // for a folder): what a failed run must leave exactly as it was.
    std::vector<std::pair<std::string, std::string>> snapshot() const;

private:
    std::filesystem::path path_;
};

struct RunSetting {
    std::string input = {};           // its standard input
    std::string standardOutput = {};  // a file for its standard output (e.g. "/dev/full"), else kept
    long fileSizeLimit = -1;     // bytes: a write beyond fails with EFBIG (RLIMIT_FSIZE); -1: none
};

// Runs tagloom-link with `args` in `folder`.
ProgramRun runTagloomLink(const TempFolder& folder, const std::vector<std::string>& args, const RunSetting& setting = {});
