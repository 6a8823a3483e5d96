// Reading the program's records: their lines and their values.
#include "commands/keeping/RecordText.h"

#include "commands/signatures/Sha256.h"

namespace pellinor {

bool HasControl(const std::string& text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    }
    return false;
}

std::optional<std::vector<std::string>> CrlfLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string::npos) return std::nullopt;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string PlaceName(const std::string& key) {
    constexpr size_t kPlaceNameDigits = 16;
    Sha256 sha;
    sha.Add(key);
    return sha.Hex().substr(0, kPlaceNameDigits);
}

}  // namespace pellinor
