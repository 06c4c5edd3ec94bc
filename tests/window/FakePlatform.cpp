#include "FakePlatform.h"

namespace {
FakePlatform* g_fake = nullptr;

int fakeWsaStartup(WORD version, WSADATA* data) {
    if (!g_fake->socketsStart) return WSASYSNOTREADY;
    *data = WSADATA{};
    data->wVersion = version;
    data->wHighVersion = version;
    return 0;
}

HINSTANCE fakeShellExecute(HWND owner, const char* operation, const char* file, const char*, const char*, int show) {
    RecordedCall call;
    call.owner = owner;
    call.operation = operation ? operation : "";
    call.file = file ? file : "";
    call.show = show;
    g_fake->shellCalls.push_back(call);
    return reinterpret_cast<HINSTANCE>(42);
}

BOOL fakeWinHelp(HWND owner, const char* helpFile, UINT command, ULONG_PTR data) {
    RecordedCall call;
    call.owner = owner;
    call.file = helpFile ? helpFile : "";
    call.command = command;
    call.data = data;
    g_fake->helpCalls.push_back(call);
    return g_fake->helpOpens ? TRUE : FALSE;
}
}  // namespace

FakePlatform::FakePlatform() : m_saved(platformSeam()) {
    g_fake = this;
    platformSeam() = {fakeWsaStartup, fakeShellExecute, fakeWinHelp};
}

FakePlatform::~FakePlatform() {
    platformSeam() = m_saved;
    g_fake = nullptr;
}
