#!/usr/bin/env bash
# The toolkit on a real terminal: the demo's framed window with its title and hint
# bar renders with the right characters, and keys typed into it arrive with the
# right codes (Esc, F5, PgDn, Alt+S as "ś", a typed "ż", F10 through the hint bar).
# Asked to, the terminal reports keys with Ctrl apart from the plain bytes (tmux with
# extended-keys on): Ctrl+Enter so, and Ctrl+M and Ctrl+I as such a terminal sends
# them (tmux itself still takes those two for Enter and Tab).
set -euo pipefail
server_name=qz-e2e-tui
source "$(dirname "$0")/lib/tmux.sh"
demo="$(program_under_test tools/qz-tui-demo)"
alt="$(printf %02X $((0x$locks | 0x08)))"
[ -x "$demo" ] || { echo "not built: $demo"; exit 1; }

if [ -z "$runner" ]; then
  tm new-session -d -x 80 -y 25 "sleep 600"
  tm set -s extended-keys on
fi
run "$runner '$demo'"
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

if [ -z "$runner" ]; then
  tm send-keys C-Enter
  wait_for "klawisz 1C0A znak 0A [◙] shift 24"
  tm send-keys -l $'\e[109;5u'
  wait_for "klawisz 320D znak 0D [♪] shift 24"
  tm send-keys -l $'\e[27;5;105~'
  wait_for "klawisz 5200 znak 20 [ ] shift 24"
  expect_shown_at_pause
fi

tm send-keys F10
wait_for "EXIT=0"
echo "ok"
