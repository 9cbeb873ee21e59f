// Which downloaded bodies may replace a program file: only a whole PE image
// for the running program's machine, of the file's kind.
#include <gtest/gtest.h>

#include <string>

#include "core/pe_image.h"

namespace {

using velkora::IsPeImage;

constexpr uint32_t kLfanew = 0x80;
constexpr uint32_t kFileHeader = kLfanew + 4;
constexpr uint32_t kOptionalHeaderSize = 0xE0;
constexpr uint32_t kSectionTable = kFileHeader + 20 + kOptionalHeaderSize;

void Put(rt::ByteSet& b, size_t at, uint32_t value, int width) {
    for (int i = 0; i < width; ++i) b[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

struct Section {
    uint32_t pointer, size;
};

// A synthetic image: DOS header, signature, file header, an optional header
// of kOptionalHeaderSize zero bytes, the section table, then `size` bytes in
// all (the sections' raw data is wherever their pointers say).
rt::ByteSet Image(const std::vector<Section>& sections, size_t size) {
    rt::ByteSet b(size, 0);
    b[0] = 'M';
    b[1] = 'Z';
    Put(b, 0x3C, kLfanew, 4);
    b[kLfanew] = 'P';
    b[kLfanew + 1] = 'E';
    Put(b, kFileHeader + 2, static_cast<uint32_t>(sections.size()), 2);
    Put(b, kFileHeader + 16, kOptionalHeaderSize, 2);
    for (size_t i = 0; i < sections.size(); ++i) {
        const size_t header = kSectionTable + 40 * i;
        Put(b, header + 16, sections[i].size, 4);
        Put(b, header + 20, sections[i].pointer, 4);
    }
    return b;
}

// Two sections with raw data, the second one ending the bytes, and one that
// has none (zero-filled memory only) and whose pointer means nothing.
const std::vector<Section> kSections{{0x200, 0x200}, {0xFFFFFF00u, 0}, {0x400, 0x100}};
constexpr size_t kImageEnd = 0x500;

rt::ByteSet Bytes(const std::string& s) { return rt::ByteSet(s.begin(), s.end()); }

TEST(PeImage, AcceptsAWholeImageWithOrWithoutTrailingBytes) {
    EXPECT_TRUE(IsPeImage(Image(kSections, kImageEnd)));
    EXPECT_TRUE(IsPeImage(Image(kSections, kImageEnd + 0x1000)));
    EXPECT_TRUE(IsPeImage(Image({}, kSectionTable))) << "no sections: the headers are the image";
}

TEST(PeImage, RefusesAnImageCutAnywhereBeforeItsEnd) {
    // Every cut lands in the DOS header, the signature, the file header, the
    // optional header, the section table, between sections or in raw data.
    const rt::ByteSet whole = Image(kSections, kImageEnd);
    for (size_t cut = 0; cut < whole.size(); ++cut)
        EXPECT_FALSE(IsPeImage(rt::ByteSet(whole.begin(), whole.begin() + cut))) << "cut after " << cut << " bytes";
}

TEST(PeImage, RejectsWhatAServerSendsInsteadOfAProgram) {
    EXPECT_FALSE(IsPeImage(Bytes("<html><body>404 Not Found</body></html>")));
    EXPECT_FALSE(IsPeImage(Bytes("MZ")));
    rt::ByteSet notMz = Image(kSections, kImageEnd);
    notMz[0] = 'Z';
    EXPECT_FALSE(IsPeImage(notMz));
    rt::ByteSet noSignature = Image(kSections, kImageEnd);
    noSignature[kLfanew + 1] = 'X';
    EXPECT_FALSE(IsPeImage(noSignature));
    rt::ByteSet signatureNotEnded = Image(kSections, kImageEnd);
    signatureNotEnded[kLfanew + 3] = 1;
    EXPECT_FALSE(IsPeImage(signatureNotEnded));
}

TEST(PeImage, FieldsThatPointPastTheBytesDoNotWrapAround) {
    for (uint32_t lfanew : {0xFFFFFFFFu, 0xFFFFFFFDu, 0xFFFFFFE8u, uint32_t(kImageEnd)}) {
        rt::ByteSet b = Image(kSections, kImageEnd);
        Put(b, 0x3C, lfanew, 4);
        EXPECT_FALSE(IsPeImage(b)) << "e_lfanew " << lfanew;
    }
    // Pointer + size wraps to 0x10 in 32 bits.
    EXPECT_FALSE(IsPeImage(Image({{0xFFFFFFF0u, 0x20}}, kImageEnd)));
    EXPECT_FALSE(IsPeImage(Image({{0x200, 0xFFFFFFFFu}}, kImageEnd)));
    rt::ByteSet manySections = Image(kSections, kImageEnd);
    Put(manySections, kFileHeader + 2, 0xFFFF, 2);
    EXPECT_FALSE(IsPeImage(manySections));
    rt::ByteSet hugeOptionalHeader = Image(kSections, kImageEnd);
    Put(hugeOptionalHeader, kFileHeader + 16, 0xFFFF, 2);
    EXPECT_FALSE(IsPeImage(hugeOptionalHeader));
}

// An image of another machine, or a program where a library belongs (temp.exe
// served for /e/power.dll), would end the program at the next press of its
// button.
TEST(PeImage, AProgramFileIsOfTheRunningMachineAndOfItsKind) {
    using velkora::ImageKind;
    using velkora::IsProgramImage;
    constexpr uint16_t kI386 = velkora::kMachineI386, kAmd64 = velkora::kMachineAmd64;
    auto image = [](uint16_t machine, uint32_t characteristics) {
        rt::ByteSet b = Image(kSections, kImageEnd);
        Put(b, kFileHeader, machine, 2);
        Put(b, kFileHeader + 18, characteristics, 2);
        return b;
    };
    const rt::ByteSet exe = image(kI386, 0x0002), dll = image(kI386, 0x2002);
    EXPECT_TRUE(IsProgramImage(exe, kI386, ImageKind::Executable));
    EXPECT_TRUE(IsProgramImage(dll, kI386, ImageKind::Library));
    EXPECT_TRUE(IsProgramImage(image(kAmd64, 0x2002), kAmd64, ImageKind::Library));
    EXPECT_FALSE(IsProgramImage(dll, kAmd64, ImageKind::Library));
    EXPECT_FALSE(IsProgramImage(exe, kI386, ImageKind::Library));
    EXPECT_FALSE(IsProgramImage(dll, kI386, ImageKind::Executable));
    EXPECT_FALSE(IsProgramImage(image(kI386, 0x2000), kI386, ImageKind::Library));  // not marked executable
    EXPECT_FALSE(IsProgramImage(Bytes("MZ"), kI386, ImageKind::Executable));
}

}  // namespace
