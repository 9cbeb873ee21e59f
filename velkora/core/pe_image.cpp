#include "core/pe_image.h"

#include <cstdint>

namespace velkora {

bool IsPeImage(const rt::ByteSet& bytes) {
    constexpr size_t kLfanewOffset = 0x3C;
    if (bytes.size() < kLfanewOffset + 4) return false;
    if (bytes[0] != 'M' || bytes[1] != 'Z') return false;
    const uint32_t lfanew = uint32_t(bytes[kLfanewOffset]) |
                            uint32_t(bytes[kLfanewOffset + 1]) << 8 |
                            uint32_t(bytes[kLfanewOffset + 2]) << 16 |
                            uint32_t(bytes[kLfanewOffset + 3]) << 24;
    // Compare in 64 bits: a huge e_lfanew must not wrap around.
    if (uint64_t(lfanew) + 4 > bytes.size()) return false;
    return bytes[lfanew] == 'P' && bytes[lfanew + 1] == 'E' &&
           bytes[lfanew + 2] == 0 && bytes[lfanew + 3] == 0;
}

}  // namespace velkora
