#!/usr/bin/env bash
# cmake --install into a scratch DESTDIR: files where the desktop looks, valid, and the game
# starts from its menu entry in any folder.   usage: install.sh BUILD
set -u
. "$(dirname "$0")/../e2e/lib.sh"
. "$(dirname "$0")/common.sh"
e2e_init install
root=$E2E_TMP/stage/opt/court
DESTDIR=$E2E_TMP/stage cmake --install "$1" --prefix /opt/court >/dev/null || fail "cmake --install"
installed_files "$root" "$1/data" >"$E2E_TMP/expected"
find "$E2E_TMP/stage" ! -type d >"$E2E_TMP/found"
expect_files install "$E2E_TMP/expected" "$E2E_TMP/found"
validate "$root"
play_entry "$root/share/applications/courtball.desktop" "$root/bin"
e2e_finish
