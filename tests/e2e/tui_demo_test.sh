#!/usr/bin/env bash
# The toolkit on a real terminal: tui-demo's dialog with a control of every kind is
# drawn as it should be, the keys drive every control, and the summary box shows what
# the controls were set to.
#
#   tui_demo_test.sh PATH-TO-TUI-DEMO
set -euo pipefail
source "${BASH_SOURCE[0]%/*}/tmux.sh"
e2e_require_tmux

e2e_start "$1"
e2e_wait_for "Demo kontrolek"
e2e_wait_for "Esc - koniec"
e2e_expect_rows 2 25 <<'SCREEN'
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

# The field: typed at the end of the text.
e2e_type "X"
e2e_wait_for 'C:\KPR_2023\X '
# The check box.
e2e_keys Tab Space
e2e_wait_for "[■] pokazuj powoli"
# The check-box list: the second item.
e2e_keys Tab Down Space
e2e_wait_for "[■] stałe F1..F10"
# The radio group: the arrow moves the highlight only, Space chooses.
e2e_keys Tab Down
e2e_wait_for "(■) wszystkich"
e2e_keys Space
e2e_wait_for "(■) zatrudnionych"
# The pick list: a search for "kowals" scrolls to the item, with both scroll marks.
e2e_keys Tab
e2e_type "kowals"
e2e_wait_for "└>KOWALS"
e2e_expect_rows 14 19 <<'SCREEN'
    │┌───────────────────────────────────────^──┐                          │
    ││ Kowalczyk Ewa                            │                          │
    ││ Kowalski Piotr                           │                          │
    ││ Łukasik i wspólnicy                      │                          │
    ││ Nowak Anna                               │                          │
    │└>KOWALS────────────────────────────────v──┘                          │
SCREEN
# Right leaves the list; the dialog moves on to "OK", which shows pressed.
e2e_keys Right
e2e_wait_for "»   OK   «"
e2e_keys Enter
e2e_wait_for "Wynik"
e2e_expect_rows 8 16 <<'SCREEN'
                   ┌────────────────Wynik─────────────────┐
                   │Katalog: C:\KPR_2023\X                │
                   │Powoli: tak                           │
                   │Kopiuj: 7                             │
                   │Pracownicy: zatrudnionych             │
                   │Firma: Kowalski Piotr                 │
                   │Koniec: OK                            │
                   │               »  OK   «              │
                   │                                      │
SCREEN
e2e_keys Enter
e2e_wait_exit
[ "$E2E_STATUS" = 0 ] || e2e_fail "exit status $E2E_STATUS"
echo "tui-demo driven through every control"
