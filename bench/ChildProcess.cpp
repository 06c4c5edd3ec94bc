#include "ChildProcess.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

ChildResult runChild(const std::vector<std::string>& argv, const std::string& outputFile,
                     const std::vector<std::string>& extraEnv, double limitSeconds) {
    int pipeFds[2] = {-1, -1};
    if (outputFile.empty() && pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
    // A fresh output file each time, as a shell's "> FILE" gives the program: the time is the
    // program's, not that of dropping what an earlier run left in the file (hundreds of MiB).
    if (!outputFile.empty()) unlink(outputFile.c_str());
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int out = outputFile.empty() ? pipeFds[1] : open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || dup2(out, STDOUT_FILENO) < 0) _exit(126);
        if (outputFile.empty()) {
            close(pipeFds[0]);
            close(pipeFds[1]);
        } else {
            close(out);
        }
        for (const std::string& e : extraEnv) putenv(const_cast<char*>(e.c_str()));
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    std::string output;
    if (outputFile.empty()) {
        close(pipeFds[1]);
        char buffer[4096];
        for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) output.append(buffer, static_cast<std::size_t>(n));
        close(pipeFds[0]);
    }
    int status = 0;
    rusage usage{};
    ChildResult result;
    for (;;) {
        const pid_t done = wait4(pid, &status, limitSeconds > 0 ? WNOHANG : 0, &usage);
        if (done == pid) break;
        if (done != 0) throw std::runtime_error("wait4 failed");
        if (secondsSince(start) > limitSeconds && !result.stopped) {
            kill(pid, SIGKILL);
            result.stopped = true;
        }
        usleep(1000);  // the time measured is at most this late
    }
    result.seconds = secondsSince(start);
    result.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    result.output = std::move(output);
    if (result.stopped) return result;
    // grep exits with 1 when nothing matched, which is no failure here.
    if (!WIFEXITED(status) || WEXITSTATUS(status) > 1)
        throw std::runtime_error(argv[0] + " failed (status " + std::to_string(status) + ")");
    return result;
}
