#include "PlatformSeam.h"

#include <shellapi.h>

namespace {

int realWsaStartup(WORD version, WSADATA* data) { return WSAStartup(version, data); }

HINSTANCE realShellExecute(HWND owner, const char* operation, const char* file,
                           const char* parameters, const char* directory, int show) {
    return ShellExecuteA(owner, operation, file, parameters, directory, show);
}

BOOL realWinHelp(HWND owner, const char* helpFile, UINT command, ULONG_PTR data) {
    return WinHelpA(owner, helpFile, command, data);
}

}  // namespace

PlatformSeam realPlatformSeam() { return {realWsaStartup, realShellExecute, realWinHelp}; }

PlatformSeam& platformSeam() {
    static PlatformSeam seam = realPlatformSeam();
    return seam;
}
