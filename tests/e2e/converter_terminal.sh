#!/usr/bin/env bash
# The terminal changing under a run. A window made smaller than 80x25 shows the
# program's message and, made whole again, gets its screen back exactly, on a wizard
# page and in the firm picker; the run then ends as usual. A terminal that goes away
# in the middle of a conversion (its session killed, or a hang-up signal) ends the
# program by the hang-up (status 129): no crash, no core, no sanitizer report, no
# file of the trees left open, the 2023 tree as it was and the 2024 registry whole.
set -euo pipefail
server_name=qz-e2e-terminal
source "$(dirname "$0")/lib/tmux.sh"
source "$(dirname "$0")/lib/converter.sh"
checker="$QZ_BUILD_DIR/tools/qz-registry-check"
[ -x "$checker" ] || { echo "not built: $checker"; exit 1; }

# Sanitizer reports of a sanitized build go to files here, which must stay absent.
reports="$work/sanitizer"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}log_path=$reports"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}log_path=$reports"
expect_no_report() {
  if compgen -G "$reports*" >/dev/null; then cat "$reports"*; fail "$1: a sanitizer report"; fi
  if compgen -G "$work/core*" >/dev/null; then fail "$1: a core file"; fi
}

# Firms with long ledgers, so that a conversion holds its files open a while.
make_trees --seed 17 --firms 3 --persons 40 --entries-per-month 400 --profile quiet
write_path_file
tree2023="$(tree_digest "$old2023")"

# The screen without the clock at the end of the banner row.
steady_screen() { screen | sed '1s/[0-9][0-9]:[0-9][0-9]:[0-9][0-9] *$//; 1s/ *$//'; }
# Shrinks the window below 80x25, expects the program's message, and restores the
# window; the screen must come back as it was.
shrink_and_restore() {
  local before
  before="$(steady_screen)"
  tm resize-window -x 60 -y 20
  wait_for "Okno terminala ma 60×20 znaków."
  wait_for "Program potrzebuje co najmniej 80×25."
  tm resize-window -x 80 -y 25
  for ((i = 0; i < 50; i++)); do
    [ "$(steady_screen)" = "$before" ] && return 0
    sleep 0.1
  done
  diff <(printf '%s\n' "$before") <(steady_screen) || true
  fail "$1: the screen did not come back whole"
}

# Resizes on page 1 and in the picker; the run then converts every firm.
start_converter
wait_page "Lokalizacja"
shrink_and_restore "page 1"
to_start_page
tm send-keys F5
wait_for "BAZA FIRM"
shrink_and_restore "the picker"
tm send-keys F5
answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024"
finish_run
expect_no_report "resizes"
"$checker" "$new2024/SPISFIRM.DAT" >/dev/null || fail "resizes: the registry is damaged"

# The program's process in the window, or nothing.
converter_pid() { ps -o pid=,comm= --ppid "$(tm display -p '#{pane_pid}')" | awk '$2 == "qz23-24" { print $1 }'; }
# Files of the work folder that a process holds open.
open_files() { find "/proc/$1/fd" -lname "$work/*" -printf '%l\n' 2>/dev/null || true; }

# A run whose terminal is lost in its first firm; $1 says how: "session" kills the
# tmux session, "signal" sends the hang-up to the program. The shell of the window
# keeps the exit status in a file (a trap, not an ignored signal: the program must
# still get the hang-up).
lose_terminal() {
  local pid status i held
  rm -rf "$new2024" && mkdir "$new2024"
  rm -f "$work/status"
  run "trap true HUP; env -C '$work' ./qz23-24 '$new2024'; echo \$? >'$work/status'"
  to_start_page
  tm send-keys F5
  wait_for "BAZA FIRM"
  tm send-keys F5
  pid="$(converter_pid)"
  [ -n "$pid" ] || fail "$1: no converter running"
  # The hang-up comes while the program holds a file of the trees open, when one
  # is caught open within a few seconds.
  for ((i = 0; i < 300; i++)); do
    held="$(open_files "$pid")"
    [ -n "$held" ] && break
  done
  echo "$1: open at the hang-up: ${held:-nothing caught}" | tr '\n' ' '
  echo
  if [ "$1" = session ]; then tm kill-session; else kill -HUP "$pid"; fi
  for ((i = 0; i < 100; i++)); do
    [ -s "$work/status" ] && break
    sleep 0.1
  done
  [ -s "$work/status" ] || fail "$1: the program did not end"
  [ ! -e "/proc/$pid" ] || fail "$1: the program is still running"
  status="$(cat "$work/status")"
  [ "$status" = 129 ] || fail "$1: exit status $status, expected 129 (hang-up)"
  for entry in /proc/[0-9]*/fd/*; do
    case "$(readlink "$entry" 2>/dev/null)" in "$old2023"/* | "$new2024"/*) fail "$1: $entry still open" ;; esac
  done
  expect_no_report "$1"
  [ "$(tree_digest "$old2023")" = "$tree2023" ] || fail "$1: the 2023 tree changed"
  if [ -e "$new2024/SPISFIRM.DAT" ]; then
    "$checker" "$new2024/SPISFIRM.DAT" >/dev/null || fail "$1: the registry is damaged"
  fi
}
lose_terminal session
lose_terminal signal
echo "ok"
