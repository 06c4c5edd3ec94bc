#pragma once
// The few platform calls whose answers cannot be watched under Wine: whether Windows
// Sockets starts, whether a browser opens a page, whether Windows Help shows a file.
// Everything the program does goes through these pointers; tests point them elsewhere.
#include <windows.h>
#include <winsock2.h>

struct PlatformSeam {
    int (*wsaStartup)(WORD version, WSADATA* data);
    HINSTANCE (*shellExecute)(HWND owner, const char* operation, const char* file,
                              const char* parameters, const char* directory, int show);
    BOOL (*winHelp)(HWND owner, const char* helpFile, UINT command, ULONG_PTR data);
};

// The seam in force; it starts out calling the real Windows functions.
PlatformSeam& platformSeam();

// The real functions, for a test that replaces only one of them.
PlatformSeam realPlatformSeam();
