// What the layer's users of COM share.
#pragma once

namespace rt::detail {

// Initialises OLE on the UI thread at the first use of COM there, before
// anything else COM is called: automation objects and shell links rely on
// it. It stays until the process ends. On any other thread: nothing.
void InitOleOnUiThread();

}  // namespace rt::detail
