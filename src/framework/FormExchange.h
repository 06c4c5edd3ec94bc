#pragma once
// The form binding: moves a dialog's member values to its controls or back.
//
// A dialog describes its binding once, in its exchangeForm(FormExchange&), as a list of
// calls in transfer order; the same list serves both directions:
//
//   void CMyDlg::exchangeForm(FormExchange& form) {
//       form.attach(IDC_LIST, m_list);       // first transfer attaches, later ones do nothing
//       form.text(IDC_NAME, m_strName);
//       form.integer(IDC_COUNT, m_nCount);   // decimal; a bad text stops the read
//   }
//
// Reading a control that does not hold an integer shows "Please enter an integer.",
// puts the focus into that control with its text selected, and fails the read: the
// calls after it do nothing.
#include "CListCtrl.h"

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

class CDialog;

class FormExchange {
public:
    enum class Direction { ToValues, ToControls };

    // `only`, when not empty, limits the transfer to those controls.
    FormExchange(CDialog& dialog, Direction direction, std::initializer_list<int> only = {})
        : m_dialog(dialog), m_direction(direction), m_only(only) {}

    void attach(int controlId, CListCtrl& list);
    void text(int controlId, std::string& value);
    void integer(int controlId, int& value);

    bool failed() const { return m_failed; }

private:
    void fail(HWND box);

    HWND control(int controlId) const;
    bool skips(int controlId) const;

    CDialog& m_dialog;
    Direction m_direction;
    std::vector<int> m_only;
    bool m_failed = false;
};

// The decimal integer in `text`: blanks and tabs around it and a sign before the digits
// are allowed, nothing else; empty and out-of-range texts give nothing.
std::optional<int> parseFormInteger(const std::string& text);
