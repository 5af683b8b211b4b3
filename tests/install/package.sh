#!/usr/bin/env bash
# The .deb needs runtime libraries only and holds what an install under /usr holds; where
# allowed it is installed, played and removed without a trace.   usage: package.sh BUILD
set -u
. "$(dirname "$0")/../e2e/lib.sh"
. "$(dirname "$0")/common.sh"
e2e_init package
cpack -G DEB -B "$E2E_TMP/deb" --config "$1/CPackConfig.cmake" >"$E2E_TMP/cpack.log" 2>&1 ||
  { fail "cpack:"; cat "$E2E_TMP/cpack.log" >&2; e2e_finish; }
deb=$(echo "$E2E_TMP"/deb/courtball_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
note "Depends: $depends"
[[ "$depends" == *-dev* ]] && fail "a -dev package among the dependencies"
for lib in libsdl2-2.0-0 libgl1 libopengl0 libglu1-mesa libpng16-16 libegl1; do
  [[ ",$depends," =~ [,\|]\ *$lib[\ ,] ]] || fail "Depends lacks $lib"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "not in the games section"
installed_files /usr "$1/data" >"$E2E_TMP/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' >"$E2E_TMP/in-deb"
expect_files package "$E2E_TMP/expected" "$E2E_TMP/in-deb"

sudo=(); [ "$(id -u)" = 0 ] || sudo=(sudo -n)
"${sudo[@]}" true 2>/dev/null && command -v apt-get >/dev/null ||
  { note "not installed: needs apt-get, and root or password-less sudo"; e2e_finish; }
dpkg-query -W -f='${Status}' courtball 2>/dev/null | grep -q ' installed' &&
  { note "not installed: a courtball package is installed here already"; e2e_finish; }
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300)
installed=1  # from here on, every way out removes the package
trap '[ -n "$installed" ] && "${apt[@]}" remove courtball >/dev/null 2>&1; e2e_cleanup' EXIT
"${apt[@]}" install "$deb" >&2 || fail "apt-get install"
dpkg -L courtball | while read -r f; do [ -d "$f" ] || echo "$f"; done >"$E2E_TMP/owned"
validate /usr
play_entry /usr/share/applications/courtball.desktop /usr/bin
"${apt[@]}" remove courtball >&2 && installed= || fail "apt-get remove"
while read -r f; do [ -e "$f" ] && fail "left behind: $f"; done <"$E2E_TMP/owned"
[ -e /usr/share/courtball ] || [ -e /usr/libexec/courtball ] && fail "a folder of ours is left"
e2e_finish
