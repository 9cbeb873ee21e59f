// The value kinds every deliverable works with.
//
// Text is GBK (code page 936) bytes held by value; lengths are byte counts.
// An "absent" text is simply the empty string. Byte sets are counted blocks
// of raw bytes. Arrays handed out by the layer are 1-based, as the callers
// index them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rt {

using Text = std::string;                  // GBK bytes, no embedded NUL expected
using ByteSet = std::vector<unsigned char>;

// Local date-time: days since 1899-12-30 00:00, time of day as the fraction.
struct DateTime {
    double days = 0.0;
};

constexpr double kMinDateDays = -657434.0;  // 0100-01-01 00:00:00, also "failed"
constexpr double kMaxDateDays = 2958465.0;  // 9999-12-31 00:00:00

// A 1-based array of texts (command-line arguments, split results).
class TextArray {
public:
    TextArray() = default;
    explicit TextArray(std::vector<Text> items) : items_(std::move(items)) {}

    int Count() const { return static_cast<int>(items_.size()); }
    // 1-based; an index outside 1..Count() reads as the empty text.
    const Text& At(int index) const;
    void Add(Text t) { items_.push_back(std::move(t)); }
    const std::vector<Text>& Items() const { return items_; }

private:
    std::vector<Text> items_;
};

}  // namespace rt
