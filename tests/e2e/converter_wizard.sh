#!/usr/bin/env bash
# The wizard and the picker on a real terminal. Page 1 refuses a 2023 root without
# the registry, a missing 2024 root and the same root in other letter case, and
# writes the path file only once the paths pass; PgUp on page 1 and PgDn on page 4
# change nothing; Cancel answered no keeps the options, answered yes ends without the
# closing line, leaving only the run's report; on page 4 "z" only moves the focus to
# "ZACZNIJ", and a directory of 14 characters shows its last 7. Then runs that
# convert nothing: Ctrl+D and F5 in the picker (the 2024 registry is still opened, so
# made), Esc in the picker, and a copy scope without firm data (no picker at all).
# Last, a run whose 2024 registry another program holds locked: "Tak" to the
# question takes it off the terminal while the attempts go on, until it comes back;
# once the lock is let go, the firms are entered.
set -euo pipefail
server_name=qz-e2e-wizard
source "$(dirname "$0")/lib/tmux.sh"
source "$(dirname "$0")/lib/converter.sh"

make_trees --seed 5 --firms 3 --persons 3 --entries-per-month 2 --profile quiet
mkdir "$work/PUSTY"
path_file="$work/qz23-24.PTH"
no_path_file() { [ ! -e "$path_file" ] || fail "path file written too early"; }
# Replaces the text of the focused input line.
type_root() { tm send-keys C-y; tm send-keys -l "$1"; wait_for "$1"; }
# An error box: its text, then Enter closes it.
refused() { wait_for "$1"; no_path_file; tm send-keys Enter; }
nothing_converted() {
  local left
  left="$(cd "$new2024" && find . -mindepth 1 -maxdepth 1 ! -name '#BIN024' ! -name SPISFIRM.DAT ! -name qz23-24.LOG)"
  [ -z "$left" ] || fail "converted: $left"
}

# No path file: the 2023 root is the default, the 2024 root the argument.
start_converter
wait_page "Lokalizacja"
type_root "$work/PUSTY"
tm send-keys Tab Tab Space
wait_for "[■] zapisz ustawienie lokalizacji"
tm send-keys PgDn
wait_for "Musisz wskazać katalog"
refused "Brak pliku SPISFIRM.DAT"
# The focus is back on the 2023 root.
type_root "$old2023"
tm send-keys Tab
type_root "$work/BRAK"
tm send-keys PgDn
refused "Brak katalogu"
# The focus stays on the 2024 root.
type_root "$work/kpr_2023"
tm send-keys PgDn
refused "Katalogi nię mogą być identyczne !"
type_root "$new2024"
tm send-keys PgDn
wait_page "Dane globalne, konfiguracyjne"
expected="$(printf '[PATHS]\nKPR_2023=%s\nKPR_2024=%s' "$old2023" "$new2024")"
[ "$(tr -d '\r' <"$path_file")" = "$expected" ] || fail "path file: $(cat "$path_file")"

# PgUp on page 1 changes nothing: the next keys still act on page 1.
tm send-keys PgUp
wait_page "Lokalizacja"
tm send-keys PgUp Tab Tab Space
wait_for "[■] zapisz ustawienie lokalizacji"
wait_for "$old2023/"
tm send-keys Space PgDn
wait_page "Dane globalne, konfiguracyjne"
tm send-keys PgDn
wait_page "Dane firmowe "

# Cancel on page 3 answered no: the same page with the option as it was.
tm send-keys Space
wait_for "[ ] dane tekstowe firmy"
tm send-keys Escape
wait_for "Rezygnujesz z konwersji danych na nowy rok ?"
row 10 | grep -q '^         ┌─' || fail "the question is not at row 10, column 10"
tm send-keys n
wait_page "Dane firmowe "
wait_for "[ ] dane tekstowe firmy"
tm send-keys PgDn
wait_page "START KOPIOWANIA"

# PgDn on page 4 changes nothing: the stop box, focused first, still takes Space.
tm send-keys PgDn Space
wait_for "[■] Zatrzymywac akcje co firme"
tm send-keys Space
wait_for "[ ] Zatrzymywac akcje co firme"
tm send-keys z
wait_for "»  ZACZNIJ   «"
expect_shown_at_pause
[ -z "$(ls -A "$new2024")" ] || fail "\"z\" started the run"
tm send-keys BTab BTab C-y
tm send-keys -l "#BIN023ABCDEFA"
wait_for "[■] Dane Globalne z ABCDEFA (tylko z 990) do #BIN024"
expect_shown_at_pause

# Cancel answered yes: no closing line, exit 0, nothing made in the 2024 root but the
# run's report.
tm send-keys Escape
wait_for "Rezygnujesz z konwersji danych na nowy rok ?"
tm send-keys t
wait_for "Nacisnij Enter"
if screen | grep -qF "Koniec pracy"; then fail "closing line after a cancel"; fi
finish_run
[ "$(ls -A "$new2024")" = qz23-24.LOG ] || fail "the 2024 root changed: $(ls -A "$new2024")"
grep -qF $'? Rezygnujesz z konwersji danych na nowy rok ? -- odpowiedź: Tak\r' "$new2024/qz23-24.LOG" ||
  fail "the cancel is not in the report"

# Ctrl+D, then F5: nothing converted, the 2024 registry opened (made empty) and closed.
start_converter
to_start_page
tm send-keys F5
answer_until "BAZA FIRM"
tm send-keys C-d
wait_for "˙ "
if screen | grep -qF "■ "; then fail "a firm still marked"; fi
tm send-keys F5
wait_for "Koniec pracy kopiera danych KPR_QZ na rok 2024"
finish_run
[ -f "$new2024/SPISFIRM.DAT" ] && [ ! -s "$new2024/SPISFIRM.DAT" ] || fail "no empty 2024 registry"
nothing_converted

# Esc in the picker: nothing converted, no registry opened, the closing line written.
rm "$new2024/SPISFIRM.DAT"
start_converter
to_start_page
tm send-keys F5
wait_for "BAZA FIRM"
tm send-keys Escape
wait_for "Koniec pracy kopiera danych KPR_QZ na rok 2024"
finish_run
[ ! -e "$new2024/SPISFIRM.DAT" ] || fail "the 2024 registry was made"
nothing_converted

# A copy scope without firm data: no picker (it would wait for keys), no registry.
start_converter
to_start_page
tm send-keys BTab BTab Down Space
wait_for "[ ] Dane pózniej wskazanych firm"
tm send-keys F5
wait_for "Koniec pracy kopiera danych KPR_QZ na rok 2024"
if screen | grep -qF "ROZPOZNANIE"; then fail "the registry was read"; fi
finish_run
[ ! -e "$new2024/SPISFIRM.DAT" ] || fail "the 2024 registry was made"
nothing_converted

demo="$QZ_BUILD_DIR/tools/qz-tui-demo"
[ -x "$demo" ] || fail "not built: $demo"
: >"$new2024/SPISFIRM.DAT"
start_converter
tm new-window -d -n holder "TERM=xterm-256color '$demo' blokada '$new2024/SPISFIRM.DAT'; sleep 600"
for ((i = 0; i < 100; i++)); do
  tm capture-pane -p -t holder | grep -qF "Plik zablokowany" && break
  sleep 0.1
done
to_start_page
tm send-keys F5
answer_until "BAZA FIRM"
tm send-keys F5
answer_until "DOSTĘP BLOKOWANY SIECIOWO"
tm send-keys t
expect_shown_at_pause "DOSTĘP BLOKOWANY SIECIOWO"
wait_for "DOSTĘP BLOKOWANY SIECIOWO"
tm send-keys -t holder Enter
tm send-keys t
answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024"
finish_run
[ "$(record_count "$new2024/SPISFIRM.DAT")" = 3 ] || fail "not every firm was entered"
echo "ok"
