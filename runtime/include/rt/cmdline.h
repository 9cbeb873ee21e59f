// Splitting a command line into arguments.
#pragma once

#include "rt/values.h"

namespace rt {

// The arguments after the program name in a full command line: the name is
// skipped (quoted: up to its closing quote and one following blank;
// unquoted: up to and including the first blank). Bytes below "!" separate
// arguments; a double quote starts an argument that runs to the next double
// quote and is taken without its quotes (an empty pair gives an empty
// argument); an unquoted argument ends at a byte below "!" or at a double
// quote. Double-byte characters are never split.
TextArray SplitCommandLine(const Text& commandLine);

}  // namespace rt
