#!/usr/bin/env bash
# The dialog toolkit on a real terminal: the demo's dialog with a control of every
# kind is drawn as it should be, keys drive every control, and the summary box shows
# what the controls were set to. Then the file layer's queue: a second demo waits
# for the whole-file lock that a first one holds; its "Sieciowa KOLEJKA " window
# shows on the terminal and its bar grows, and it has the lock once the first lets go.
set -euo pipefail
server_name=qz-e2e-controls
source "$(dirname "$0")/lib/tmux.sh"
demo="${QZ_BUILD_DIR:?}/tools/qz-tui-demo"
[ -x "$demo" ] || { echo "not built: $demo"; exit 1; }

run "'$demo' kontrolki"
wait_for "Demo kontrolek"
wait_for "Esc - koniec"
expect_rows 2 25 <<'SCREEN'
    ┌─────────────────────────── Demo kontrolek ───────────────────────────┐
    │ Katalog danych:                                                      │
    │  C:\KPR_2023\                                                        │
    │                                                                      │
    │  [ ] pokazuj powoli                                                  │
    │                                                                      │
    │ Kopiuj:                     Pracownicy:                              │
    │  [■] adresy                  (■) wszystkich                          │
    │  [ ] stałe F1..F10           (˙) zatrudnionych                       │
    │  [■] kolory                  (˙) pytaj o każdego                     │
    │                                                                      │
    │  Firmy:                                                              │
    │┌──────────────────────────────────────────┐                          │
    ││ Adamski Jan                              │                          │
    ││ Bartek Sp. z o.o.                        │                          │
    ││ Kowalczyk Ewa                            │                          │
    ││ Kowalski Piotr                           │                          │
    │└──────────────────────────────────────────┘                          │
    │                                                                      │
    │                                                   OK    ▄   Porzuć  ▄│
    │                                                ▀▀▀▀▀▀▀▀▀▀  ▀▀▀▀▀▀▀▀▀▀│
    └──────────────────────────────────────────────────────────────────────┘

 Esc - koniec│
SCREEN

# The field: typed at the end of the text, then text pasted by the terminal
# (bracketed paste arrives as typed keys).
tm send-keys -l "X"
wait_for 'C:\KPR_2023\X '
tm set-buffer -- "PL"
tm paste-buffer -p
wait_for 'C:\KPR_2023\XPL '
# The check box.
tm send-keys Tab Space
wait_for "[■] pokazuj powoli"
# The check-box list: the second item.
tm send-keys Tab Down Space
wait_for "[■] stałe F1..F10"
# The radio group: the arrow moves the highlight only, Space chooses.
tm send-keys Tab Down
wait_for "(■) wszystkich"
tm send-keys Space
wait_for "(■) zatrudnionych"
# The pick list: a search for "kowals" scrolls to the item, with both scroll marks.
tm send-keys Tab
tm send-keys -l "kowals"
wait_for "└>KOWALS"
expect_rows 14 19 <<'SCREEN'
    │┌───────────────────────────────────────^──┐                          │
    ││ Kowalczyk Ewa                            │                          │
    ││ Kowalski Piotr                           │                          │
    ││ Łukasik i wspólnicy                      │                          │
    ││ Nowak Anna                               │                          │
    │└>KOWALS────────────────────────────────v──┘                          │
SCREEN
# Right leaves the list; the dialog moves on to "OK", which shows pressed.
tm send-keys Right
wait_for "»   OK   «"
tm send-keys Enter
wait_for "Wynik"
expect_rows 8 16 <<'SCREEN'
                   ┌────────────────Wynik─────────────────┐
                   │Katalog: C:\KPR_2023\XPL              │
                   │Powoli: tak                           │
                   │Kopiuj: 7                             │
                   │Pracownicy: zatrudnionych             │
                   │Firma: Kowalski Piotr                 │
                   │Koniec: OK                            │
                   │               »  OK   «              │
                   │                                      │
SCREEN
tm send-keys Enter
wait_for "EXIT=0"

# The number of full cells of the wait window's bar.
bar_cells() { screen | grep -o '█' | wc -l; }
wait_for_bar() {
  for ((i = 0; i < 100; i++)); do
    (( $(bar_cells) >= $1 )) && return 0
    sleep 0.05
  done
  echo "the bar never held $1 cells"
  screen
  exit 1
}
locked="$(mktemp)"
trap 'tm kill-server 2>/dev/null || true; rm -f "$QZ_PAUSE_SCREEN"* "$locked"' EXIT
run "'$demo' blokada '$locked'"
wait_for "Plik zablokowany"
tm new-window -n waiter "TERM=xterm-256color '$demo' blokada '$locked'; echo \"EXIT=\$?\"; sleep 600"
wait_for "Sieciowa KOLEJKA"
wait_for_bar 5
expect_shown_at_pause
wait_for_bar 30
tm send-keys -t :0 Enter
wait_for "Plik zablokowany"
if screen | grep -qF "Sieciowa KOLEJKA"; then echo "the wait window stayed"; exit 1; fi
tm send-keys Enter
wait_for "EXIT=0"
echo "ok"
