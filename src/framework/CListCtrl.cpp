#include "CListCtrl.h"

#include <vector>

void CListCtrl::insertColumn(int index, const char* heading, int format) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.fmt = format;
    column.pszText = const_cast<char*>(heading);
    SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void CListCtrl::setExtendedStyle(DWORD mask, DWORD style) {
    SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, mask, style);
}

int CListCtrl::columnWidth(int column) const {
    return static_cast<int>(SendMessageA(m_hWnd, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void CListCtrl::setColumnWidth(int column, int width) {
    // The width travels as the low 16 bits of the parameter.
    SendMessageA(m_hWnd, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                 MAKELPARAM(static_cast<WORD>(width), 0));
}

HWND CListCtrl::header() const { return GetDlgItem(m_hWnd, 0); }

int CListCtrl::itemCount() const { return static_cast<int>(SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0)); }

int CListCtrl::selectionMark() const {
    return static_cast<int>(SendMessageA(m_hWnd, LVM_GETSELECTIONMARK, 0, 0));
}

void CListCtrl::insertItem(int row, const std::string& text, int image) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = image;
    SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

std::string CListCtrl::itemText(int row, int column) const {
    if (row < 0 || row >= itemCount()) return {};
    // The control copies at most the buffer's size less one; grow until the text fits.
    std::vector<char> buffer(256);
    for (;;) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        auto copied = static_cast<size_t>(
            SendMessageA(m_hWnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < buffer.size()) return std::string(buffer.data(), copied);
        buffer.resize(buffer.size() * 4);
    }
}

void CListCtrl::setItemText(int row, int column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(m_hWnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void CListCtrl::deleteItem(int row) { SendMessageA(m_hWnd, LVM_DELETEITEM, static_cast<WPARAM>(row), 0); }

void CListCtrl::setRedraw(bool on) { SendMessageA(m_hWnd, WM_SETREDRAW, on ? TRUE : FALSE, 0); }

void CListCtrl::invalidate() { InvalidateRect(m_hWnd, nullptr, TRUE); }
