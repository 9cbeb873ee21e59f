// The online update's worker side (its UI handlers are in handlers.h).
#pragma once

#include "core/pe_image.h"
#include "rt/values.h"

namespace velkora {

// The thread routine of the update button; runs CheckAndApplyUpdates.
void UpdateThreadEntry(int unused);

// The whole update run, inside UpdateLock.
void CheckAndApplyUpdates();

// Fetches url and puts the body in place of the program file `fileName`
// (in the program's directory). Only a complete 2xx answer of at most 16 MiB
// whose body is a whole image of the kind asked for, for the machine of the
// running program, replaces the file; anything else leaves it as it was. 1
// when the file was replaced, else 0.
int DownloadToFile(const rt::Text& fileName, const rt::Text& url, ImageKind kind);

}  // namespace velkora
