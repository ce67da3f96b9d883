#!/usr/bin/env bash
# The toolkit on a real terminal: the demo's framed window with its title and hint
# bar renders with the right characters, and keys typed into it arrive with the
# right codes (Esc, F5, PgDn, Alt+S as "ś", a typed "ż", F10 through the hint bar).
# QZ_PROGRAM names another build's demo and QZ_RUNNER the command that runs it;
# QZ_LOCKS is the shift state of the lock keys that console reports with every key
# (a terminal tells none and Num Lock counts as on: 20).
set -euo pipefail
command -v tmux >/dev/null || { echo "tmux is missing: skipped"; exit 77; }
demo="${QZ_PROGRAM:-${QZ_BUILD_DIR:?}/tools/qz-tui-demo}"
runner="${QZ_RUNNER:-}"
locks="${QZ_LOCKS:-20}"
alt="$(printf %02X $((0x$locks | 0x08)))"
[ -x "$demo" ] || { echo "not built: $demo"; exit 1; }

export LC_ALL=C.UTF-8
server="qz-e2e-tui-$$"
tm() { tmux -u -L "$server" -f /dev/null "$@"; }
trap 'tm kill-server 2>/dev/null || true' EXIT

screen() { tm capture-pane -p; }
row() { screen | sed -n "${1}p"; }
# Waits until the screen shows text (up to 5 s).
wait_for() {
  for _ in $(seq 50); do
    screen | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  echo "the screen never showed: $1"
  screen
  exit 1
}
expect_row() {
  local actual
  actual="$(row "$1")"
  if [ "$actual" != "$2" ]; then
    printf 'row %s is\n[%s]\nexpected\n[%s]\n' "$1" "$actual" "$2"
    screen
    exit 1
  fi
}
repeat() { local s="" i; for ((i = 0; i < $2; i++)); do s+="$1"; done; printf %s "$s"; }

tm new-session -d -x 80 -y 25 "TERM=xterm-256color $runner '$demo'; echo \"EXIT=\$?\"; sleep 60"
wait_for "Klawisze"

expect_row 3 "    ┌$(repeat ─ 30) Klawisze $(repeat ─ 30)┐"
expect_row 4 "    │$(repeat ' ' 70)│"
expect_row 22 "    └$(repeat ─ 70)┘"
expect_row 25 "  Naciśnij klawisz │F10 - koniec│"

# Each key waits for its echo, so no key runs into the next one's sequence.
tm send-keys Escape
wait_for "klawisz 011B znak 1B [←] shift $locks"
tm send-keys F5
wait_for "klawisz 3F00 znak 20 [ ] shift $locks"
tm send-keys PageDown
wait_for "klawisz 5100 znak 20 [ ] shift $locks"
tm send-keys M-s
wait_for "klawisz 1F00 znak 98 [ś] shift $alt"
tm send-keys -l "ż"
wait_for "klawisz 2CBE znak BE [ż] shift $locks"

expect_row 4 "    │klawisz 011B znak 1B [←] shift $locks$(repeat ' ' 37)│"
expect_row 8 "    │klawisz 2CBE znak BE [ż] shift $locks$(repeat ' ' 37)│"

tm send-keys F10
wait_for "EXIT=0"
echo "ok"
