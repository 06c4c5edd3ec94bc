#pragma once
// The about box: the icon, the version line and OK. It binds nothing and handles
// nothing of its own; OK and Cancel end it.
#include "CDialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    ~CAboutDlg() override;
};
