#include "FileContent.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace {

constexpr DWORD kShareWithEveryone = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kReadChunk = 1 << 20;

// Closes a file handle when it goes out of scope, unless it was closed on purpose first.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }
    bool close() {
        if (!valid()) return true;
        HANDLE handle = std::exchange(m_handle, INVALID_HANDLE_VALUE);
        return CloseHandle(handle) != FALSE;
    }

private:
    HANDLE m_handle;
};

bool exists(const std::string& name) {
    if (GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    // Anything but a plain "not there" (access refused on the way, say) counts as there:
    // a file whose existence is in doubt must not be treated as free to replace.
    DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

// Appends the rest of the file; false when a read fails before its end.
bool readToEnd(HANDLE file, std::string& bytes) {
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0)
        bytes.reserve(static_cast<size_t>(std::min<LONGLONG>(size.QuadPart, 1LL << 30)));
    std::string chunk(kReadChunk, '\0');
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, chunk.data(), kReadChunk, &got, nullptr)) return false;
        if (got == 0) return true;
        bytes.append(chunk.data(), got);
    }
}

// The folder that holds `name`, for a file that must land on the same volume.
std::string folderOf(const std::string& name) {
    size_t separator = name.find_last_of("\\/");
    if (separator == std::string::npos) return ".";
    return separator == 0 ? name.substr(0, 1) : name.substr(0, separator);
}

bool opensForWriting(const std::string& name) {
    FileHandle probe(CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return probe.valid() || GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool writeWhole(const std::string& name, std::string_view bytes) {
    FileHandle file(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!file.valid()) return false;
    while (!bytes.empty()) {
        DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        // A short count is a failure too: a file size limit cuts a write short without an error.
        if (!WriteFile(file.get(), bytes.data(), piece, &written, nullptr) || written != piece) return false;
        bytes.remove_prefix(piece);
    }
    return FlushFileBuffers(file.get()) && file.close();
}

}  // namespace

FileRead readOrCreateFile(const std::string& name) {
    FileRead result;
    FileHandle file(CreateFileA(name.c_str(), GENERIC_READ, kShareWithEveryone, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        result.state = exists(name) ? FileReadState::unreadable : FileReadState::notCreated;
        return result;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        result.state = FileReadState::created;
        return result;
    }
    result.state = readToEnd(file.get(), result.bytes) ? FileReadState::read : FileReadState::unreadable;
    return result;
}

bool replaceFileContent(const std::string& name, std::string_view bytes) {
    if (!opensForWriting(name)) return false;
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(folderOf(name).c_str(), "tlm", 0, temporary)) return false;
    if (writeWhole(temporary, bytes) &&
        MoveFileExA(temporary, name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary);
    return false;
}
