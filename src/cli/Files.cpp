#include "Files.h"

#include "CommandLine.h"

#include "SideBySide.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr const char* standardInputName = "standard input";
constexpr const char* standardOutputName = "standard output";

// The reason for the failure that just happened; read before anything else can change errno.
std::string lastErrorReason() { return std::strerror(errno); }

[[noreturn]] void cannotRead(const std::string& name, const std::string& reason, std::string_view failure = "cannot read") {
    throw CliError(name + ": " + std::string(failure) + ": " + reason);
}

// Reads to the end. With the file's size known, one read gets it all (the byte more shows
// the end); otherwise the buffer doubles.
FileBytes readToEnd(std::FILE* file, std::size_t sizeHint, const std::string& name, std::string_view failure) {
    std::unique_ptr<char[]> bytes;
    std::size_t had = 0, capacity = 0;
    for (std::size_t want = std::max<std::size_t>(sizeHint + 1, 1 << 16);; want = capacity) {
        std::unique_ptr<char[]> larger(new char[had + want]);
        if (had > 0) std::memcpy(larger.get(), bytes.get(), had);
        bytes = std::move(larger);
        capacity = had + want;
        const std::size_t got = std::fread(bytes.get() + had, 1, want, file);
        had += got;
        if (got < want) break;
    }
    if (std::ferror(file)) cannotRead(name, lastErrorReason(), failure);
    return FileBytes(std::move(bytes), had);
}

// Reads the first `size` bytes of a regular file into `into`, pieces of it side by side on
// the machine's threads, each from its own place in the file (POSIX pread), which makes
// reading a large input about twice as fast on two cores. False if the file turned out
// shorter; throws on a read error. On Windows, one plain read.
bool readSideBySide(std::FILE* file, char* into, std::size_t size, const std::string& name, std::string_view failure) {
#ifdef _WIN32
    const std::size_t got = std::fread(into, 1, size, file);
    if (std::ferror(file)) cannotRead(name, lastErrorReason(), failure);
    return got == size;
#else
    constexpr std::size_t pieceBytes = 4 << 20;
    const int descriptor = fileno(file);
    std::atomic<bool> shorter{false};
    std::atomic<int> error{0};
    LinkEngineDetail::runSideBySide((size + pieceBytes - 1) / pieceBytes, LinkEngineDetail::threadsFor(size, 0),
                                    [&](std::size_t i) {
        for (std::size_t at = i * pieceBytes, end = std::min(size, at + pieceBytes); at < end;) {
            const ssize_t got = pread(descriptor, into + at, end - at, static_cast<off_t>(at));
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) error = errno;
            if (got == 0) shorter = true;
            if (got <= 0) return;
            at += static_cast<std::size_t>(got);
        }
    });
    if (error != 0) cannotRead(name, std::strerror(error), failure);
    return !shorter;
#endif
}

}  // namespace

void useBinaryStandardStreams() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

FileBytes readWholeFile(const std::string& path, std::string_view failure) {
    if (path == standardStreamArgument) return readToEnd(stdin, 0, standardInputName, failure);
    std::error_code ec;
    if (fs::is_directory(path, ec)) cannotRead(path, std::strerror(EISDIR), failure);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) cannotRead(path, lastErrorReason(), failure);
    const std::uintmax_t size = fs::is_regular_file(path, ec) ? fs::file_size(path, ec) : 0;
    const std::size_t sizeHint = ec ? 0 : static_cast<std::size_t>(size);
    try {
        // A large file is read in pieces side by side; if its size changed meanwhile, it is
        // read once more from its start, plainly.
        constexpr std::size_t largeFile = 16 << 20;
        if (sizeHint >= largeFile) {
            std::unique_ptr<char[]> bytes(new char[sizeHint]);
            if (readSideBySide(file, bytes.get(), sizeHint, path, failure) &&
                std::fseek(file, 0, SEEK_END) == 0 && static_cast<std::uintmax_t>(std::ftell(file)) == sizeHint) {
                std::fclose(file);
                return FileBytes(std::move(bytes), sizeHint);
            }
            std::rewind(file);
        }
        FileBytes bytes = readToEnd(file, sizeHint, path, failure);
        std::fclose(file);
        return bytes;
    } catch (...) {
        std::fclose(file);
        throw;
    }
}

// Only folders and regular files are looked at: opening a pipe (as "<(command)" gives)
// to test it would lose what its writer sends.
void checkReadable(const std::string& path) {
    if (path == standardStreamArgument) return;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (fs::is_directory(status)) cannotRead(path, std::strerror(EISDIR));
    if (!ec && !fs::is_regular_file(status)) return;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) cannotRead(path, lastErrorReason());
    std::fclose(file);
}

void writeStandardOutput(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
        throw CliError(std::string(standardOutputName) + ": cannot write: " + lastErrorReason());
}

void flushStandardOutput() {
    if (std::fflush(stdout) != 0) throw CliError(std::string(standardOutputName) + ": cannot write: " + lastErrorReason());
}

ReplacementFile::ReplacementFile(const std::string& target) : targetName_(target), target_(target) {
    std::error_code ec;
    if (fs::is_symlink(target_, ec)) {
        const fs::path resolved = fs::canonical(target_, ec);
        if (!ec) target_ = resolved.string();
    }
    const fs::file_status status = fs::status(target_, ec);
    if (fs::is_directory(status)) fail(std::strerror(EISDIR));
    if (fs::exists(status)) {
        // Checked first, as the rename would replace even a read-only file.
        std::FILE* probe = std::fopen(target_.c_str(), fs::is_regular_file(status) ? "r+b" : "wb");
        if (!probe) fail(lastErrorReason());
        if (!fs::is_regular_file(status)) {
            file_ = probe;  // a device or a pipe: written directly
            return;
        }
        std::fclose(probe);
    }

    std::random_device entropy;
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
        temporary_ = target_ + ".tagloom-" + std::to_string(entropy()) + ".tmp";
        if (fs::exists(temporary_, ec)) continue;
        file_ = std::fopen(temporary_.c_str(), "wb");
        if (!file_) {
            const std::string reason = lastErrorReason();
            temporary_.clear();
            fail(reason);
        }
    }
    if (!file_) {
        temporary_.clear();
        fail("no free name for a temporary file beside it");
    }
}

ReplacementFile::~ReplacementFile() {
    if (file_) std::fclose(file_);
    std::error_code ec;
    if (!replaced_ && !temporary_.empty()) fs::remove(temporary_, ec);
}

void ReplacementFile::write(std::string_view bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) fail(lastErrorReason());
}

void ReplacementFile::finish() {
    std::FILE* file = file_;
    file_ = nullptr;
    const bool flushed = std::fflush(file) == 0 && !std::ferror(file);
    const std::string reason = flushed ? std::string() : lastErrorReason();
    if (std::fclose(file) != 0 && flushed) fail(lastErrorReason());
    if (!flushed) fail(reason);
    std::error_code ec;
    if (!temporary_.empty() && fs::exists(target_, ec))
        fs::permissions(temporary_, fs::status(target_, ec).permissions(), ec);  // best effort
}

void ReplacementFile::replaceTarget() {
    if (temporary_.empty()) return;  // written directly
    std::error_code ec;
    fs::rename(temporary_, target_, ec);
    if (ec) fail(ec.message());
    replaced_ = true;
}

void ReplacementFile::fail(const std::string& reason) const { throw CliError(targetName_ + ": cannot write: " + reason); }
