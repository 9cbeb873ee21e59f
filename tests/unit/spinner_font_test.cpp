// The embedded spinner font: a TrueType file whose Windows Unicode map
// gives U+000D, U+0020 and the 122 frames U+E052..U+E0CB, named "Setup".
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "asset_file.h"

namespace {

// The file the program embeds and adds as its font.
const rt::ByteSet& Font() {
    static const rt::ByteSet font = AssetFile("Setup.ttf");
    return font;
}

uint16_t U16(size_t at) { return uint16_t(Font().at(at) << 8 | Font().at(at + 1)); }
uint32_t U32(size_t at) { return uint32_t(U16(at)) << 16 | U16(at + 2); }

std::map<std::string, size_t> Tables() {
    std::map<std::string, size_t> tables;
    const uint16_t count = U16(4);
    for (uint16_t i = 0; i < count; ++i) {
        const size_t record = 12 + size_t(i) * 16;
        tables[std::string(Font().begin() + record, Font().begin() + record + 4)] = U32(record + 8);
    }
    return tables;
}

// Glyph index of a code point in a format-4 subtable.
uint16_t Lookup(size_t sub, uint16_t code) {
    const uint16_t segments = U16(sub + 6) / 2;
    const size_t ends = sub + 14, starts = ends + 2 * segments + 2;
    const size_t deltas = starts + 2 * segments, offsets = deltas + 2 * segments;
    for (uint16_t s = 0; s < segments; ++s) {
        if (code > U16(ends + 2 * s)) continue;
        const uint16_t start = U16(starts + 2 * s);
        if (code < start) return 0;
        const uint16_t delta = U16(deltas + 2 * s), rangeOffset = U16(offsets + 2 * s);
        if (rangeOffset == 0) return uint16_t(code + delta);
        const uint16_t glyph = U16(offsets + 2 * s + rangeOffset + 2 * (code - start));
        return glyph == 0 ? 0 : uint16_t(glyph + delta);
    }
    return 0;
}

TEST(SpinnerFont, IsATrueTypeFileOf2048UnitsPerEm) {
    ASSERT_GT(Font().size(), 1000u);
    EXPECT_EQ(U32(0), 0x00010000u);
    const auto tables = Tables();
    for (const char* tag : {"cmap", "glyf", "head", "hhea", "hmtx", "loca", "maxp", "name", "OS/2", "post"}) {
        EXPECT_EQ(tables.count(tag), 1u) << tag;
    }
    EXPECT_EQ(U16(tables.at("head") + 18), 2048);
    EXPECT_EQ(U16(tables.at("maxp") + 4), 125);  // .notdef, CR, space, 122 frames
}

TEST(SpinnerFont, WindowsUnicodeMapHoldsTheFramesInOrder) {
    const size_t cmap = Tables().at("cmap");
    size_t sub = 0;
    for (uint16_t i = 0; i < U16(cmap + 2); ++i) {
        const size_t record = cmap + 4 + size_t(i) * 8;
        if (U16(record) == 3 && U16(record + 2) == 1) sub = cmap + U32(record + 4);
    }
    ASSERT_NE(sub, 0u) << "no (3,1) subtable";
    ASSERT_EQ(U16(sub), 4);
    EXPECT_NE(Lookup(sub, 0x000D), 0);
    EXPECT_NE(Lookup(sub, 0x0020), 0);
    std::set<uint16_t> frames;
    uint16_t previous = 0;
    for (uint32_t code = 0xE052; code <= 0xE0CB; ++code) {
        const uint16_t glyph = Lookup(sub, uint16_t(code));
        EXPECT_NE(glyph, 0) << std::hex << code;
        EXPECT_GT(glyph, previous) << std::hex << code;
        previous = glyph;
        frames.insert(glyph);
    }
    EXPECT_EQ(frames.size(), 122u);
    EXPECT_EQ(Lookup(sub, 0xE051), 0);
    EXPECT_EQ(Lookup(sub, 0xE0CC), 0);
}

TEST(SpinnerFont, FamilyFullAndPostScriptNamesAreSetupRegular) {
    const size_t name = Tables().at("name");
    const size_t strings = name + U16(name + 4);
    std::map<uint16_t, std::string> windowsNames;
    for (uint16_t i = 0; i < U16(name + 2); ++i) {
        const size_t r = name + 6 + size_t(i) * 12;
        if (U16(r) != 3 || U16(r + 2) != 1) continue;
        std::string ascii;
        const size_t at = strings + U16(r + 10);
        for (uint16_t k = 0; k + 1 < U16(r + 8); k += 2) ascii += char(U16(at + k));
        windowsNames[U16(r + 6)] = ascii;
    }
    EXPECT_EQ(windowsNames[1], "Setup");
    EXPECT_EQ(windowsNames[2], "Regular");
    EXPECT_EQ(windowsNames[4], "Setup");
    EXPECT_EQ(windowsNames[6], "Setup");
}

}  // namespace
