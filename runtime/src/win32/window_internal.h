// Private state of the window layer: the loaded windows of this layer
// instance, their units, and the helpers the unit kinds share.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "critical_section.h"
#include "rt/handles.h"
#include "rt/window.h"
#include "rt/window_template.h"

namespace rt::detail {

// Private messages of the layer's windows.
enum : UINT {
    kMsgInvoke = WM_APP + 0x3A0,      // lParam: std::function<void()>* run on the window's thread
    kMsgEndProgram = WM_APP + 0x3A1,  // wParam: exit code (message window)
    kMsgFatal = WM_APP + 0x3A2,       // lParam: the fatal box's text (message window)
};

// The class of the layer's windows, registered by each instance of the layer
// (the program's and each plug-in's) with its own module, and the class of
// the program's hidden message window.
constexpr char kWindowClass[] = "VelkoraLayerWindow";
constexpr char kMessageClass[] = "VelkoraLayerMessages";

// The face of a font that names none (or one the layer cannot take).
constexpr char kDefaultFace[] = "宋体";

struct Window;

struct Unit {
    Window* window = nullptr;
    UnitTemplate tpl;              // the row it was made from (page, container, kind)
    HWND hwnd = nullptr;           // nullptr for timers
    WNDPROC baseProc = nullptr;    // the control's own procedure, which we subclass
    bool visibleFlag = false;
    Text tag;
    int left = 0, top = 0, width = 0, height = 0;  // timers keep their template rectangle
    int interval = 0;
    bool timerRunning = false;
    FontSpec font;
    Text fontFace;                 // owns the face text that font.face points at
    ScopedFont hfont;
    uint32_t textColor = kNoColor, backColor = kNoColor;
    uint32_t hotColor = kNoColor, focusColor = kNoColor;
    ScopedBrush backBrush;
    int hAlign = 0, vAlign = 1;
    bool wordWrap = false;
    Text tooltip;
    bool hot = false;
    ByteSet imageBytes[3];
    ScopedBitmap images[3];
    int currentPage = 0;           // tab control
    bool deferred = false;         // on a page not on show: no control yet
};

struct Window : std::enable_shared_from_this<Window> {
    int number = 0;
    uint64_t serial = 0;
    WindowTemplate tpl;
    HWND hwnd = nullptr;
    HWND tooltip = nullptr;
    HWND lastFocus = nullptr;      // the control to give the focus back to on activation
    std::vector<std::unique_ptr<Unit>> units;
    volatile LONG closing = 0;
    bool ready = false;            // window events flow only once creation is complete
    bool firstActivated = false;
    bool hasDeferred = false;      // some units still wait for their controls
    bool topMost = false;
    bool showInTaskbar = false;    // property 26: recorded only, read back as written
    ScopedBrush backBrush;
    // Last reported geometry, so WM_MOVE/WM_SIZE repeats raise nothing.
    POINT lastPos{LONG_MIN, LONG_MIN};
    SIZE lastSize{-1, -1};
    int lastState = -1;
    // Our own drag: which child (or the window) holds the capture.
    HWND dragCapture = nullptr;
    POINT dragCursor{}, dragOrigin{};

    Unit* FindUnit(int id);        // finds; never makes a control
    Unit* FindUnitByHwnd(HWND h);
    // The unit with its control: one that waits for its page gets it now
    // (with the other waiting ones). The window's own thread only.
    Unit* UnitWithControl(int id);
};

// The layer instance: what program.cpp and window.cpp share.
HINSTANCE Instance();
DWORD UiThread();
bool MainLoopRunning();
// Registers both classes (window_classes.cpp), once.
void EnsureClasses();
// The common controls: bound before the first tab control or tooltip.
void EnsureCommonControls();
LRESULT CALLBACK TopLevelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);      // window.cpp
LRESULT CALLBACK MessageWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);  // program.cpp

// Registry of loaded windows (locked; safe from any thread).
std::shared_ptr<Window> FindWindowObj(int number);
std::vector<std::shared_ptr<Window>> AllWindows();
size_t WindowCount();

// Runs fn on the thread that owns the window (directly when that is us).
void OnWindowThread(const std::shared_ptr<Window>& w, const std::function<void()>& fn);
// Runs fn on the window's thread with the window and the unit, its control
// made (unit 0: the window, with a null unit); nothing when either is gone.
void WithUnit(int window, int unit, const std::function<void(Window*, Unit*)>& fn);

// From now on no event reaches a handler and other threads' property calls
// are dropped: the program is ending (EndProgram, or the fatal path).
void StopEventDispatch();

// The fatal path, from another thread: the UI thread shows the box (which
// stops every window of the thread, a plug-in's too) and ends the process.
// Returns only when there is no UI thread to take it.
void HandFatalToUiThread(const char* text);
[[noreturn]] void ShowFatalBoxAndEnd(const char* text);  // fatal_win32.cpp

// Events: ignored once the program ends or while the window is being made.
void Raise(Window* w, int unit, int event);
void RaiseDoubleClick(Window* w, int unit, int x, int y, int keys);
int KeyStateBits(WPARAM mouseKeys);

// Unit kinds.
void PrepareUnit(Unit* u);
HWND CreateUnitWindow(Window* w, Unit* u);
bool OnPageNotShown(Window* w, const Unit* u);
void CreateDeferredUnits(Window* w);
void ShowAndActivate(Window* w);
void StartTimer(Window* w, Unit* u);
void SetTimerInterval(Window* w, Unit* u, int value);
void ApplyUnitVisibility(Window* w, Unit* u);
void ShowTabPage(Window* w, Unit* tab, int page);
POINT ContainerOffset(Window* w, const Unit* u);
HFONT MakeFont(const FontSpec& spec, const FontSpec& windowDefault);
void SetUnitFont(Unit* u, const FontSpec& spec);
void SetUnitBackColor(Unit* u, uint32_t color);
uint32_t ContainerBackColor(Window* w, const Unit* u);
HBITMAP BitmapFromFile(const ByteSet& bytes);
// A new icon of size x size pixels from the program's first icon group;
// nullptr when the program file has none.
HICON LoadProgramIcon(int size);
void SetButtonImage(Unit* u, int which, const ByteSet& bytes);
void SetTooltip(Window* w, Unit* u, const Text& text);
bool DrawOwnerDrawn(Window* w, const DRAWITEMSTRUCT* di);
LRESULT CtlColor(Window* w, HDC dc, HWND control, bool* handled);
void PaintLabel(Window* w, Unit* u, HDC dc);
void InvalidateLabelsAbove(Window* w, Unit* u);
bool IsLabelKind(UnitKind k);

// Dragging the window by its surface or a label.
void BeginDrag(Window* w, HWND capture);
bool ContinueDrag(Window* w, HWND capture);
void EndDrag(Window* w, HWND capture);

// Esc closes the window when the template says so.
bool HandleEscape(Window* w, UINT msg, WPARAM wp);

Text WindowTextOf(HWND h);
LRESULT CALLBACK UnitSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
// Each kind's part of the subclass: true when the message is handled (with
// *result), false to pass it (a button may change it) to the control.
bool LabelMessage(Window* w, Unit* u, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
bool ButtonMessage(Unit* u, UINT* msg, LRESULT* result);
bool TabMessage(Window* w, Unit* u, UINT msg, WPARAM wp, LRESULT* result);

}  // namespace rt::detail
