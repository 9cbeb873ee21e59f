// The pictures of the three switches on the settings tab: complete 50 x 19
// 24-bit bitmap files (2942 bytes each), embedded from velkora/assets/
// (made by make_switch_images.py there). Each is read once and then kept:
// the window template and the buttons refer to them.
#pragma once

#include "rt/values.h"

namespace velkora {

const rt::ByteSet& SwitchOnNormalImage();   // green track, knob right
const rt::ByteSet& SwitchOnHoverImage();    // brighter green
const rt::ByteSet& SwitchOnPressedImage();  // flat pale green, white frame
const rt::ByteSet& SwitchOffNormalImage();  // grey track, knob left
const rt::ByteSet& SwitchOffActiveImage();  // lighter grey (hover and pressed)

}  // namespace velkora
