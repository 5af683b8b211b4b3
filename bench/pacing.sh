#!/usr/bin/env bash
# Pacing of the real game: courtball-timed under a private Xvfb for a few
# seconds; prints the ticks, the mean and worst interval between them and the
# game's CPU use, one "name value" pair per line.
#   usage: pacing.sh BUILD [SECONDS]   (runs in BUILD/data, like the game)
set -u
. "$(dirname "$0")/../tests/e2e/lib.sh"
build=$(readlink -f "$1") seconds=${2:-5}
e2e_init pacing

# utime + stime of a process, in clock ticks, from /proc/PID/stat (fields 14
# and 15, counted after the ")" that ends the command name).
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
now_ns() { date +%s%N; }

start_xvfb || e2e_finish
log="$E2E_TMP/ticks"
read -r launched _ < /proc/uptime  # seconds on the boot clock, 10 ms steps
E2E_GAME_LIMIT=$((seconds + 60)) start_game "$build/bin/courtball-timed" "$build/data" "$log"
wait_for_window "Hit Esc To Exit." 20 >/dev/null || { fail "no game window"; e2e_finish; }
sleep 1  # past the scene set-up and the first frames
pid=$(game_process)
[ -n "$pid" ] || { fail "game not running"; e2e_finish; }

first=$(wc -l < "$log"); cpu0=$(cpu_ticks "$pid"); t0=$(now_ns)
sleep "$seconds"
last=$(wc -l < "$log"); cpu1=$(cpu_ticks "$pid"); t1=$(now_ns)
peak_kib=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
kill -TERM "$pid"
wait_game_exit 10 1

hz=$(getconf CLK_TCK)
# Start-up: from the launch to the first tick (the first frame follows it).
awk -v launched="$launched" 'NR == 1 { printf "pacing_startup_ms %.0f\n", $1 / 1000 - launched * 1000 }' "$log"
echo "pacing_peak_memory_mib $((peak_kib / 1024))"

sed -n "$((first + 1)),${last}p" "$log" | awk -v cpu=$((cpu1 - cpu0)) -v hz="$hz" \
    -v wall=$((t1 - t0)) '
  NR > 1 { d = ($1 - prev) / 1000; sum += d; n++; if (d > worst) worst = d }
  { prev = $1 }
  END {
    printf "pacing_ticks %d\n", NR
    printf "pacing_mean_interval_ms %.2f\n", n ? sum / n : 0
    printf "pacing_worst_interval_ms %.2f\n", worst
    printf "pacing_cpu_percent %.1f\n", 100 * (cpu / hz) / (wall / 1e9)
  }'
e2e_finish >/dev/null
