// The row helpers that let window layouts read like their tables.
#include "rt/window_template.h"

#include <utility>

namespace rt {
namespace {

UnitTemplate Row(int id, UnitKind kind, int left, int top, int width, int height, uint32_t flags) {
    UnitTemplate u;
    u.id = id;
    u.kind = kind;
    u.left = left;
    u.top = top;
    u.width = width;
    u.height = height;
    u.flags = flags;
    return u;
}

// The rows that show a text in a font and colours of their own.
UnitTemplate TextRow(int id, UnitKind kind, int left, int top, int width, int height, uint32_t flags,
                     Text text, FontSpec font, uint32_t textColor, uint32_t backColor) {
    UnitTemplate u = Row(id, kind, left, top, width, height, flags);
    u.text = std::move(text);
    u.font = font;
    u.textColor = textColor;
    u.backColor = backColor;
    return u;
}

}  // namespace

UnitTemplate Label(int id, int left, int top, int width, int height, uint32_t flags, Text text,
                   FontSpec font, uint32_t textColor, uint32_t backColor) {
    return TextRow(id, UnitKind::Label, left, top, width, height, flags, std::move(text), font,
                   textColor, backColor);
}

UnitTemplate TransparentLabel(int id, int left, int top, int width, int height, uint32_t flags,
                              Text text, FontSpec font, uint32_t textColor) {
    return TextRow(id, UnitKind::TransparentLabel, left, top, width, height, flags, std::move(text),
                   font, textColor, kNoColor);
}

UnitTemplate EditBox(int id, int left, int top, int width, int height, uint32_t flags, Text text,
                     FontSpec font, uint32_t textColor, uint32_t backColor, int maxLength) {
    UnitTemplate u = TextRow(id, UnitKind::EditBox, left, top, width, height, flags, std::move(text),
                             font, textColor, backColor);
    u.maxLength = maxLength;
    return u;
}

UnitTemplate ListBox(int id, int left, int top, int width, int height, uint32_t flags,
                     Text itemsNewlineSeparated, std::vector<int32_t> itemData, int currentItem,
                     FontSpec font, uint32_t textColor, uint32_t backColor) {
    UnitTemplate u = TextRow(id, UnitKind::ListBox, left, top, width, height, flags,
                             std::move(itemsNewlineSeparated), font, textColor, backColor);
    u.itemData = std::move(itemData);
    u.currentItem = currentItem;
    return u;
}

UnitTemplate ComboBox(int id, int left, int top, int width, int height, uint32_t flags,
                      Text itemsNewlineSeparated, int currentItem, FontSpec font) {
    UnitTemplate u = Row(id, UnitKind::ComboBox, left, top, width, height, flags);
    u.text = std::move(itemsNewlineSeparated);
    u.currentItem = currentItem;
    u.font = font;
    return u;
}

UnitTemplate TabControl(int id, int left, int top, int width, int height, uint32_t flags,
                        Text pagesNewlineSeparated, uint32_t backColor) {
    UnitTemplate u = Row(id, UnitKind::TabControl, left, top, width, height, flags);
    u.text = std::move(pagesNewlineSeparated);
    u.backColor = backColor;
    u.currentItem = 0;
    return u;
}

UnitTemplate SuperButton(int id, int left, int top, int width, int height, uint32_t flags,
                         Text caption, Text tooltip, FontSpec font, uint32_t normal, uint32_t hot,
                         uint32_t focus) {
    UnitTemplate u = Row(id, UnitKind::SuperButton, left, top, width, height, flags);
    u.text = std::move(caption);
    u.tooltip = std::move(tooltip);
    u.font = font;
    u.textColor = kWhite;
    u.backColor = normal;
    u.hotColor = hot;
    u.focusColor = focus;
    return u;
}

UnitTemplate GraphicButton(int id, int left, int top, int width, int height, uint32_t flags,
                           const ByteSet* normal, const ByteSet* hover, const ByteSet* pressed) {
    UnitTemplate u = Row(id, UnitKind::GraphicButton, left, top, width, height, flags);
    u.images[0] = normal;
    u.images[1] = hover;
    u.images[2] = pressed;
    return u;
}

UnitTemplate Timer(int id, int interval) {
    UnitTemplate u = Row(id, UnitKind::Timer, 0, 0, 0, 0, 0);
    u.interval = interval;
    return u;
}

UnitTemplate OnPage(int tabControl, int page, UnitTemplate unit) {
    unit.container = tabControl;
    unit.page = page;
    return unit;
}

WindowTemplate WindowRow(int number, Text title, int width, int height, uint32_t attributes,
                         uint32_t backColor) {
    WindowTemplate w;
    w.number = number;
    w.title = std::move(title);
    w.width = width;
    w.height = height;
    w.attributes = attributes;
    w.backColor = backColor;
    return w;
}

}  // namespace rt
