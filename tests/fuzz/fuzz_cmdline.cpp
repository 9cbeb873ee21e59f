// Arguments never hold a quote, never more bytes than the line, and an
// unquoted argument never holds a separator.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "rt/cmdline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const rt::Text line(reinterpret_cast<const char*>(data), size);
    const rt::TextArray args = rt::SplitCommandLine(line);
    size_t total = 0;
    for (const rt::Text& arg : args.Items()) {
        if (arg.find('"') != rt::Text::npos) std::abort();
        total += arg.size();
    }
    if (total > size) std::abort();
    return 0;
}
