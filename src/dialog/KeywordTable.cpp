// The keyword table's operations. The rows live only in the list control m_list:
// column 0 the keyword, column 1 the link, row 0 the top row. Several operations move
// texts between the list and the form, and their readForm/showForm points are part of
// what their callers rely on.
#include "LinkAdderDlg.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace {

struct ColumnSpec {
    const char* heading;
    int format;
};
constexpr ColumnSpec kColumns[] = {
    {"Keyword", LVCFMT_LEFT},
    {"Link", LVCFMT_LEFT},
};

}  // namespace

void CLinkAdderDlg::setupColumns() {
    int index = 0;
    for (const ColumnSpec& column : kColumns) m_list.insertColumn(index++, column.heading, column.format);
    m_list.setExtendedStyle(0, LVS_EX_FULLROWSELECT);
    autosizeColumns();
}

// Each column as wide as the larger of its widest text and its heading; the last column
// at least fills the rest of the list. The list measures; redrawing waits until the end.
void CLinkAdderDlg::autosizeColumns() {
    HWND header = m_list.header();
    if (!header) return;
    m_list.setRedraw(false);
    int columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < columns; ++column) {
        m_list.setColumnWidth(column, LVSCW_AUTOSIZE);
        int fitsText = m_list.columnWidth(column);
        m_list.setColumnWidth(column, LVSCW_AUTOSIZE_USEHEADER);
        int fitsHeading = m_list.columnWidth(column);
        m_list.setColumnWidth(column, std::max(fitsText, fitsHeading));
    }
    m_list.setRedraw(true);
    m_list.invalidate();
}

void CLinkAdderDlg::insertEntryAtTop() {
    readForm();
    refreshCount();
    if (m_strKeyword.empty()) return;
    m_list.insertItem(0, m_strKeyword, 0);
    m_list.setItemText(0, 1, m_strLink);
    showForm();
    autosizeColumns();
    refreshCount();
}

void CLinkAdderDlg::loadRowIntoFields(int row) {
    readForm();
    m_strKeyword = m_list.itemText(row, 0);
    m_strLink = m_list.itemText(row, 1);
    showForm();
}

void CLinkAdderDlg::clearEntryFields() {
    readForm();
    m_strLink.clear();
    m_strKeyword.clear();
    showForm();
}

void CLinkAdderDlg::refreshCount() {
    m_nCount = m_list.itemCount();
    showForm();
}

bool CLinkAdderDlg::findKeyword() {
    readForm();
    m_nCount = m_list.itemCount();
    for (int row = 0; row < m_nCount; ++row)
        if (m_list.itemText(row, 0) == m_strKeyword) return true;
    return false;
}

// Only the cell texts move: each row index keeps its state, so the selection and the
// selection mark stay where they were while showing the mirrored entry.
void CLinkAdderDlg::reverseRows() {
    readForm();
    int rows = m_list.itemCount();
    m_nCount = rows;
    for (int top = 0; top < rows / 2; ++top) {
        int bottom = rows - 1 - top;
        std::string keptKeyword = m_list.itemText(bottom, 0);
        std::string keptLink = m_list.itemText(bottom, 1);
        m_list.setItemText(bottom, 0, m_list.itemText(top, 0));
        m_list.setItemText(bottom, 1, m_list.itemText(top, 1));
        m_list.setItemText(top, 0, keptKeyword);
        m_list.setItemText(top, 1, keptLink);
    }
    showForm();
}

std::vector<KeywordEntry> CLinkAdderDlg::tableRows() const {
    int rows = m_list.itemCount();
    std::vector<KeywordEntry> entries;
    entries.reserve(static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row) entries.push_back({m_list.itemText(row, 0), m_list.itemText(row, 1)});
    return entries;
}
