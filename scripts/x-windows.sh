#!/usr/bin/env bash
# Sourced: finds a program's top-level windows on the X display in DISPLAY by
# their title. Wine names the X window of each top-level window after it (a
# window manager or none, Managed=N or not), and makes that X window as soon
# as the window is created, hidden or not.

# The X windows of that title.
windows_named() {  # title
  local tree
  tree=$(xwininfo -root -tree 2>/dev/null) || return 0
  awk -v name="\"$1\":" '$2 == name {print $1}' <<<"$tree"
}
# Prints the id of a window of that title that is mapped and viewable (on the
# screen); false when there is none.
shown_window() {  # title
  local id info
  for id in $(windows_named "$1"); do
    info=$(xwininfo -id "$id" 2>/dev/null) || continue
    if grep -q 'Map State: IsViewable' <<<"$info"; then echo "$id"; return 0; fi
  done
  return 1
}
shown() { shown_window "$1" >/dev/null; }  # title
# A window's place on the screen as ImageMagick's WIDTHxHEIGHT+X+Y.
window_geometry() {  # id
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print w "x" h "+" x "+" y}'
}
