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

# Wine's desktop process belongs to the X display it started on: after that
# server went away the prefix's wineserver must end before a game meets another.
mkdir -p "$WINEPREFIX"
if [ "$(cat "$WINEPREFIX/.display" 2>/dev/null)" != "${DISPLAY:-}" ]; then
  wineserver -w
  printf '%s' "${DISPLAY:-}" > "$WINEPREFIX/.display"
fi
# A new prefix, without the debugger a crash would wait in: it ends the program instead.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
    >/dev/null 2>&1
fi
exec wine "$program" "$@"
