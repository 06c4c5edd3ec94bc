#pragma once
// Message tables: how a window message reaches a member function.
//
// A dialog class lists its handlers in one table, walked in order; the first entry that
// matches handles the message. There is one handler shape for each kind of entry:
//
//   onMessage(WM_PAINT, &Dlg::onPaint)            bool (Dlg::*)(WPARAM, LPARAM, LRESULT& result)
//       any window message; return false to leave it to the default processing.
//   onCommand(1002, BN_CLICKED, &Dlg::addLinks)   void (Dlg::*)()
//       WM_COMMAND from control 1002 with that notification code.
//   onNotify(1006, NM_CLICK, &Dlg::onListClick)  LRESULT (Dlg::*)(const NMHDR&)
//       WM_NOTIFY from control 1006 with that code; the handler's value is the result.
//
// A class hands its table to dispatchMessage() from its override of
// CDialog::dispatch(), and falls back to its base class's dispatch() when no entry
// matched; so a derived table is consulted before its base's.
#include <windows.h>

#include <span>

template <class Owner>
struct MessageEntry {
    enum class Kind { Message, Command, Notify };
    Kind kind;
    UINT message;  // Kind::Message only
    int controlId;
    UINT code;     // notification code for Command and Notify
    bool (Owner::*messageHandler)(WPARAM, LPARAM, LRESULT&);
    void (Owner::*commandHandler)();
    LRESULT (Owner::*notifyHandler)(const NMHDR&);
};

template <class Owner>
constexpr MessageEntry<Owner> onMessage(UINT message, bool (Owner::*handler)(WPARAM, LPARAM, LRESULT&)) {
    return {MessageEntry<Owner>::Kind::Message, message, 0, 0, handler, nullptr, nullptr};
}

template <class Owner>
constexpr MessageEntry<Owner> onCommand(int controlId, UINT code, void (Owner::*handler)()) {
    return {MessageEntry<Owner>::Kind::Command, WM_COMMAND, controlId, code, nullptr, handler, nullptr};
}

template <class Owner>
constexpr MessageEntry<Owner> onNotify(int controlId, UINT code, LRESULT (Owner::*handler)(const NMHDR&)) {
    return {MessageEntry<Owner>::Kind::Notify, WM_NOTIFY, controlId, code, nullptr, nullptr, handler};
}

// Runs the first entry of `table` that matches the message; false when none does
// (or when a message handler declined it).
template <class Owner>
bool dispatchMessage(Owner& owner, std::span<const MessageEntry<Owner>> table, UINT message, WPARAM wParam,
                     LPARAM lParam, LRESULT& result) {
    using Kind = typename MessageEntry<Owner>::Kind;
    for (const MessageEntry<Owner>& entry : table) {
        switch (entry.kind) {
        case Kind::Message:
            if (message == entry.message) return (owner.*entry.messageHandler)(wParam, lParam, result);
            break;
        case Kind::Command:
            if (message == WM_COMMAND && LOWORD(wParam) == entry.controlId && HIWORD(wParam) == entry.code) {
                (owner.*entry.commandHandler)();
                result = 0;
                return true;
            }
            break;
        case Kind::Notify:
            if (message == WM_NOTIFY) {
                const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
                if (static_cast<int>(header.idFrom) == entry.controlId && header.code == entry.code) {
                    result = (owner.*entry.notifyHandler)(header);
                    return true;
                }
            }
            break;
        }
    }
    return false;
}
