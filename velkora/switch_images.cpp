#include "switch_images.h"

#include "resource_ids.h"
#include "rt/resources.h"

namespace velkora {
namespace {

template <int Id>
const rt::ByteSet& Embedded() {
    static const rt::ByteSet bytes = rt::ResourceBytes(Id);
    return bytes;
}

}  // namespace

const rt::ByteSet& SwitchOnNormalImage() { return Embedded<VELKORA_SWITCH_ON_NORMAL>(); }
const rt::ByteSet& SwitchOnHoverImage() { return Embedded<VELKORA_SWITCH_ON_HOVER>(); }
const rt::ByteSet& SwitchOnPressedImage() { return Embedded<VELKORA_SWITCH_ON_PRESSED>(); }
const rt::ByteSet& SwitchOffNormalImage() { return Embedded<VELKORA_SWITCH_OFF_NORMAL>(); }
const rt::ByteSet& SwitchOffActiveImage() { return Embedded<VELKORA_SWITCH_OFF_ACTIVE>(); }

}  // namespace velkora
