// Loading and saving the table file "tagloom.dat" in the current directory.
//
// The file lists the rows bottom-up: the load puts each entry it reads on top of the list,
// so the entry read last ends on top, and the save writes the bottom row first. A save
// followed by a load therefore shows the rows in the same order.
//
// Both run once per window and move the whole table in one go: the load inserts every row
// with redrawing off, then sizes the columns and shows the count once; the save reads the
// rows out once and writes them in one step. Afterwards the window is as if each entry had
// gone through the Keyword and Link boxes one by one: the rows in the order above, the
// count shown, and the Keyword and Link boxes empty (what the user left typed there is
// never saved).
//
// Damaged content is never reported: the reading rules in TableFormat.h decide what loads.
// A keyword or link holding a NUL byte cannot be shown in the list, which keeps C strings,
// so its entry is left out of the list while every other entry loads; the next save writes
// the list as shown, without it.
#include "LinkAdderDlg.h"

#include "FileContent.h"
#include "TableFormat.h"
#include "resource.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::string kTableFile(TableFormat::tableFileName);

}  // namespace

// Runs once, from the dialog initialisation, after the columns are set up and while the
// list is empty. A missing file is created empty; a file that is there but cannot be read
// whole loads what was read before the failure and is marked, so that the save at close
// does not replace it with a table that lacks the rest.
void CLinkAdderDlg::loadTable() {
    readForm();
    FileRead file = readOrCreateFile(kTableFile);
    m_tableFileUnreadable = file.state == FileReadState::unreadable;

    std::vector<KeywordEntry> fileOrder = TableFormat::parseTable(file.bytes);
    if (!fileOrder.empty()) {
        m_list.setRedraw(false);
        // The list is empty here, so appending the entries last first gives the rows that
        // putting each on top in file order would, without shifting the rows already in.
        for (auto entry = fileOrder.rbegin(); entry != fileOrder.rend(); ++entry) {
            int row = m_list.itemCount();
            m_list.insertItem(row, entry->keyword, 0);
            m_list.setItemText(row, 1, entry->link);
        }
        autosizeColumns();  // switches redrawing back on and repaints the list once
    }
    m_strKeyword.clear();
    m_strLink.clear();
    refreshCount();
}

// Runs once, from the destroy handler, after it has read the form and while the controls
// still exist. The old file stays byte for byte as it was unless the new content is wholly
// in place; any failure, or a file that the load could not read, shows "Save to File".
void CLinkAdderDlg::saveTable() {
    std::vector<KeywordEntry> fileOrder = tableRows();
    std::reverse(fileOrder.begin(), fileOrder.end());  // the bottom row goes first

    bool saved = !m_tableFileUnreadable && replaceFileContent(kTableFile, TableFormat::formatTable(fileOrder));

    // The boxes end empty and the count stands, as after any save. The window is hidden by
    // now, so the Input and Output boxes, which may hold long pages, are not written again.
    m_strKeyword.clear();
    m_strLink.clear();
    m_nCount = static_cast<int>(fileOrder.size());
    showForm({IDC_KEYWORD, IDC_LINK, IDC_COUNT});
    if (!saved) MessageBoxA(hwnd(), "Save to File", "Error Writing File", MB_OK);
}
