// The entry commands: Add, Update and Remove, and a click in the list that picks an
// entry into the Keyword and Link boxes.
//
// Update and Remove act on the list's selection mark at the moment of the press: the
// row the user last selected, whatever the boxes were loaded from. The commands read the
// mark and never set it; where it goes when rows come and go is the list's own business.
//
// Each button command reads the form before its work and shows it afterwards, so that
// it starts from what the boxes show and leaves on screen what it changed.
#include "LinkAdderDlg.h"

#include "CWinApp.h"

namespace {

constexpr char kBlankKeyword[] = "Course Name Blank.\r\nNo entry added.";
constexpr char kAlreadyInList[] = "This entry is already in the list.\r\nDo you really want to add this item?";

}  // namespace

// The Add button: the entry in the Keyword and Link boxes becomes the new top row. The
// boxes keep their texts, so a second press at once asks about a duplicate. Blanks are
// a keyword like any other: only an empty Keyword box is refused.
void CLinkAdderDlg::addEntry() {
    readForm();
    if (m_strKeyword.empty()) {
        MessageBoxA(hwnd(), kBlankKeyword, "Error", MB_OK);
    } else if (!findKeyword() || CWinApp::current().showMessage(kAlreadyInList, MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
        insertEntryAtTop();  // sizes the columns and refreshes the count as well
    }
    showForm();
}

// The Update button: the row at the selection mark takes the boxes' texts, with no
// duplicate check; then the boxes are emptied, whether or not a row changed. An empty
// Keyword box changes no row, since no row may have an empty keyword.
void CLinkAdderDlg::updateEntry() {
    readForm();
    if (!m_strKeyword.empty()) {
        int row = m_list.selectionMark();
        m_list.setItemText(row, 0, m_strKeyword);
        m_list.setItemText(row, 1, m_strLink);
    }
    autosizeColumns();
    clearEntryFields();
    showForm();
}

// The Remove button: deletes the row at the selection mark without asking. The boxes
// keep their texts, so the removed entry can be added back at once.
void CLinkAdderDlg::removeEntry() {
    readForm();
    m_list.deleteItem(m_list.selectionMark());
    autosizeColumns();
    refreshCount();
    showForm();
}

// A click anywhere in the list, rows or empty space: the boxes show the row at the
// selection mark as the click left it (empty when the mark names no row). Where the
// click landed does not matter. loadRowIntoFields reads and shows the form itself.
LRESULT CLinkAdderDlg::pickEntry(const NMHDR&) {
    loadRowIntoFields(m_list.selectionMark());
    return 0;
}
