// DER elements read one by one, every length held to the bytes that remain.
#include "commands/signatures/DerReader.h"

namespace pellinor {

namespace {
// The longest length field taken: four bytes say up to 4 GiB, far beyond
// any signature the checks read.
constexpr size_t kLongestLengthBytes = 4;
}  // namespace

bool DerReader::Next(DerElement& element) {
    const std::string_view all = rest_;
    rest_ = std::string_view();
    if (all.size() < 2) return false;
    const auto byte = [&](size_t at) { return static_cast<unsigned char>(all[at]); };
    // Tags of more than one byte (low bits all set) are no part of a signature.
    if ((byte(0) & 0x1F) == 0x1F) return false;
    size_t at = 2;
    size_t length = byte(1);
    if (length & 0x80) {
        const size_t count = length & 0x7F;
        // 0x80 alone is BER's indefinite length, which DER does not allow.
        if (count == 0 || count > kLongestLengthBytes || all.size() < 2 + count) return false;
        length = 0;
        for (size_t i = 0; i < count; ++i) length = length << 8 | byte(2 + i);
        // DER writes each length in its shortest form: one written longer is
        // another encoding of the same thing, and two encodings could hash apart.
        if (length < 0x80 || (count > 1 && byte(2) == 0)) return false;
        at += count;
    }
    if (all.size() - at < length) return false;
    element.tag = byte(0);
    element.whole = all.substr(0, at + length);
    element.value = all.substr(at, length);
    rest_ = all.substr(at + length);
    return true;
}

bool DerReader::Next(unsigned char tag, DerElement& element) {
    if (rest_.empty() || static_cast<unsigned char>(rest_[0]) != tag) return false;
    return Next(element);
}

std::string WriteDer(unsigned char tag, std::string_view value) {
    std::string length;
    for (size_t n = value.size(); n > 0; n >>= 8) length.insert(length.begin(), char(n & 0xFF));
    if (value.size() >= 0x80) {
        length.insert(length.begin(), static_cast<char>(0x80 | length.size()));
    } else {
        length = std::string(1, static_cast<char>(value.size()));
    }
    return std::string(1, static_cast<char>(tag)) + length + std::string(value);
}

bool ReadOnly(std::string_view bytes, unsigned char tag, DerElement& element) {
    DerReader reader(bytes);
    return reader.Next(tag, element) && reader.AtEnd();
}

}  // namespace pellinor
