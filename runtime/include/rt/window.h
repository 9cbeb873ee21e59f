// Windows loaded from templates: properties by number, events to handlers,
// timers, modal and non-modal loading.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <variant>

#include "rt/values.h"
#include "rt/window_template.h"

namespace rt {

// Property numbers.
enum : int {
    kPropLeft = 0, kPropTop = 1, kPropWidth = 2, kPropHeight = 3,
    kPropTag = 4,
    kPropVisible = 5,
    kPropDisabled = 6,
    kPropText = 8,           // window title, label/edit text, timer period
    kPropInterval = 8,
    kPropComboText = 9,
    kPropImageNormal = 10, kPropImageHover = 11, kPropImagePressed = 12,
    kPropCurrentTab = 12,
    kPropFontFace = 15,      // label: writing a text replaces the face name only
    kPropListIndex = 16,
    kPropPosition = 18,      // window: 0 normal, 1 restore+centre, 2 minimise, 3 maximise
    kPropComboIndex = 19,
    kPropCaption = 22,
    kPropHAlign = 24,
    kPropWordWrap = 25,
    kPropVAlign = 26,        // label
    kPropShowInTaskbar = 26, // window
    kPropTopMost = 29,
    kPropTooltip = 33,
};

using PropertyValue = std::variant<int32_t, Text, ByteSet>;

// A timer unit's WM_TIMER carries this plus its unit number: out of the way
// of anyone else's timers on the window.
constexpr UINT_PTR kTimerIdBase = 0x7000;

// Creates the window hidden with its units, starts timers, raises 0, 3, 4
// (each only while the window exists), then shows it when the template asks
// and raises got-the-focus (-7; 8 on the first activation, inside the show).
// Modal: disables this layer's other windows, pumps all of the thread's
// messages until the window is destroyed, enables them again, returns true.
// Already open, no close pending: activates it (restoring it when minimised)
// and returns true. Close pending: carries it out first, then loads anew.
bool LoadWindow(const WindowTemplate& tpl, HWND parent, bool modal);

PropertyValue GetUnitProperty(int window, int unit, int index);
int32_t GetUnitInt(int window, int unit, int index);
Text GetUnitText(int window, int unit, int index);
void SetUnitProperty(int window, int unit, int index, int32_t value);
void SetUnitProperty(int window, int unit, int index, const Text& value);
void SetUnitProperty(int window, int unit, int index, const char* value);
void SetUnitProperty(int window, int unit, int index, const ByteSet& value);

// Without atOnce: flags the window closing and posts a close (also from
// another thread); destroyed when its thread next handles messages.
void DestroyWindowOrUnit(int window, int unit = 0, bool atOnce = false);

bool IsCreated(int window, int unit = 0);
HWND GetWindowHandle(int window, int unit = 0);  // 0 when not created
LRESULT SendUnitMessage(int window, int unit, UINT message, WPARAM wParam, LPARAM lParam);

// Item data of a list box entry; -1 for an index outside the list.
int32_t ListItemData(int window, int unit, int index);

// Caret to the end, replaces the selection with the texts, scrolls into view.
void EditAppendText(int window, int unit, std::initializer_list<Text> texts);

// Dispatches the messages that wait on this thread, then returns.
void ProcessPendingEvents();

}  // namespace rt
