# common.sh -- installed files, validators and the menu entry's game. Source after e2e/lib.sh.

# installed_files PREFIX DATA: every file an install puts under PREFIX, data from DATA.
installed_files() {
  printf '%s\n' "$1"/bin/courtball{,-capture,-data} "$1"/libexec/courtball/courtball \
    "$1"/share/{applications/courtball.desktop,metainfo/io.github.courtball.courtball.metainfo.xml} \
    "$1"/share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/courtball.png \
    "$1"/share/man/{man6/courtball.6,man1/courtball-data.1,man1/courtball-capture.1}.gz
  ls "$2" | sed "s|^|$1/share/courtball/|"
}

expect_files() {  # WHAT EXPECTED FOUND
  diff <(sort "$2") <(sort "$3") >&2 || fail "$1: other files than expected (<) were found (>)"
}

# validate PREFIX: each file as the desktop's own tools read it.
validate() {
  local f
  desktop-file-validate "$1/share/applications/courtball.desktop" || fail "desktop entry invalid"
  appstreamcli validate --no-net "$1/share/metainfo/io.github.courtball.courtball.metainfo.xml" >&2 ||
    fail "metainfo invalid"
  for f in "$1"/share/icons/hicolor/*/apps/courtball.png; do  # as big as its folder says
    [[ "$f" == */$(identify -format %wx%h "$f")/* ]] || fail "$f: wrong size"; done
  for f in "$1"/share/man/man*/courtball*; do  # man's warnings name broken markup
    man --warnings=mac,escape,font,input -l "$f" >"$E2E_TMP/page" 2>"$E2E_TMP/warnings"
    [ ! -s "$E2E_TMP/warnings" ] && grep -q '^NAME' "$E2E_TMP/page" ||
      { fail "man cannot render $f"; cat "$E2E_TMP/warnings" >&2; }
  done
}

# play_entry ENTRY BINDIR: the entry's Exec from BINDIR in an empty folder draws, Esc ends it.
play_entry() {
  local command
  command=$(PATH="$2:$PATH" command -v "$(sed -n 's/^Exec=//p' "$1")") || fail "no command in $1"
  mkdir -p "$E2E_TMP/elsewhere" && start_xvfb && start_game "$command" "$E2E_TMP/elsewhere" || return
  wait_for_window "Hit Esc To Exit." 60 >/dev/null || fail "no game window from $command"
  wait_for_frame "$E2E_TMP/court.png" 512 384
  awk -v s="$(colour_share "$E2E_TMP/court.png" 153 102 0)" 'BEGIN { exit !(s > 0.05 && s < 0.6) }' ||
    fail "the court is not drawn"
  esc_ends_game
  [ -s "$E2E_TMP/game.err" ] && { fail "the game complained:"; cat "$E2E_TMP/game.err" >&2; }
  stop_xvfb
}
