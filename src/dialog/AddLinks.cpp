// The Add Links command: the Input text with every keyword of the table wrapped in an
// anchor to its link, top row first, into the Output box.
#include "LinkAdderDlg.h"

#include "LinkInserter.h"
#include "resource.h"

#include <vector>

// The rows are applied in one call to the link inserter rather than row by row through
// the form: the result is the same, and the Input and Output texts are moved between the
// controls once instead of once per row. As a row-by-row run would, the Keyword and Link
// boxes end up holding the bottom row, and the Output box holds the plain copy of the
// input until the message box is dismissed. Before the box only the boxes that change are
// written: the Input box shows the text it was just read from, and writing a long page
// into an edit control is the slowest step of the whole command. The full showForm at
// the end writes every box, as always.
void CLinkAdderDlg::addLinks() {
    readForm();
    m_strOutput = m_strInput;

    std::vector<KeywordEntry> entries = tableRows();
    if (!entries.empty()) {
        m_strKeyword = entries.back().keyword;
        m_strLink = entries.back().link;
    }
    showForm({IDC_OUTPUT, IDC_KEYWORD, IDC_LINK});

    m_strOutput = LinkInserter::insertLinks(m_strInput, entries, CodePage::systemAnsi());
    MessageBoxA(hwnd(), "Your links have been added.\r\n", "Done Linking....", MB_OK);
    showForm();
}
