#include "CWinApp.h"

#include "CDialog.h"
#include "PlatformSeam.h"

#include <winsock2.h>

#include <cstdlib>

namespace {
CWinApp* g_application = nullptr;
}

CWinApp::CWinApp() { g_application = this; }

CWinApp::~CWinApp() {
    if (g_application == this) g_application = nullptr;
}

CWinApp& CWinApp::current() {
    if (!g_application) std::abort();  // a program without an application object
    return *g_application;
}

void CWinApp::start(HINSTANCE instance) {
    m_instance = instance;
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
    m_modulePath.assign(path, length);
    size_t nameStart = m_modulePath.find_last_of("\\/:");
    std::string name = m_modulePath.substr(nameStart == std::string::npos ? 0 : nameStart + 1);
    size_t dot = name.rfind('.');
    m_title = dot == std::string::npos ? name : name.substr(0, dot);
}

int CWinApp::showMessage(const std::string& text, UINT type) {
    if ((type & MB_ICONMASK) == 0) type |= MB_ICONEXCLAMATION;
    HWND owner = m_mainWindow ? m_mainWindow->hwnd() : nullptr;
    return MessageBoxA(owner, text.c_str(), m_title.c_str(), type);
}

int CWinApp::showMessage(UINT stringId, UINT type) { return showMessage(loadResourceString(stringId), type); }

bool CWinApp::runCommand(UINT command) {
    for (const CommandEntry& entry : commandTable()) {
        if (entry.command == command) {
            (this->*entry.handler)();
            return true;
        }
    }
    return false;
}

bool CWinApp::startSockets() {
    WSADATA data{};
    if (platformSeam().wsaStartup(MAKEWORD(1, 1), &data) != 0) return false;
    if (data.wVersion != MAKEWORD(1, 1)) {
        WSACleanup();
        return false;
    }
    return true;
}

void CWinApp::onHelp() {
    std::string helpFile = m_modulePath;
    size_t dot = helpFile.rfind('.');
    size_t slash = helpFile.find_last_of("\\/:");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) helpFile.resize(dot);
    helpFile += ".HLP";

    CDialog* focus = m_modalDialogs.empty() ? m_mainWindow : m_modalDialogs.back();
    HWND owner = m_mainWindow ? m_mainWindow->hwnd() : nullptr;
    ULONG_PTR topic = 0x20000 + (focus ? focus->templateId() : 0);
    if (!platformSeam().winHelp(owner, helpFile.c_str(), HELP_CONTEXT, topic))
        showMessage("Failed to launch help.", MB_OK | MB_ICONEXCLAMATION);
}

void CWinApp::pushModal(CDialog* dialog) { m_modalDialogs.push_back(dialog); }

void CWinApp::popModal() {
    if (!m_modalDialogs.empty()) m_modalDialogs.pop_back();
}

int runApplication(HINSTANCE instance) {
    CWinApp& application = CWinApp::current();
    application.start(instance);
    return application.initInstance();
}

std::string loadResourceString(UINT id) {
    char buffer[1024];
    int length = LoadStringA(CWinApp::current().instance(), id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}
