#include "LinkAdderApp.h"

#include "LinkAdderDlg.h"
#include "resource.h"

// The one application object.
CLinkAdderApp theApp;

CLinkAdderApp::CLinkAdderApp() = default;

CLinkAdderApp::~CLinkAdderApp() = default;

std::span<const CWinApp::CommandEntry> CLinkAdderApp::commandTable() const {
    static constexpr CommandEntry table[] = {
        {ID_HELP, &CWinApp::onHelp},
    };
    return table;
}

// The dialogs host no ActiveX controls, and every supported Windows draws dialog
// controls in 3-D by itself, so neither needs switching on here.
int CLinkAdderApp::initInstance() {
    if (!startSockets()) {
        showMessage(IDP_SOCKETS_INIT_FAILED, MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    CLinkAdderDlg dialog;
    setMainWindow(&dialog);
    dialog.doModal();
    setMainWindow(nullptr);
    return 0;
}
