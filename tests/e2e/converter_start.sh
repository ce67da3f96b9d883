#!/usr/bin/env bash
# The converter on a real terminal: "/?" shows the help lines and ends with 0 after a
# key; without it the title, the banner in its colours, "Nacisnij Enter" and exit 0.
# QZ_PROGRAM names another build's executable and QZ_RUNNER the command that runs it
# (the Windows build runs this script with its executable under Wine).
set -euo pipefail
command -v tmux >/dev/null || { echo "tmux is missing: skipped"; exit 77; }
program="${QZ_PROGRAM:-${QZ_BUILD_DIR:?}/qz23-24}"
runner="${QZ_RUNNER:-}"
[ -x "$program" ] || { echo "not built: $program"; exit 1; }

export LC_ALL=C.UTF-8
server="qz-e2e-start-$$"
tm() { tmux -u -L "$server" -f /dev/null "$@"; }
trap 'tm kill-server 2>/dev/null || true' EXIT

screen() { tm capture-pane -p; }
row() { screen | sed -n "${1}p"; }
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
run() { tm new-session -d -x 80 -y 25 "TERM=xterm-256color $*; echo \"EXIT=\$?\"; sleep 60"; }

# Help screen. Row 1 may end with the clock of the top-right corner.
run "$runner '$program' '/?'"
wait_for "danych firmy na rok nastepny"
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
tm send-keys Space
wait_for "EXIT=0"
tm kill-session

# Banner and end of run.
run "$runner '$program' /tmp"
wait_for "Nacisnij Enter"
[ "$(tm display -p '#{pane_title}')" = "qzMarel - Konwerter 2023 - 2024" ] || { echo "wrong title"; exit 1; }
row 1 | grep -Eq '^ PROGRAM DO PRZEPCHNIĘCIA DANYCH KPR_QZ Z ROKU 2023 NA 2024 1\.02( +[0-9:]{8})?$' || { screen; exit 1; }
expect_row 2 "$(repeat ─ 80)"
expect_row 3 "Nacisnij Enter"
# The banner in light green (SGR 92); the unit tests check every attribute.
tm capture-pane -p -e | sed -n 1p | grep -qF $'\e[92m' || { echo "banner not light green"; exit 1; }
tm send-keys Enter
wait_for "EXIT=0"
echo "ok"
