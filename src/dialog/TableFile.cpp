// Loading and saving the table file "tagloom.dat" in the current directory.
#include "LinkAdderDlg.h"

// Runs once, from the dialog initialisation, after the columns are set up.
void CLinkAdderDlg::loadTable() {}

// Runs once, from the destroy handler, while the controls still exist.
void CLinkAdderDlg::saveTable() {}
