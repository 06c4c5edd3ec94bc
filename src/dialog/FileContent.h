#pragma once
// Reading a file whole, and replacing a file's content so that it is never left half
// written. Win32 calls only, no window: any program of the project can use them.
#include <string>
#include <string_view>

// What reading a file found.
enum class FileReadState {
    read,        // the file was there and was read to its end
    created,     // there was no file; an empty one has been created
    notCreated,  // there was no file, and none could be created (the folder refuses it)
    unreadable,  // the file is there but would not open, or a read failed part-way
};

struct FileRead {
    FileReadState state = FileReadState::read;
    std::string bytes;  // every byte read; after a failed read, the bytes before the failure
};

// Opens `name` for reading, creating it empty when it is missing, and reads it whole.
// Others may read, write and replace the file meanwhile: nothing is locked.
FileRead readOrCreateFile(const std::string& name);

// Puts `bytes` in place of the content of the file `name`, or leaves that file exactly as it
// was and returns false. In order, each step checked:
//   1. An existing `name` must open for writing: Windows refuses a read-only file, or one
//      that another program holds without write sharing. (Checked first because under
//      Wine step 3 replaces even a read-only file.)
//   2. The bytes go to a new temporary file in the same folder: written, flushed, closed.
//   3. That file takes the place of `name` in one step.
// Whatever fails, the temporary file is removed again. A missing `name` is created.
bool replaceFileContent(const std::string& name, std::string_view bytes);
