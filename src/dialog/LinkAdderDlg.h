#pragma once
// The main window: the Input and Output boxes, the keyword table, and its commands.
// Its member functions are split by concern over several files:
//   LinkAdderDlg.cpp   construction, message table, form binding, initialisation,
//                      system menu, minimised painting, Help and the destroy handler
//   KeywordTable.cpp   the keyword list's operations
//   AddLinks.cpp       the Add Links command
//   EntryCommands.cpp  Add, Update, Remove and picking an entry from the list
//   TableFile.cpp      loading and saving the table file
#include "CDialog.h"
#include "CListCtrl.h"
#include "LinkInserter.h"

#include <windows.h>

#include <string>
#include <vector>

class CLinkAdderDlg : public CDialog {
public:
    CLinkAdderDlg();
    ~CLinkAdderDlg() override;

protected:
    bool dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void exchangeForm(FormExchange& form) override;
    bool onInitDialog() override;

private:
    // Window set-up and lifecycle.
    bool onSysCommand(WPARAM command, LPARAM, LRESULT& result);
    bool onPaint(WPARAM, LPARAM, LRESULT& result);
    bool onQueryDragIcon(WPARAM, LPARAM, LRESULT& result);
    bool onDestroy(WPARAM, LPARAM, LRESULT& result);
    void openHelpPage();
    void liftTextLimits();

    // The keyword table: the rows of m_list, row 0 at the top.
    void setupColumns();
    void autosizeColumns();
    void insertEntryAtTop();
    void loadRowIntoFields(int row);
    void clearEntryFields();
    void refreshCount();
    bool findKeyword();
    void reverseRows();
    std::vector<KeywordEntry> tableRows() const;  // every row, the top row first

    // Add Links.
    void addLinks();

    // The entry commands.
    void addEntry();
    void updateEntry();
    void removeEntry();
    LRESULT pickEntry(const NMHDR& click);

    // The table file.
    void loadTable();
    void saveTable();

    CListCtrl m_list;
    std::string m_strInput;
    std::string m_strKeyword;
    std::string m_strLink;
    std::string m_strOutput;
    int m_nCount = 0;
    HICON m_hIcon;

    // Set by the load when "tagloom.dat" exists but could not be read whole: the save then
    // leaves that file alone instead of replacing it with what the list holds.
    bool m_tableFileUnreadable = false;
};

// Where a minimised window's icon is drawn so that it sits centred in the client area;
// the division truncates toward zero, so a 20-pixel-wide area puts a 32-pixel icon at -5.
POINT minimisedIconPosition(int clientWidth, int clientHeight, int iconWidth, int iconHeight);

// The address of the program's online help page.
extern const char kHelpPageAddress[];
