#pragma once
// Whole texts of windows and controls, of any length, as byte strings.
#include <windows.h>

#include <string>

std::string windowText(HWND window);
void setWindowText(HWND window, const std::string& text);
