#pragma once
// The application object: starts Windows Sockets and runs the main window.
#include "CWinApp.h"

class CLinkAdderApp : public CWinApp {
public:
    CLinkAdderApp();
    ~CLinkAdderApp() override;

    // Runs the main window modally; always 0, so the program ends when it closes.
    int initInstance() override;

protected:
    std::span<const CommandEntry> commandTable() const override;
};
