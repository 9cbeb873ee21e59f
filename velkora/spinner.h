// The update spinner's own helpers (its handlers are in handlers.h).
#pragma once

#include "rt/values.h"

namespace velkora {

// UTF-16LE code units up to a 0 unit -> the text in the active ANSI code
// page (936 here); an empty set or a failed conversion gives "".
rt::Text CodePointToText(const rt::ByteSet& wide);

}  // namespace velkora
