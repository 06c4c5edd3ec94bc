#pragma once
// What --help and --version print.
#include <string>

std::string helpText();
std::string versionText();
