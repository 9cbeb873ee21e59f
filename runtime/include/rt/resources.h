// Data embedded in a deliverable's own file as resources.
#pragma once

#include "rt/values.h"

namespace rt {

// The bytes of RCDATA resource `id` of the file that holds this layer (the
// program, or the plug-in library); empty when there is none.
ByteSet ResourceBytes(int id);

}  // namespace rt
