#pragma once
// A dialog built from a dialog template and run modally.
//
// A message reaches a derived class's handler like this:
//   doModal() creates the window with dialogProc(), which finds the CDialog from the
//   window (stored at WM_INITDIALOG) and calls its virtual dispatch(); a derived class's
//   dispatch() walks its message table (MessageTable.h) and falls back to
//   CDialog::dispatch(), which gives IDOK to onOK(), IDCANCEL and Close to onCancel().
//   A message that nobody handles goes to the dialog manager's default processing.
#include "FormExchange.h"
#include "MessageTable.h"

#include <windows.h>

#include <initializer_list>
#include <vector>

class CListCtrl;

class CDialog {
public:
    explicit CDialog(UINT templateId, CDialog* parent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Creates the window, centres it, and runs its message loop until endDialog();
    // the owner is disabled meanwhile. Then hides and destroys the window.
    INT_PTR doModal();
    void endDialog(INT_PTR result);

    HWND hwnd() const { return m_hWnd; }
    UINT templateId() const { return m_templateId; }

    // The two directions of the form binding. readForm() fails when a value cannot be
    // read (it has said so to the user already).
    bool readForm();
    void showForm();
    // Shows only the values of these controls: for a command that changed just those and
    // must not pay for rewriting long texts that the other controls already show.
    void showForm(std::initializer_list<int> only);

    // Called by FormExchange when it attaches a control; detached when the window goes.
    void rememberAttached(CListCtrl& control) { m_attached.push_back(&control); }

protected:
    // The binding, in transfer order; the base binds nothing.
    virtual void exchangeForm(FormExchange&) {}
    // Runs once the controls exist. The base shows the form. True lets the dialog
    // manager put the focus on the first tab stop.
    virtual bool onInitDialog();
    // OK: read the form; end with IDOK only if that succeeded.
    virtual void onOK();
    // Cancel: end with IDCANCEL, reading nothing.
    virtual void onCancel();
    // Handles a message; false leaves it to the default processing.
    virtual bool dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND ownerWindow() const;
    void centre(HWND owner);
    void windowGone();

    UINT m_templateId;
    CDialog* m_parent;
    HWND m_hWnd = nullptr;
    bool m_ending = false;
    INT_PTR m_result = -1;
    std::vector<CListCtrl*> m_attached;
};
