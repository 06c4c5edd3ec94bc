#pragma once
// A list-view control in report view, operated through its window messages.
// Reading a cell of a row that does not exist gives an empty text; setting or deleting
// one changes nothing (the control itself ignores such requests).
#include <windows.h>
#include <commctrl.h>

#include <string>

class CListCtrl {
public:
    void attach(HWND control) { m_hWnd = control; }
    void detach() { m_hWnd = nullptr; }
    HWND hwnd() const { return m_hWnd; }
    bool attached() const { return m_hWnd != nullptr; }

    void insertColumn(int index, const char* heading, int format);
    void setExtendedStyle(DWORD mask, DWORD style);
    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);
    HWND header() const;  // the child window with control id 0, or null

    int itemCount() const;
    int selectionMark() const;
    void insertItem(int row, const std::string& text, int image);
    std::string itemText(int row, int column) const;
    void setItemText(int row, int column, const std::string& text);
    void deleteItem(int row);

    void setRedraw(bool on);
    void invalidate();

private:
    HWND m_hWnd = nullptr;
};
