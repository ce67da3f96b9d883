#!/usr/bin/env bash
# A whole conversion of a generated tree of the "no questions" profile, unattended:
# after Start and F5 in the picker the converter asks nothing, converts every firm of
# the registry, copies the global data and ends with exit 0; the 2023 tree is left
# as it was. A directory where the run's report would go costs one line in the
# error colour before "Nacisnij Enter" and nothing else. The second run does the
# same with both roots deeper than 200 characters: every file, the 2024 registry
# among them, is reached under its whole name, so nothing is written outside the
# 2024 root. The third has Polish letters in both roots, named by a path file in
# UTF-8. Page 1 refuses a 2024 root the user may not write to, with the reason, and
# a 2023 root without a registry with the path it looked at.
set -euo pipefail
server_name=qz-e2e-sample
source "$(dirname "$0")/lib/tmux.sh"
source "$(dirname "$0")/lib/converter.sh"

# Everything of the working folder's parent but the 2024 root: names and contents.
outside_2024() {
  (cd "$scratch" && find . -path "./${new2024#"$scratch"/}" -prune -o -print | LC_ALL=C sort &&
    find . -path "./${new2024#"$scratch"/}" -prune -o -type f -exec sha256sum {} + | LC_ALL=C sort)
}

# With the report's place taken by a directory: one line in red about it, just
# before "Nacisnij Enter".
check_report_line() {
  [ "$(screen | grep -c 'raport')" = 1 ] || fail "not one line about the report"
  screen | grep -B1 -x "Nacisnij Enter *" | grep -qx "Błąd zapisu raportu przebiegu: .*qz23-24.LOG *" ||
    fail "no report line before Nacisnij Enter"
  # In the error colour: light red, SGR 91.
  tm capture-pane -p -e | grep -F "raportu przebiegu" | grep -qF $'\e[91m' || fail "the report line is not in red"
}

convert_every_firm() {
  local firms=$1 report_blocked=${2:-} registry directory file before
  make_trees --seed 2024 --firms "$firms" --profile quiet
  write_path_file
  [ -z "$report_blocked" ] || mkdir "$new2024/qz23-24.LOG"
  before="$(outside_2024)"

  start_converter
  to_start_page
  tm send-keys F5
  wait_for "BAZA FIRM"
  tm send-keys F5
  wait_for "Koniec pracy kopiera danych KPR_QZ na rok 2024"
  wait_for "Nacisnij Enter"
  if [ -n "$report_blocked" ]; then check_report_line; fi
  finish_run

  registry="$new2024/SPISFIRM.DAT"
  [ "$(record_count "$registry")" = "$firms" ] || fail "the 2024 registry holds $(record_count "$registry") firms"
  expect_records_from_2023 "$old2023/SPISFIRM.DAT" "$registry"
  while read -r directory; do
    for file in _qz_kpr.rek 2024_ROK.REK FIRMATXT.INI; do
      [ -s "$new2024/$directory/$file" ] || fail "missing: $directory/$file"
    done
  done < <(registry_directories "$registry")
  for file in baza_ad8.rek kpr_2024.ini KOLORY.QZ OPERATOR.REK; do
    [ -s "$new2024/#BIN024/$file" ] || fail "missing: #BIN024/$file"
  done
  [ "$(outside_2024)" = "$before" ] || fail "written outside the 2024 root (the 2023 tree among it)"
}

convert_every_firm 8 report-blocked
deep="$scratch/$(repeat k 60)/$(repeat p 60)/$(repeat r 60)/$(repeat 2 30)"
work_in "$deep"
(( ${#old2023} > 200 && ${#new2024} > 200 )) || fail "roots not deep enough"
convert_every_firm 3
work_in "$scratch/Zażółć gęślą jaźń"
convert_every_firm 2

# Page 1 with the user unable to write to the 2024 root (root may write anywhere:
# the program then runs as nobody).
refused_on_page_1() {
  tm send-keys PgDn
  for line in "$@"; do wait_for "$line"; done
  if screen | grep -qF "─ Dane globalne, konfiguracyjne ─"; then fail "page 1 let the roots pass"; fi
}
work_in "$scratch/bez-zapisu"
make_trees --seed 5 --firms 1 --profile quiet
write_path_file
if [ -z "$runner" ]; then
  if [ "$(id -u)" = 0 ]; then
    chmod -R a+rX "$scratch"
    run "env -C '$work' setpriv --reuid=nobody --regid=nogroup --clear-groups './$program_name' '$new2024'"
  else
    chmod a-w "$new2024"
    start_converter
  fi
  wait_page "Lokalizacja"
  refused_on_page_1 "Nie można zapisywać w katalogu" "Przyczyna: odmowa dostępu"
  [ -z "$(ls -A "$new2024")" ] || fail "written into the 2024 root"
  chmod u+w "$new2024"
fi
# A missing 2023 registry: its box names where it was looked for.
old2023="$scratch/nie-ma-takiego-katalogu-na-rok-2023"
write_path_file
# The box's lines hold 38 characters; a path longer than two keeps its end.
looked_at="$old2023/SPISFIRM.DAT"
(( ${#looked_at} <= 76 )) || looked_at="...${looked_at: -73}"
start_converter
wait_page "Lokalizacja"
refused_on_page_1 "Brak pliku SPISFIRM.DAT" "${looked_at:38}"
echo "ok"
