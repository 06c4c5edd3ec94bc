#pragma once
// Reading inputs whole and writing outputs in one piece, with <cstdio> and
// std::filesystem only, so that the same code runs on Linux and Windows.
//
// Every failure throws CliError with a message that names the file and the reason:
// "notes.html: cannot read: No such file or directory".
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

struct CliError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Standard input and output carry bytes as they are: on Windows they are switched out of
// text mode, which would turn LF into CR LF and stop at a 0x1A byte.
void useBinaryStandardStreams();

// A file's bytes, read whole.
class FileBytes {
public:
    FileBytes(std::unique_ptr<char[]> bytes, std::size_t size) : bytes_(std::move(bytes)), size_(size) {}
    std::string_view view() const { return {bytes_.get(), size_}; }

private:
    std::unique_ptr<char[]> bytes_;  // not zeroed before the read: a large input is read
    std::size_t size_;               // in pieces side by side, at the speed of a copy
};

// The whole file, or all of standard input for "-". `failure` starts the reason in the
// message: "t.dat: cannot read the keyword table: No such file or directory".
FileBytes readWholeFile(const std::string& path, std::string_view failure = "cannot read");

// Throws unless the file opens for reading; reads nothing. For "-" it checks nothing.
void checkReadable(const std::string& path);

// Writes to standard output; throws if the bytes could not all be written.
void writeStandardOutput(std::string_view bytes);
void flushStandardOutput();

// A new content for the file `target`, written to a temporary file in the same folder and
// put in the target's place in one step, so that the target is never half written: it is
// either as it was or wholly new. If the object is destroyed before replaceTarget(), the
// temporary file is removed and the target stays as it was.
//
// A target that is a symbolic link has the file it points to replaced. An existing target
// must open for writing (a read-only file, for instance, is refused), and the new file
// takes the old one's permissions. A target that exists but is no regular file (a device
// such as /dev/null, a pipe) cannot be replaced: it is written directly.
class ReplacementFile {
public:
    explicit ReplacementFile(const std::string& target);  // creates the temporary file
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    ~ReplacementFile();

    void write(std::string_view bytes);
    // Flushes and closes the temporary file; after this, only replaceTarget() is left.
    void finish();
    // Renames the finished temporary file over the target.
    void replaceTarget();

private:
    [[noreturn]] void fail(const std::string& reason) const;

    std::string targetName_;  // as the user wrote it, for messages
    std::string target_;      // the file to replace, symbolic links followed
    std::string temporary_;   // empty when the target is written directly
    std::FILE* file_ = nullptr;
    bool replaced_ = false;
};
