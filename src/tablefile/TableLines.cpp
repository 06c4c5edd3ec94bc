// splitTableLines: the file's lines as they stand, each with what the loader does to it.
#include "TableLines.h"

#include "TableBytes.h"

namespace TableFormat {

std::vector<TableLine> splitTableLines(std::string_view fileBytes) {
    using namespace internal;
    const std::size_t endOfData = fileBytes.find(endOfFileByte);

    std::vector<TableLine> lines;
    for (std::size_t start = 0; start < fileBytes.size();) {
        const std::size_t lineFeedAt = fileBytes.find(lineFeed, start);
        const bool hasLineEnd = lineFeedAt != std::string_view::npos;
        const std::size_t end = hasLineEnd ? lineFeedAt : fileBytes.size();

        TableLine line;
        line.number = lines.size() + 1;
        line.text = fileBytes.substr(start, end - start);
        if (hasLineEnd && line.text.ends_with('\r')) line.text.remove_suffix(1);
        if (endOfData < start)
            line.fate = LineFate::afterEndOfFileByte;
        else if (endOfData < end)
            line.fate = LineFate::holdsEndOfFileByte;
        else
            line.fate = hasLineEnd ? LineFate::read : LineFate::noLineEnd;

        // The loader trims the whole line before it splits, which only shortens the name
        // when there is no "=": "KEYWORD =x" is named "KEYWORD ", but "KEYWORD " is "KEYWORD".
        const std::size_t equals = line.text.find('=');
        if (equals == std::string_view::npos) {
            line.name = trimTrailingWhiteSpace(line.text);
        } else {
            line.name = line.text.substr(0, equals);
            line.value = line.text.substr(equals + 1);
            line.loadedValue = trimTrailingWhiteSpace(line.value);
        }
        lines.push_back(line);
        start = hasLineEnd ? end + 1 : end;
    }
    return lines;
}

}  // namespace TableFormat
