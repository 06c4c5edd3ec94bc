#pragma once
// The application object. A program defines exactly one, as a static object of a class
// derived from CWinApp; runApplication() (called from WinMain) runs its start-up routine
// and ends the process when that returns.
#include <windows.h>

#include <span>
#include <string>
#include <vector>

class CDialog;

// The framework's help command: F1 in a dialog sends it to the application's commands.
constexpr UINT ID_HELP = 0xE146;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Learns the module, its path and the title; runApplication() does this first.
    void start(HINSTANCE instance);

    // The one application object of the process.
    static CWinApp& current();

    // The start-up routine; the program ends when it returns.
    virtual int initInstance() = 0;

    // The application title: the executable's file name without directory and extension.
    const std::string& title() const { return m_title; }
    // The executable's full path.
    const std::string& modulePath() const { return m_modulePath; }
    HINSTANCE instance() const { return m_instance; }

    // The main window: owner of the application's message boxes and target of F1 help.
    void setMainWindow(CDialog* dialog) { m_mainWindow = dialog; }
    CDialog* mainWindow() const { return m_mainWindow; }

    // A message box captioned with the application title, owned by the main window while
    // there is one, with the exclamation icon unless `type` names an icon.
    int showMessage(const std::string& text, UINT type);
    int showMessage(UINT stringId, UINT type);

    // Runs the command through the application's command table; false when no entry has it.
    bool runCommand(UINT command);

    // Starts Windows Sockets 1.1; false when it cannot start or grants another version.
    bool startSockets();

    // The help handler: asks Windows Help for the executable's ".HLP" file at the topic of
    // the dialog that has the keyboard (0x20000 plus its resource number).
    void onHelp();

    // The dialog whose modal loop runs innermost (the one holding the keyboard).
    void pushModal(CDialog* dialog);
    void popModal();

protected:
    struct CommandEntry {
        UINT command;
        void (CWinApp::*handler)();
    };
    // The application's command table; the base has none.
    virtual std::span<const CommandEntry> commandTable() const { return {}; }

private:

    HINSTANCE m_instance = nullptr;
    std::string m_modulePath;
    std::string m_title;
    CDialog* m_mainWindow = nullptr;
    std::vector<CDialog*> m_modalDialogs;
};

// Sets the application object up for the module and runs its start-up routine.
int runApplication(HINSTANCE instance);

// Loads a string resource of the application's module; empty when there is none.
std::string loadResourceString(UINT id);
