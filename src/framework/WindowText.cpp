#include "WindowText.h"

std::string windowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void setWindowText(HWND window, const std::string& text) { SetWindowTextA(window, text.c_str()); }
