// The versions built into the main program.
#pragma once

namespace velkora {

// Compared byte for byte with the values of the update server's "ver.ini".
constexpr const char* kBuiltInVersion = "600000";

}  // namespace velkora
