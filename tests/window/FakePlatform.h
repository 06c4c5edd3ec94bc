#pragma once
// Stands in for the platform calls that Wine cannot show (a browser opening, Windows
// Help, a failed socket start-up) and records how the window called them. The real
// functions come back when it goes out of scope.
#include "PlatformSeam.h"

#include <string>
#include <vector>

struct RecordedCall {
    HWND owner = nullptr;
    std::string operation;  // ShellExecuteA's verb
    std::string file;       // the page or the help file
    int show = -1;          // ShellExecuteA's show command
    UINT command = 0;       // WinHelpA's command
    ULONG_PTR data = 0;     // WinHelpA's topic
};

class FakePlatform {
public:
    FakePlatform();
    ~FakePlatform();

    bool socketsStart = true;
    bool helpOpens = true;
    std::vector<RecordedCall> shellCalls;
    std::vector<RecordedCall> helpCalls;

private:
    PlatformSeam m_saved;
};
