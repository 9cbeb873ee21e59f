// The program's icon file: a clock face in the main window's colours, at
// 16, 32 and 48 pixels, each a 32-bit image with its transparency mask.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

#include "asset_file.h"

namespace {

uint16_t U16(const rt::ByteSet& b, size_t at) { return uint16_t(b.at(at) | b.at(at + 1) << 8); }
uint32_t U32(const rt::ByteSet& b, size_t at) { return U16(b, at) | uint32_t(U16(b, at + 2)) << 16; }

struct Rgba {
    int r, g, b, a;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};
std::ostream& operator<<(std::ostream& os, const Rgba& c) {
    return os << "RGBA(" << c.r << "," << c.g << "," << c.b << "," << c.a << ")";
}

// One image of the file: its BITMAPINFOHEADER at `at`, rows bottom-up.
struct Image {
    const rt::ByteSet& file;
    size_t at;
    int size;
    Rgba Pixel(int x, int y) const {
        const size_t p = at + 40 + (size_t(size - 1 - y) * size + x) * 4;
        return {file.at(p + 2), file.at(p + 1), file.at(p), file.at(p + 3)};
    }
    bool Masked(int x, int y) const {  // AND mask bit: the pixel shows what lies behind
        const size_t rowBytes = (size_t(size) + 31) / 32 * 4;
        const size_t p = at + 40 + size_t(size) * size * 4 + size_t(size - 1 - y) * rowBytes + x / 8;
        return (file.at(p) & (0x80 >> (x % 8))) != 0;
    }
};

TEST(ProgramIcon, HoldsAClockFaceAt16_32And48PixelsInTheWindowColours) {
    const rt::ByteSet ico = AssetFile("Velkora.ico");
    ASSERT_GT(ico.size(), 6u);
    EXPECT_EQ(U16(ico, 0), 0);  // reserved
    EXPECT_EQ(U16(ico, 2), 1);  // an icon, not a cursor
    ASSERT_EQ(U16(ico, 4), 3);

    const Rgba rim{0, 170, 169, 255}, marks{0, 180, 169, 255}, dial{255, 255, 255, 255};
    const int sizes[] = {16, 32, 48};
    for (int i = 0; i < 3; ++i) {
        const int size = sizes[i];
        SCOPED_TRACE(size);
        const size_t entry = 6 + size_t(i) * 16;
        EXPECT_EQ(ico.at(entry), size);
        EXPECT_EQ(ico.at(entry + 1), size);
        EXPECT_EQ(U16(ico, entry + 6), 32);  // bits per pixel
        const uint32_t length = U32(ico, entry + 8), offset = U32(ico, entry + 12);
        ASSERT_LE(size_t(offset) + length, ico.size());
        const size_t mask = (size_t(size) + 31) / 32 * 4 * size;
        ASSERT_EQ(length, 40 + size_t(size) * size * 4 + mask);

        EXPECT_EQ(U32(ico, offset), 40u);
        EXPECT_EQ(int32_t(U32(ico, offset + 4)), size);
        EXPECT_EQ(int32_t(U32(ico, offset + 8)), 2 * size);  // colour and mask
        EXPECT_EQ(U16(ico, offset + 14), 32);
        EXPECT_EQ(U32(ico, offset + 16), 0u);  // BI_RGB

        const Image image{ico, offset, size};
        const int c = size / 2;
        // A round face: the corners are transparent, in colour and mask.
        EXPECT_EQ(image.Pixel(0, 0).a, 0);
        EXPECT_TRUE(image.Masked(0, 0));
        EXPECT_TRUE(image.Masked(size - 1, size - 1));
        // Rim, dial and the hands' hub.
        EXPECT_EQ(image.Pixel(c, 1), rim);
        EXPECT_FALSE(image.Masked(c, 1));
        EXPECT_EQ(image.Pixel(c - size * 3 / 20, c + size * 3 / 20), dial);
        EXPECT_EQ(image.Pixel(c - 1, c - 1), marks);
    }
}

}  // namespace
