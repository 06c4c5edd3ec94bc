#include "WindowFixture.h"

std::string WindowTest::applicationTitle() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, length);
    name = name.substr(name.find_last_of("\\/") + 1);
    return name.substr(0, name.rfind('.'));
}
