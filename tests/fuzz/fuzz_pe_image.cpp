// The image check reads only inside the bytes, whatever the header fields
// say, and bytes added after an accepted image never make it refused.
#include <cstdint>
#include <cstdlib>

#include "core/pe_image.h"

namespace {

void Check(const rt::ByteSet& bytes) {
    if (!velkora::IsPeImage(bytes)) return;
    if (bytes.size() < 0x40 + 24) std::abort();  // the DOS header, signature and file header at least
    rt::ByteSet longer = bytes;
    longer.insert(longer.end(), bytes.begin(), bytes.end());
    if (!velkora::IsPeImage(longer)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const rt::ByteSet raw(data, data + size);
    Check(raw);
    // The same bytes behind a fixed DOS header and signature, so that most
    // runs reach the file header, the section table and the raw data.
    rt::ByteSet framed(0x44, 0);
    framed[0] = 'M';
    framed[1] = 'Z';
    framed[0x3C] = 0x40;
    framed[0x40] = 'P';
    framed[0x41] = 'E';
    framed.insert(framed.end(), raw.begin(), raw.end());
    Check(framed);
    return 0;
}
