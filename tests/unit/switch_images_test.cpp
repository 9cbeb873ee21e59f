// The five switch pictures: complete 50 x 19 24-bit bitmap files with the
// track and knob colours of each state.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "asset_file.h"

namespace {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "RGB(" << c.r << "," << c.g << "," << c.b << ")";
}

uint32_t U32(const rt::ByteSet& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t U16(const rt::ByteSet& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

constexpr int kWidth = 50, kHeight = 19, kRowSize = 152, kPixelOffset = 54;

// (x, y) from the top-left corner; rows are stored bottom-up, as B, G, R.
Rgb PixelAt(const rt::ByteSet& image, int x, int y) {
    const size_t at = kPixelOffset + size_t(kHeight - 1 - y) * kRowSize + size_t(x) * 3;
    return {image[at + 2], image[at + 1], image[at]};
}

// The files the program embeds and shows.
struct Case {
    const char* file;
    Rgb track;
    bool knobRight;
    rt::ByteSet Image() const { return AssetFile(file); }
};

const Case kCases[] = {
    {"switch_on_normal.bmp", {139, 204, 0}, true},
    {"switch_on_hover.bmp", {157, 231, 14}, true},
    {"switch_on_pressed.bmp", {198, 244, 100}, true},
    {"switch_off_normal.bmp", {166, 166, 166}, false},
    {"switch_off_active.bmp", {181, 181, 181}, false},
};

TEST(SwitchImages, AreComplete24BitBitmapFilesOf50By19) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.file);
        const rt::ByteSet b = c.Image();
        ASSERT_EQ(b.size(), 2942u);
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(U32(b, 2), 2942u);            // file size
        EXPECT_EQ(U32(b, 10), 54u);             // pixel data offset
        EXPECT_EQ(U32(b, 14), 40u);             // BITMAPINFOHEADER
        EXPECT_EQ(int32_t(U32(b, 18)), kWidth);
        EXPECT_EQ(int32_t(U32(b, 22)), kHeight); // positive: bottom-up
        EXPECT_EQ(U16(b, 26), 1);
        EXPECT_EQ(U16(b, 28), 24);
        EXPECT_EQ(U32(b, 30), 0u);              // BI_RGB
        EXPECT_EQ(U32(b, 34), 2888u);           // 19 rows of 152 bytes
        for (int row = 0; row < kHeight; ++row) {  // row fill is zero
            EXPECT_EQ(b[kPixelOffset + row * kRowSize + 150], 0);
            EXPECT_EQ(b[kPixelOffset + row * kRowSize + 151], 0);
        }
    }
}

TEST(SwitchImages, ShowTheTrackColourAndTheBlackKnobAtTheStateEnd) {
    const Rgb black{0, 0, 0}, white{255, 255, 255};
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.file);
        const rt::ByteSet image = c.Image();
        ASSERT_EQ(image.size(), 2942u);
        const int knobX = c.knobRight ? 40 : 9;
        const int trackX = c.knobRight ? 12 : 37;
        EXPECT_EQ(PixelAt(image, knobX, 9), black);
        EXPECT_EQ(PixelAt(image, trackX, 9), c.track);
        EXPECT_EQ(PixelAt(image, 25, 4), c.track);   // the track's upper half
        EXPECT_EQ(PixelAt(image, 25, 14), c.track);  // and its lower half
        // The opposite end shows the track, not a knob.
        EXPECT_EQ(PixelAt(image, c.knobRight ? 9 : 40, 9), c.track);
        // Rounded ends: the corners show the page behind the button.
        EXPECT_EQ(PixelAt(image, 0, 0), white);
        EXPECT_EQ(PixelAt(image, kWidth - 1, kHeight - 1), white);
    }
}

TEST(SwitchImages, AreFiveDistinctPictures) {
    std::set<rt::ByteSet> distinct;
    for (const Case& c : kCases) distinct.insert(c.Image());
    EXPECT_EQ(distinct.size(), 5u);
}

}  // namespace
