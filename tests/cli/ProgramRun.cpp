#include "ProgramRun.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return std::move(bytes).str();
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

fs::path makeTempFolder() {
    std::string name = (fs::temp_directory_path() / "tagloom-cli-XXXXXX").string();
    if (!mkdtemp(name.data())) throw std::runtime_error("cannot make a temporary folder");
    return name;
}

}  // namespace

TempFolder::TempFolder() : path_(makeTempFolder()) {}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

void TempFolder::write(const std::string& name, const std::string& bytes) const { writeFile(path_ / name, bytes); }

std::string TempFolder::read(const std::string& name) const { return readFile(path_ / name); }

std::vector<std::pair<std::string, std::string>> TempFolder::snapshot() const {
    std::vector<std::pair<std::string, std::string>> entries;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(path_))
        entries.emplace_back(fs::relative(e.path(), path_).string(), e.is_regular_file() ? readFile(e.path()) : "");
    std::sort(entries.begin(), entries.end());
    return entries;
}

ProgramRun runTagloomLink(const TempFolder& folder, const std::vector<std::string>& args, const RunSetting& setting) {
    const std::string& standardOutput = setting.standardOutput;
    // The streams go through files of a folder of their own, so the run's folder holds
    // only what the program itself wrote.
    const TempFolder streams;
    const fs::path inPath = streams.path() / "in", errPath = streams.path() / "err";
    const fs::path outPath = standardOutput.empty() ? streams.path() / "out" : fs::path(standardOutput);
    writeFile(inPath, setting.input);

    std::vector<std::string> argv = {TAGLOOM_LINK_PROGRAM};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (std::string& a : argv) pointers.push_back(a.data());
    pointers.push_back(nullptr);

    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int in = open(inPath.c_str(), O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(126);
        if (chdir(folder.path().c_str()) != 0) _exit(126);
        if (setting.fileSizeLimit >= 0) {
            // Ignored, SIGXFSZ would end the program; so a write beyond the limit fails instead.
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{static_cast<rlim_t>(setting.fileSizeLimit), static_cast<rlim_t>(setting.fileSizeLimit)};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
        }
        execv(pointers[0], pointers.data());
        _exit(127);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) throw std::runtime_error("waitpid failed");
    ProgramRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (standardOutput.empty()) run.out = readFile(outPath);
    run.err = readFile(errPath);
    return run;
}
