// Program paths, files and INI files.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>

#include "rt/clock.h"
#include "rt/values.h"

namespace rt {

// The running program file (in a plug-in: the EXE that loaded it), by a
// path that names the real file: where its own does not survive code page
// 936 (Hangul, many accented letters, emoji), the short names stand in.
Text ProgramPath();
Text ProgramDirectory();   // directory of ProgramPath, no trailing "\"
Text ProgramFileName();    // "Velkora.exe"
Text CurrentDirectory();   // at most 260 bytes; "" on failure

bool CopyFileTo(const Text& source, const Text& target);  // overwrites
bool DeleteFileAt(const Text& path);                      // missing: false

// Creates or truncates (exclusive sharing) and writes each non-empty set in
// order. Empty path: false. All sets empty: an empty file, true.
bool WriteWholeFile(const Text& path, std::initializer_list<ByteSet> parts);

// A file still in use (a program still ending, a virus scanner reading it)
// cannot be replaced or deleted yet: how often to try, and the pause after
// each failed try.
struct BusyRetry {
    int attempts;
    int pauseMs;
};
inline constexpr BusyRetry kTryOnce{1, 0};
inline constexpr BusyRetry kRetryAboutFiveSeconds{50, 100};

// Calls `attempt` until it gives true; false when none of the tries did.
template <typename Attempt>
bool RetryWhileBusy(Attempt attempt, BusyRetry retry = kRetryAboutFiveSeconds) {
    for (int i = 0; i < retry.attempts; ++i) {
        if (attempt()) return true;
        SleepMs(retry.pauseMs);
    }
    return false;
}

// Puts new contents in place of `target` whole: `fill` writes them to a
// temporary file beside it (GetTempFileNameA: "vku", one to four hex digits,
// ".tmp"), which is then moved over the target, tried as `retry` says. The
// old file stays whole until the move, so a failed fill, a full disk or a cut
// leaves it as it was; a replace that fails leaves no temporary file. Once
// the program has begun to end (IsEnding), no file is changed: false.
bool ReplaceFileWhole(const Text& target, const std::function<bool(const Text& temporary)>& fill,
                      BusyRetry retry);

// True once `path` is gone (also when there was none).
bool DeleteFileWhenFree(const Text& path, BusyRetry retry = kRetryAboutFiveSeconds);

// Deletes what replaces in `directory` left behind when their process ended
// during the fill: exactly the names ReplaceFileWhole gives its temporary
// files; a user's file of a like name stays.
void RemoveLeftoverReplaceFiles(const Text& directory);

// Bytes 1..32 at the start of file, section and key are skipped; when any of
// them is then empty the result is "" and no file is read; otherwise
// GetPrivateProfileStringA with a 10240-byte buffer.
Text IniRead(const Text& file, const Text& section, const Text& key,
             const std::optional<Text>& fallback = std::nullopt);

// WritePrivateProfileStringA; no value deletes the key, no key the section.
bool IniWrite(const Text& file, const Text& section,
              const std::optional<Text>& key = std::nullopt,
              const std::optional<Text>& value = std::nullopt);

// What IniRead would give for a file holding exactly `contents` (GBK).
Text IniReadFromText(const Text& contents, const Text& section, const Text& key);

}  // namespace rt
