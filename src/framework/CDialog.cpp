#include "CDialog.h"

#include "CListCtrl.h"
#include "CWinApp.h"

#include <commctrl.h>

namespace {

bool isHelpKey(const MSG& msg) {
    return msg.message == WM_KEYDOWN && msg.wParam == VK_F1 && GetKeyState(VK_SHIFT) >= 0 &&
           GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
}

// Messages whose value a dialog procedure returns itself instead of in DWLP_MSGRESULT.
bool returnsValueDirectly(UINT message) {
    switch (message) {
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

}  // namespace

CDialog::CDialog(UINT templateId, CDialog* parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() {
    if (m_hWnd) DestroyWindow(m_hWnd);
}

HWND CDialog::ownerWindow() const {
    if (m_parent) return m_parent->hwnd();
    CDialog* main = CWinApp::current().mainWindow();
    return main && main != this ? main->hwnd() : nullptr;
}

INT_PTR CDialog::doModal() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    CWinApp& application = CWinApp::current();
    HWND owner = ownerWindow();
    m_ending = false;
    m_result = -1;
    application.pushModal(this);
    if (owner) EnableWindow(owner, FALSE);
    CreateDialogParamA(application.instance(), MAKEINTRESOURCEA(m_templateId), owner, dialogProc,
                       reinterpret_cast<LPARAM>(this));
    // A template without WS_VISIBLE is shown here, once it is initialised and centred.
    if (m_hWnd && !IsWindowVisible(m_hWnd)) ShowWindow(m_hWnd, SW_SHOWNORMAL);
    MSG msg;
    while (m_hWnd && !m_ending) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave WM_QUIT to the outer loop
            break;
        }
        if (got < 0) break;
        if (isHelpKey(msg)) {
            application.runCommand(ID_HELP);
            continue;
        }
        if (!IsDialogMessageA(m_hWnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (owner) EnableWindow(owner, TRUE);
    if (m_hWnd) {
        ShowWindow(m_hWnd, SW_HIDE);
        DestroyWindow(m_hWnd);
    }
    if (owner) SetActiveWindow(owner);
    application.popModal();
    return m_result;
}

void CDialog::endDialog(INT_PTR result) {
    m_result = result;
    m_ending = true;
    // Wakes the loop when the request came inside a sent message.
    if (m_hWnd) PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

bool CDialog::readForm() {
    FormExchange form(*this, FormExchange::Direction::ToValues);
    exchangeForm(form);
    return !form.failed();
}

void CDialog::showForm() {
    FormExchange form(*this, FormExchange::Direction::ToControls);
    exchangeForm(form);
}

void CDialog::showForm(std::initializer_list<int> only) {
    FormExchange form(*this, FormExchange::Direction::ToControls, only);
    exchangeForm(form);
}

bool CDialog::onInitDialog() {
    showForm();
    return true;
}

void CDialog::onOK() {
    if (readForm()) endDialog(IDOK);
}

void CDialog::onCancel() { endDialog(IDCANCEL); }

bool CDialog::dispatch(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    result = 0;
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        onOK();
        return true;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        onCancel();
        return true;
    }
    if (message == WM_CLOSE) {  // the close box, the system menu's Close and Alt+F4
        SendMessageA(m_hWnd, WM_COMMAND, IDCANCEL, 0);
        return true;
    }
    return false;
}

void CDialog::centre(HWND owner) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT around = work;
    if (owner) GetWindowRect(owner, &around);
    RECT mine;
    GetWindowRect(m_hWnd, &mine);
    int width = mine.right - mine.left, height = mine.bottom - mine.top;
    int x = (around.left + around.right - width) / 2;
    int y = (around.top + around.bottom - height) / 2;
    if (x + width > work.right) x = work.right - width;
    if (y + height > work.bottom) y = work.bottom - height;
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialog::windowGone() {
    for (CListCtrl* control : m_attached) control->detach();
    m_attached.clear();
    CWinApp& application = CWinApp::current();
    if (application.mainWindow() == this) application.setMainWindow(nullptr);
    m_hWnd = nullptr;
}

INT_PTR CALLBACK CDialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        self->m_hWnd = window;
        bool focusFirst = self->onInitDialog();
        self->centre(self->ownerWindow());
        return focusFirst ? TRUE : FALSE;
    }
    auto* self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!self) return FALSE;
    LRESULT result = 0;
    bool handled = self->dispatch(message, wParam, lParam, result);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        self->windowGone();
    }
    if (!handled) return FALSE;
    if (returnsValueDirectly(message)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
}
