#pragma once
// The plain linker: each entry rescans the whole working text, exactly as the rules read
// (see LinkInserter.h and LinkEngine.h). Its cost is entries x text; it exists so that the
// tests and the benchmark can hold the fast engine to it.
#include "LinkEngine.h"

#include <string>
#include <string_view>
#include <vector>

namespace ReferenceLinker {

std::string replaceAll(std::string_view text, std::string_view keyword, std::string_view replacement,
                       const CodePage& cp);

std::string insertLinks(std::string_view text, const std::vector<KeywordEntry>& entries, const CodePage& cp,
                        const LinkEngine::Options& options = {});

}  // namespace ReferenceLinker
