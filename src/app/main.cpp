// The program's entry point: everything else happens in the application object.
#include "CWinApp.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return runApplication(instance); }
