// The entry commands: Add, Update and Remove, and a click in the list that picks an
// entry into the Keyword and Link boxes.
#include "LinkAdderDlg.h"

void CLinkAdderDlg::addEntry() {}

void CLinkAdderDlg::updateEntry() {}

void CLinkAdderDlg::removeEntry() {}

LRESULT CLinkAdderDlg::pickEntry(const NMHDR&) { return 0; }
