#!/usr/bin/env bash
# wine.sh -- runs a program of the Windows build under Wine, in the build's own
# prefix (build-windows/wine), quietly, with its exit code.
#   wine.sh PROGRAM.exe [ARGS...]
# As the GAME of tests/e2e, with WINE_GAME=NAME.exe set, it runs the working
# directory's NAME.exe: the game and its data, unpacked as a player has them.
set -u
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=${WINEPREFIX:-$(cd "$here/../.." && pwd)/build-windows/wine}
export WINEDEBUG=${WINEDEBUG:--all} WINEARCH=win64
# No Mono or Gecko to install: the game needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
if [ -n "${WINE_GAME:-}" ]; then program="$PWD/$WINE_GAME"; else program=$1; shift; fi

# A new prefix, made under an X server of its own: Wine's desktop sets itself
# up the first time it meets one, which would otherwise take a game's first
# seconds. Without the debugger a crash would wait in: it ends the program.
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  xvfb-run -a wineboot -i >/dev/null 2>&1
  wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
    >/dev/null 2>&1
  wineserver -w
fi
# Wine's desktop process belongs to the X server it started on: after that
# server went away the prefix's wineserver must end before a game meets another.
# A new server may take the old one's number, even its socket's inode, never
# the socket's moment of birth.
number=${DISPLAY:-}
number=${number#*:}
session="${DISPLAY:-} $(stat -c '%i %.9W' "/tmp/.X11-unix/X${number%%.*}" 2>/dev/null)"
if [ "$(cat "$WINEPREFIX/.x-session" 2>/dev/null)" != "$session" ]; then
  wineserver -w
  printf '%s' "$session" >"$WINEPREFIX/.x-session"
fi
exec wine "$program" "$@"
