#!/usr/bin/env bash
# The converter on a real terminal: "/?" shows the help lines and ends with 0 after a
# key; without it the title, the banner in its colours over the first wizard page,
# and after a confirmed cancel on that page (whose roots were never checked) only
# "Nacisnij Enter", no run's report, and exit 0. A terminal that cannot place the cursor,
# like one of an unknown type, is refused at once with the reason and exit code 1.
set -euo pipefail
server_name=qz-e2e-start
source "$(dirname "$0")/lib/tmux.sh"
program="$(program_under_test qz23-24)"
[ -x "$program" ] || { echo "not built: $program"; exit 1; }
root="$(mktemp -d "${TMPDIR:-/tmp}/qz-e2e-start.XXXXXX")"
trap 'tm kill-server 2>/dev/null || true; rm -rf "$root"' EXIT

# Help screen. Row 1 may end with the clock of the top-right corner.
run "$runner '$program' '/?'"
wait_for "z odpowiedziami, wynik każdej firmy i podsumowanie."
row 1 | grep -Eq '^Program do kopiowania wybranych danych do nowego KPR_QZ\.( +[0-9:]{8})?$' || { screen; exit 1; }
expect_row 2 "z wersji DA023 (2023) na DE024 (2024)"
expect_row 3 "$(repeat ─ 70)"
expect_row 4 ""
expect_row 5 "Uruchom qz23-24 [Katalog_danych_,2024]"
expect_row 6 "gdzie:"
expect_row 7 "Katalog danych - lokalizacja istniejącego katalogu na rok 2024"
expect_row 8 "Katalogu w którym jest program qz23-24.EXE można umieścić"
expect_row 9 "plik o nazwie qz23-24.LST w którym można w kolejnych wierszach"
expect_row 10 "wpisać nazwy plików, jakie będą automatycznie kopiowane z katalogu"
expect_row 11 "danych firmy na rok nastepny"
expect_row 13 "Przebieg każdej konwersji jest dopisywany do pliku qz23-24.LOG"
expect_row 14 "w katalogu danych na rok 2024: ustawienia, komunikaty, pytania"
expect_row 15 "z odpowiedziami, wynik każdej firmy i podsumowanie."
tm send-keys Space
wait_for "EXIT=0"

# Banner, the first page, and the end of a cancelled run.
run "$runner '$program' '$root'"
wait_for "─ Lokalizacja ─"
[ "$(tm display -p '#{pane_title}')" = "qzMarel - Konwerter 2023 - 2024" ] || { echo "wrong title"; exit 1; }
row 1 | grep -Eq '^ PROGRAM DO PRZEPCHNIĘCIA DANYCH KPR_QZ Z ROKU 2023 NA 2024 1\.02( +[0-9:]{8})?$' || { screen; exit 1; }
expect_row 2 "$(repeat ─ 80)"
# The banner in light green (SGR 92); the unit tests check every attribute.
tm capture-pane -p -e | sed -n 1p | grep -qF $'\e[92m' || { echo "banner not light green"; exit 1; }
tm send-keys Escape
wait_for "Rezygnujesz z konwersji danych na nowy rok ?"
tm send-keys t
wait_for "Nacisnij Enter"
expect_row 3 "Nacisnij Enter"
[ ! -e "$root/qz23-24.LOG" ] || { echo "a report in a root page 1 never checked"; exit 1; }
tm send-keys Enter
wait_for "EXIT=0"

if [ -z "$runner" ]; then
  for refused in "dumb:terminal dumb nie umie ustawiać kursora" "qz-nieznany:nieznany typ terminala: qz-nieznany"; do
    run "env TERM=${refused%%:*} '$program' /tmp"
    wait_for "EXIT=1"
    wait_for "qz23-24: ${refused#*:}"
  done
fi
echo "ok"
