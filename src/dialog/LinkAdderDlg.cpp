#include "LinkAdderDlg.h"

#include "AboutDlg.h"
#include "CWinApp.h"
#include "PlatformSeam.h"
#include "resource.h"

// The help page lives under a reserved domain name, which nobody can ever register:
// the Help button can never lead the user to a stranger's site.
const char kHelpPageAddress[] = "https://tagloom.example/help.htm";

CLinkAdderDlg::CLinkAdderDlg()
    : CDialog(IDD_TAGLOOM_DIALOG),
      m_hIcon(LoadIconA(CWinApp::current().instance(), MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

// The icon is a shared resource icon: nothing to destroy.
CLinkAdderDlg::~CLinkAdderDlg() = default;

bool CLinkAdderDlg::dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static constexpr MessageEntry<CLinkAdderDlg> table[] = {
        onMessage(WM_SYSCOMMAND, &CLinkAdderDlg::onSysCommand),
        onMessage(WM_PAINT, &CLinkAdderDlg::onPaint),
        onMessage(WM_QUERYDRAGICON, &CLinkAdderDlg::onQueryDragIcon),
        onCommand(IDC_ADD_LINKS, BN_CLICKED, &CLinkAdderDlg::addLinks),
        onCommand(IDC_HELP_BUTTON, BN_CLICKED, &CLinkAdderDlg::openHelpPage),
        onCommand(IDC_ADD, BN_CLICKED, &CLinkAdderDlg::addEntry),
        onCommand(IDC_UPDATE, BN_CLICKED, &CLinkAdderDlg::updateEntry),
        onCommand(IDC_REMOVE, BN_CLICKED, &CLinkAdderDlg::removeEntry),
        onNotify(IDC_KEYWORD_LIST, NM_CLICK, &CLinkAdderDlg::pickEntry),
        onMessage(WM_DESTROY, &CLinkAdderDlg::onDestroy),
    };
    return dispatchMessage<CLinkAdderDlg>(*this, table, message, wParam, lParam, result) ||
           CDialog::dispatch(message, wParam, lParam, result);
}

void CLinkAdderDlg::exchangeForm(FormExchange& form) {
    form.attach(IDC_KEYWORD_LIST, m_list);
    form.text(IDC_INPUT, m_strInput);
    form.text(IDC_KEYWORD, m_strKeyword);
    form.text(IDC_LINK, m_strLink);
    form.text(IDC_OUTPUT, m_strOutput);
    form.integer(IDC_COUNT, m_nCount);
}

bool CLinkAdderDlg::onInitDialog() {
    CDialog::onInitDialog();  // shows the form, which attaches m_list

    if (HMENU systemMenu = GetSystemMenu(hwnd(), FALSE)) {
        std::string aboutItem = loadResourceString(IDS_ABOUTBOX);
        if (!aboutItem.empty()) {
            AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, aboutItem.c_str());
        }
    }
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    liftTextLimits();

    setupColumns();
    loadTable();
    return true;  // the focus goes to the first tab stop, the Quit button
}

// An edit control takes only 30,000 characters from the keyboard or a paste unless told
// otherwise; a long page pasted into Input must arrive whole.
void CLinkAdderDlg::liftTextLimits() {
    SendDlgItemMessageA(hwnd(), IDC_INPUT, EM_SETLIMITTEXT, 0, 0);
    SendDlgItemMessageA(hwnd(), IDC_OUTPUT, EM_SETLIMITTEXT, 0, 0);
}

bool CLinkAdderDlg::onSysCommand(WPARAM command, LPARAM, LRESULT& result) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
    CAboutDlg about;
    about.doModal();
    result = 0;
    return true;
}

POINT minimisedIconPosition(int clientWidth, int clientHeight, int iconWidth, int iconHeight) {
    return POINT{(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}

bool CLinkAdderDlg::onPaint(WPARAM, LPARAM, LRESULT& result) {
    if (!IsIconic(hwnd())) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd(), &paint);
    SendMessageA(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(hwnd(), &client);
    POINT at = minimisedIconPosition(client.right - client.left, client.bottom - client.top,
                                     GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    DrawIcon(dc, at.x, at.y, m_hIcon);
    EndPaint(hwnd(), &paint);
    result = 0;
    return true;
}

bool CLinkAdderDlg::onQueryDragIcon(WPARAM, LPARAM, LRESULT& result) {
    result = reinterpret_cast<LRESULT>(m_hIcon);
    return true;
}

void CLinkAdderDlg::openHelpPage() {
    readForm();
    platformSeam().shellExecute(nullptr, "open", kHelpPageAddress, nullptr, nullptr, SW_HIDE);
    showForm();
}

// Every way of closing the window passes through here, while the controls still exist.
bool CLinkAdderDlg::onDestroy(WPARAM, LPARAM, LRESULT&) {
    readForm();
    saveTable();
    return false;  // the dialog manager's own clean-up follows
}
