# Shared by the scripts that run Windows programs under Wine: a prefix of the
# project's own (never ~/.wine), one wineserver for the whole run, and an X
# display of its own when asked for one.
# shellcheck shell=bash

export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts in a fresh prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Debian's Wine looks for its own fonts (fonts-wine) where they are not, and
# falls back to DejaVu Sans, which is much wider than the dialog fonts the
# windows are laid out for. Our prefixes get them in C:\windows\Fonts.
wine_prefix_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" f
  mkdir -p "$fonts"
  for f in /usr/share/wine/fonts/*; do
    [ -e "$fonts/$(basename "$f")" ] || cp "$f" "$fonts/"
  done
}

# wine_prefix_fresh DIR: makes a new prefix in DIR and keeps its server up.
wine_prefix_fresh() {
  export WINEPREFIX=$1
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # Persistent from the start: every later Wine process reuses this server.
  wineserver -p >/dev/null 2>&1
  WINEARCH=win64 wineboot -i >/dev/null 2>&1
  wine_prefix_fonts
}

# wine_prefix_use DIR: uses the prefix in DIR, making it when missing.
wine_prefix_use() {
  export WINEPREFIX=$1
  mkdir -p "$WINEPREFIX"
  wineserver -p >/dev/null 2>&1 || true  # already up is fine
  [ -f "$WINEPREFIX/system.reg" ] || WINEARCH=win64 wineboot -i >/dev/null 2>&1
}

# wine_virtual_desktop WxH: every window of the prefix opens inside one Wine
# desktop window of that size, with title bars drawn by Wine. Without a
# window manager (Xvfb), Wine otherwise waits 2 s for one at every hide.
# The desktop is started here, detached: started by a test, its process
# would hold the test's output pipe open and ctest would wait for it.
wine_virtual_desktop() {
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$1" /f >/dev/null 2>&1
  # The desktop wineboot made is not virtual: it goes with its server.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  wineserver -p >/dev/null 2>&1
  wine_desktop_start "$1"
}

wine_desktop_start() {
  local _
  # Right after the server starts, the desktop's explorer may give up while
  # the prefix's services come up: it is asked again.
  for _ in 1 2 3 4 5; do
    (wine explorer.exe "/desktop=Default,$1" </dev/null >/dev/null 2>&1 &)
    for _ in $(seq 30); do
      xwininfo -name "Default - Wine desktop" >/dev/null 2>&1 && return 0
      sleep 0.1
    done
  done
  echo "the Wine desktop did not start" >&2
  return 1
}

wine_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
}

# xvfb_start: starts a virtual display and exports DISPLAY. Xvfb picks a
# free display number itself and writes it once it takes connections.
xvfb_start() {
  local number _
  number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  sarvell_xvfb_pid=$!
  for _ in $(seq 100); do
    if [ -s "$number" ]; then
      DISPLAY=":$(head -n 1 "$number")"
      export DISPLAY
      rm -f "$number"
      return 0
    fi
    kill -0 "$sarvell_xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$number"
  echo "could not start Xvfb" >&2
  return 1
}

xvfb_stop() {
  if [ -n "${sarvell_xvfb_pid:-}" ]; then kill "$sarvell_xvfb_pid" 2>/dev/null || true; fi
}
