// Resource ids shared by tagloom.rc (read by windres) and the C++ sources.
// Plain integer macros only, so that both the resource compiler and the C++ compiler read them.
#ifndef TAGLOOM_RES_RESOURCE_H
#define TAGLOOM_RES_RESOURCE_H

// Dialog templates.
#define IDD_ABOUTBOX             100
#define IDD_TAGLOOM_DIALOG       102

// The program icon (32x32 and 16x16 images).
#define IDR_MAINFRAME            128

// String table.
#define IDS_ABOUTBOX             101  // the system-menu item that opens the about box
#define IDP_SOCKETS_INIT_FAILED  103  // shown when Windows Sockets cannot be started

// System-menu command of the About item. The system reserves the low four bits of a
// system command, so the command is recognised as (wParam & 0xFFF0) == IDM_ABOUTBOX.
#define IDM_ABOUTBOX             0x0010

// Controls of the main window.
#define IDC_INPUT                1000
#define IDC_OUTPUT               1001
#define IDC_ADD_LINKS            1002
#define IDC_ADD                  1003
#define IDC_UPDATE               1004
#define IDC_REMOVE               1005
#define IDC_KEYWORD_LIST         1006
#define IDC_HELP_BUTTON          1007
#define IDC_KEYWORD              1009
#define IDC_LINK                 1010
#define IDC_COUNT                1011
#define IDC_BANNER               1045

// Labels, group boxes and other controls that no code addresses.
#ifndef IDC_STATIC
#define IDC_STATIC               (-1)
#endif

#endif
