#include "core/pe_image.h"

#include <cstdint>

namespace velkora {

namespace {

constexpr uint64_t kLfanewOffset = 0x3C;
constexpr uint64_t kSignatureSize = 4;
constexpr uint64_t kFileHeaderSize = 20;
constexpr uint64_t kMachineOffset = 0;              // in the file header
constexpr uint64_t kNumberOfSectionsOffset = 2;
constexpr uint64_t kSizeOfOptionalHeaderOffset = 16;
constexpr uint64_t kCharacteristicsOffset = 18;
constexpr uint32_t kExecutableImage = 0x0002, kDll = 0x2000;
constexpr uint64_t kSectionHeaderSize = 40;
constexpr uint64_t kSizeOfRawDataOffset = 16;       // in a section header
constexpr uint64_t kPointerToRawDataOffset = 20;

// Every offset is a 64-bit sum of 32-bit fields, so none can wrap around;
// a read is made only after its end has been checked against the size.
class Reader {
public:
    explicit Reader(const rt::ByteSet& bytes) : bytes_(bytes) {}
    bool Holds(uint64_t offset, uint64_t length) const { return offset + length <= bytes_.size(); }
    uint32_t Le(uint64_t offset, int width) const {
        uint32_t value = 0;
        for (int i = width - 1; i >= 0; --i) value = value << 8 | bytes_[size_t(offset) + i];
        return value;
    }
private:
    const rt::ByteSet& bytes_;
};

}  // namespace

bool IsPeImage(const rt::ByteSet& bytes) {
    const Reader r(bytes);
    if (!r.Holds(kLfanewOffset, 4) || bytes[0] != 'M' || bytes[1] != 'Z') return false;
    const uint64_t signature = r.Le(kLfanewOffset, 4);
    const uint64_t fileHeader = signature + kSignatureSize;
    if (!r.Holds(fileHeader, kFileHeaderSize)) return false;
    if (r.Le(signature, 4) != 0x00004550) return false;  // "PE\0\0"
    const uint64_t sections = r.Le(fileHeader + kNumberOfSectionsOffset, 2);
    const uint64_t optionalHeader = fileHeader + kFileHeaderSize;
    const uint64_t sectionTable = optionalHeader + r.Le(fileHeader + kSizeOfOptionalHeaderOffset, 2);
    if (!r.Holds(sectionTable, sections * kSectionHeaderSize)) return false;
    for (uint64_t i = 0; i < sections; ++i) {
        const uint64_t header = sectionTable + i * kSectionHeaderSize;
        const uint64_t rawSize = r.Le(header + kSizeOfRawDataOffset, 4);
        // A section with no raw data (only zero-filled memory) may point anywhere.
        if (rawSize != 0 && !r.Holds(r.Le(header + kPointerToRawDataOffset, 4), rawSize)) return false;
    }
    return true;
}

bool IsProgramImage(const rt::ByteSet& bytes, uint16_t machine, ImageKind kind) {
    if (!IsPeImage(bytes)) return false;
    const Reader r(bytes);
    const uint64_t fileHeader = r.Le(kLfanewOffset, 4) + kSignatureSize;
    const uint32_t characteristics = r.Le(fileHeader + kCharacteristicsOffset, 2);
    const bool library = (characteristics & kDll) != 0;
    return r.Le(fileHeader + kMachineOffset, 2) == machine && (characteristics & kExecutableImage) &&
           library == (kind == ImageKind::Library);
}

}  // namespace velkora
