// The files of velkora/assets/, which the program embeds byte for byte.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

#include "rt/values.h"

// Empty when the file cannot be read.
inline rt::ByteSet AssetFile(const char* name) {
    std::ifstream in(std::string(VELKORA_ASSET_DIR) + "/" + name, std::ios::binary);
    return rt::ByteSet(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
