#include "rt/cmdline.h"

#include "gbk.h"

namespace rt {
namespace {

bool IsSeparator(unsigned char b) { return b < '!'; }

// Where the arguments start: after the program name and the blank that ends
// it.
size_t SkipProgramName(const Text& line) {
    size_t pos = 0;
    // GetCommandLineA has no leading blanks, but a hand-made line may.
    while (pos < line.size() && IsSeparator(static_cast<unsigned char>(line[pos]))) ++pos;
    if (pos < line.size() && line[pos] == '"') {
        ++pos;
        while (pos < line.size() && line[pos] != '"') pos += gbk::CharWidth(line, pos);
        if (pos < line.size()) ++pos;  // the closing quote
        if (pos < line.size() && IsSeparator(static_cast<unsigned char>(line[pos]))) ++pos;
        return pos;
    }
    while (pos < line.size() && !IsSeparator(static_cast<unsigned char>(line[pos]))) {
        pos += gbk::CharWidth(line, pos);
    }
    if (pos < line.size()) ++pos;
    return pos;
}

}  // namespace

TextArray SplitCommandLine(const Text& commandLine) {
    const Text& line = commandLine;
    TextArray args;
    size_t pos = SkipProgramName(line);
    while (pos < line.size()) {
        const unsigned char b = static_cast<unsigned char>(line[pos]);
        if (IsSeparator(b)) {
            ++pos;
            continue;
        }
        if (b == '"') {
            const size_t begin = ++pos;
            while (pos < line.size() && line[pos] != '"') pos += gbk::CharWidth(line, pos);
            args.Add(line.substr(begin, pos - begin));
            if (pos < line.size()) ++pos;  // an unclosed quote runs to the end
            continue;
        }
        const size_t begin = pos;
        while (pos < line.size() && line[pos] != '"' &&
               !IsSeparator(static_cast<unsigned char>(line[pos]))) {
            pos += gbk::CharWidth(line, pos);
        }
        args.Add(line.substr(begin, pos - begin));
    }
    return args;
}

}  // namespace rt
