// A reader of DER (ASN.1's distinguished encoding) as signatures are
// written: one element at a time, every length checked against what holds
// it. Only what a signature needs: one-byte tags, definite lengths in their
// shortest form; and the writer of one element.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pellinor {

namespace der {
constexpr unsigned char kInteger = 0x02;
constexpr unsigned char kOctetString = 0x04;
constexpr unsigned char kObjectId = 0x06;
constexpr unsigned char kSequence = 0x30;
constexpr unsigned char kSet = 0x31;
// [n] of a constructed element, explicit or implicit.
constexpr unsigned char Context(unsigned n) {
    return static_cast<unsigned char>(0xA0 | n);
}
}  // namespace der

struct DerElement {
    unsigned char tag = 0;
    std::string_view whole;  // the tag, the length and the value
    std::string_view value;
};

class DerReader {
  public:
    explicit DerReader(std::string_view bytes) : rest_(bytes) {}
    // The next element, which must be whole; false (and the reader spent)
    // at the end or on anything not written as DER.
    bool Next(DerElement& element);
    // The next element when its tag is tag; false otherwise, the reader
    // left where it was when there is another tag.
    bool Next(unsigned char tag, DerElement& element);
    bool AtEnd() const { return rest_.empty(); }

  private:
    std::string_view rest_;
};

// One element of tag with value, its length in the shortest form.
std::string WriteDer(unsigned char tag, std::string_view value);

// Whether bytes are exactly one element of tag tag; its parts in element.
bool ReadOnly(std::string_view bytes, unsigned char tag, DerElement& element);

}  // namespace pellinor
