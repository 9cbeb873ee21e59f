#include "rt/values.h"

namespace rt {

const Text& TextArray::At(int index) const {
    static const Text kEmpty;
    if (index < 1 || index > Count()) return kEmpty;
    return items_[static_cast<size_t>(index - 1)];
}

}  // namespace rt
