#include "AboutDlg.h"

#include "resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

CAboutDlg::~CAboutDlg() = default;
