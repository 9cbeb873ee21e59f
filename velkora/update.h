// The online update's worker side (its UI handlers are in handlers.h).
#pragma once

#include "rt/values.h"

namespace velkora {

// The thread routine of the update button; runs CheckAndApplyUpdates.
void UpdateThreadEntry(int unused);

// The whole update run, inside UpdateLock.
void CheckAndApplyUpdates();

// Fetches url and puts the body in place of the program file `fileName`
// (in the program's directory). Only a complete 2xx answer whose body is a
// PE image replaces the file; anything else leaves it as it was. 1 when the
// file was replaced, else 0.
int DownloadToFile(const rt::Text& fileName, const rt::Text& url);

}  // namespace velkora
