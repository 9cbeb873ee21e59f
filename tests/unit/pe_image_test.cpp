// Which downloaded bodies may replace a program file.
#include <gtest/gtest.h>

#include <string>

#include "core/pe_image.h"

namespace {

using velkora::IsPeImage;

rt::ByteSet Image(uint32_t lfanew, size_t size) {
    rt::ByteSet b(size, 0);
    b[0] = 'M';
    b[1] = 'Z';
    for (int i = 0; i < 4; ++i) b[0x3C + i] = static_cast<unsigned char>(lfanew >> (8 * i));
    if (uint64_t(lfanew) + 4 <= size) {
        b[lfanew] = 'P';
        b[lfanew + 1] = 'E';
    }
    return b;
}

rt::ByteSet Bytes(const std::string& s) { return rt::ByteSet(s.begin(), s.end()); }

TEST(PeImage, AcceptsMzWithPeSignatureAtELfanew) {
    EXPECT_TRUE(IsPeImage(Image(0x80, 0x200)));
    EXPECT_TRUE(IsPeImage(Image(0x40, 0x44)));  // signature ends the bytes
}

TEST(PeImage, RejectsWhatAServerSendsInsteadOfAProgram) {
    EXPECT_FALSE(IsPeImage({}));
    EXPECT_FALSE(IsPeImage(Bytes("<html><body>404 Not Found</body></html>")));
    EXPECT_FALSE(IsPeImage(Bytes("MZ")));
    rt::ByteSet cut = Image(0x80, 0x200);
    cut.resize(0x82);  // cut off inside the signature
    EXPECT_FALSE(IsPeImage(cut));
    rt::ByteSet noSignature = Image(0x80, 0x200);
    noSignature[0x81] = 'X';
    EXPECT_FALSE(IsPeImage(noSignature));
    rt::ByteSet notMz = Image(0x80, 0x200);
    notMz[0] = 'Z';
    EXPECT_FALSE(IsPeImage(notMz));
}

TEST(PeImage, AnELfanewBeyondTheBytesDoesNotWrapAround) {
    EXPECT_FALSE(IsPeImage(Image(0xFFFFFFFDu, 0x100)));
    EXPECT_FALSE(IsPeImage(Image(0xFFFFFFFFu, 0x100)));
    EXPECT_FALSE(IsPeImage(Image(0x100, 0x100)));
}

}  // namespace
