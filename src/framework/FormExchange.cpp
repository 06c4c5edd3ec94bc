#include "FormExchange.h"

#include "CDialog.h"
#include "CWinApp.h"
#include "WindowText.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

namespace {

// A control whose text already equals a short value is left alone, so that its caret
// and scroll position stay where they are. Longer values are always written.
constexpr size_t kCompareLimit = 256;

void showText(HWND control, const std::string& value) {
    if (value.size() < kCompareLimit) {
        char current[kCompareLimit + 1];
        int copied = GetWindowTextA(control, current, sizeof current);
        if (copied >= 0 && static_cast<size_t>(copied) == value.size() &&
            std::memcmp(current, value.data(), value.size()) == 0)
            return;
    }
    setWindowText(control, value);
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<int> parseFormInteger(const std::string& text) {
    size_t i = 0, end = text.size();
    while (i < end && isBlank(text[i])) ++i;
    while (end > i && isBlank(text[end - 1])) --end;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == end) return std::nullopt;
    long long magnitude = 0;
    for (; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
    }
    long long value = negative ? -magnitude : magnitude;
    if (value > INT_MAX) return std::nullopt;
    return static_cast<int>(value);
}

void FormExchange::attach(int controlId, CListCtrl& list) {
    if (m_failed || list.attached()) return;
    list.attach(control(controlId));
    m_dialog.rememberAttached(list);
}

void FormExchange::text(int controlId, std::string& value) {
    if (m_failed || skips(controlId)) return;
    HWND box = control(controlId);
    if (m_direction == Direction::ToValues)
        value = windowText(box);
    else
        showText(box, value);
}

void FormExchange::integer(int controlId, int& value) {
    if (m_failed || skips(controlId)) return;
    HWND box = control(controlId);
    if (m_direction == Direction::ToControls) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%d", value);
        showText(box, digits);
        return;
    }
    if (std::optional<int> parsed = parseFormInteger(windowText(box)))
        value = *parsed;
    else
        fail(box);
}

bool FormExchange::skips(int controlId) const {
    return !m_only.empty() && std::find(m_only.begin(), m_only.end(), controlId) == m_only.end();
}

HWND FormExchange::control(int controlId) const { return GetDlgItem(m_dialog.hwnd(), controlId); }

void FormExchange::fail(HWND box) {
    m_failed = true;
    CWinApp::current().showMessage("Please enter an integer.", MB_OK | MB_ICONEXCLAMATION);
    SetFocus(box);
    SendMessageA(box, EM_SETSEL, 0, -1);
}
