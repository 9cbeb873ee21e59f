#include "rt/fatal.h"

#include <cstdio>
#include <cstdlib>

namespace rt {
namespace {

void DefaultFatal(int code, const Text& message) {
    std::fprintf(stderr, "fatal %d: %s\n", code, message.c_str());
    std::abort();
}

FatalHandler g_handler = DefaultFatal;

}  // namespace

FatalHandler SetFatalHandler(FatalHandler handler) {
    FatalHandler old = g_handler;
    g_handler = handler ? handler : DefaultFatal;
    return old;
}

void RaiseFatal(int code, const Text& message) {
    g_handler(code, message);
    // A handler that returns would let the caller run on with bad state.
    std::abort();
}

}  // namespace rt
