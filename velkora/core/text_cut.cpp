#include "core/text_cut.h"

#include "rt/text.h"

namespace velkora {

rt::Text CutToWholeChars(const rt::Text& text, size_t maxBytes) {
    size_t end = 0;
    while (end < text.size()) {
        const bool pair = rt::IsGbkLeadByte(static_cast<unsigned char>(text[end])) &&
                          end + 1 < text.size();
        const size_t step = pair ? 2 : 1;
        if (end + step > maxBytes) break;
        end += step;
    }
    return text.substr(0, end);
}

}  // namespace velkora
