// Window templates: plain constant tables describing a window and its units.
//
// A window is named by its template number; each unit by its unit number,
// which is also the control id of its child window. Unit 0 is the window
// itself. Page units of a tab control give positions relative to the tab
// control, as the layouts are written.
#pragma once

#include <cstdint>
#include <vector>

#include "rt/values.h"

namespace rt {

enum class UnitKind : uint8_t {
    Label,             // "Static" child, drawn by the layer (colours, alignment, wrap)
    TransparentLabel,  // label drawn over the container's background
    EditBox,
    ListBox,
    ComboBox,          // drop-down list
    TabControl,
    SuperButton,       // caption, tooltip, normal/hot/focus colours
    GraphicButton,     // three bitmap images: normal, hover, pressed
    Timer,             // no window; a period in ms
};

// Unit flags.
enum : uint32_t {
    kVisible = 1u << 0,
    kDisabled = 1u << 1,
    kTabStop = 1u << 2,
    // labels
    kWordWrap = 1u << 3,
    kAlignCenter = 1u << 4,   // horizontal; default left
    kAlignRight = 1u << 5,
    kVAlignTop = 1u << 6,     // vertical without word wrap; default centred
    kVAlignBottom = 1u << 7,
    // edit boxes
    kMultiLine = 1u << 8,
    kVScroll = 1u << 9,
    kReadOnly = 1u << 10,
    kEditCenter = 1u << 11,
    kDigitsAndMinus = 1u << 12,  // typed characters other than 0-9 and "-" are ignored
    kBorder = 1u << 13,
    // super buttons
    kUnderline = 1u << 14,
};

// Window attributes.
enum : uint32_t {
    kWinVisible = 1u << 0,
    kWinCentered = 1u << 1,      // start position: centre of the screen
    kWinEscCloses = 1u << 3,
    kWinDragAnywhere = 1u << 4,  // left press on the surface or a label drags
    kWinShowInTaskbar = 1u << 5,
    kWinTopMost = 1u << 6,
};

constexpr uint32_t kNoColor = 0xFFFFFFFFu;
constexpr uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}
constexpr uint32_t kWhite = Rgb(255, 255, 255);
constexpr uint32_t kBlack = Rgb(0, 0, 0);

// Font by face and LOGFONT height (negative = character height in pixels).
struct FontSpec {
    const char* face = nullptr;  // nullptr: the layer's default font
    int height = 0;
    int weight = 400;
    bool underline = false;
    int charset = 134;           // GB2312_CHARSET
};
inline FontSpec Font(const char* face, int height, int weight = 400, bool underline = false) {
    return FontSpec{face, height, weight, underline, 134};
}
inline FontSpec DefaultFont() { return FontSpec{}; }

struct UnitTemplate {
    int id = 0;
    UnitKind kind = UnitKind::Label;
    int container = 0;  // 0: the window; otherwise the tab control's unit number
    int page = 0;       // page of that tab control
    int left = 0, top = 0, width = 0, height = 0;
    uint32_t flags = 0;
    Text text;          // text, caption; list/combo items and tab pages "\n"-separated
    Text tooltip;
    FontSpec font;
    uint32_t textColor = kNoColor;
    uint32_t backColor = kNoColor;
    uint32_t hotColor = kNoColor;    // super button
    uint32_t focusColor = kNoColor;  // super button
    int interval = 0;                // timer period
    int maxLength = 0;               // edit box; 0 = no limit
    std::vector<int32_t> itemData;   // list box
    int currentItem = -1;            // list box / combo box / tab control
    const ByteSet* images[3] = {nullptr, nullptr, nullptr};  // graphic button
};

// Row helpers so that layouts read like their tables.
UnitTemplate Label(int id, int left, int top, int width, int height, uint32_t flags,
                   Text text, FontSpec font, uint32_t textColor = kWhite,
                   uint32_t backColor = kNoColor);
UnitTemplate TransparentLabel(int id, int left, int top, int width, int height, uint32_t flags,
                              Text text, FontSpec font, uint32_t textColor = kWhite);
UnitTemplate EditBox(int id, int left, int top, int width, int height, uint32_t flags,
                     Text text, FontSpec font, uint32_t textColor, uint32_t backColor,
                     int maxLength = 0);
UnitTemplate ListBox(int id, int left, int top, int width, int height, uint32_t flags,
                     Text itemsNewlineSeparated, std::vector<int32_t> itemData, int currentItem,
                     FontSpec font, uint32_t textColor = kBlack, uint32_t backColor = kWhite);
UnitTemplate ComboBox(int id, int left, int top, int width, int height, uint32_t flags,
                      Text itemsNewlineSeparated, int currentItem, FontSpec font);
UnitTemplate TabControl(int id, int left, int top, int width, int height, uint32_t flags,
                        Text pagesNewlineSeparated, uint32_t backColor);
UnitTemplate SuperButton(int id, int left, int top, int width, int height, uint32_t flags,
                         Text caption, Text tooltip, FontSpec font, uint32_t normal,
                         uint32_t hot, uint32_t focus);
UnitTemplate GraphicButton(int id, int left, int top, int width, int height, uint32_t flags,
                           const ByteSet* normal, const ByteSet* hover, const ByteSet* pressed);
UnitTemplate Timer(int id, int interval);
// Places a unit on a page of a tab control.
UnitTemplate OnPage(int tabControl, int page, UnitTemplate unit);

// Event numbers.
enum : int {
    kEvCreated = 0,      // window: creation complete
    kEvClicked = 0,      // button
    kEvElapsed = 0,      // timer
    kEvDestroying = 2,
    kEvMoved = 3,
    kEvResized = 4,
    kEvFirstActivated = 8,
    kEvDoubleClicked = -3,
    kEvGotFocus = -7,
    kEvLostFocus = -8,
    // window: the Windows session is ending (WM_ENDSESSION with TRUE). Windows
    // may end the process after it without destroying any window.
    kEvSessionEnding = 20,
};

using Handler = void (*)();
using DoubleClickHandler = void (*)(int x, int y, int keys);

struct EventBinding {
    int unit;   // 0: the window
    int event;
    Handler handler = nullptr;
    DoubleClickHandler doubleClick = nullptr;  // for kEvDoubleClicked
};

struct WindowTemplate {
    int number = 0;
    Text title;
    int left = 0, top = 0, width = 0, height = 0;
    uint32_t attributes = 0;
    uint32_t backColor = kNoColor;
    FontSpec defaultFont;         // used by units whose font face is nullptr
    std::vector<UnitTemplate> units;
    std::vector<EventBinding> events;
};

// The window's own row; units and events follow it.
WindowTemplate WindowRow(int number, Text title, int width, int height, uint32_t attributes,
                         uint32_t backColor);

}  // namespace rt
