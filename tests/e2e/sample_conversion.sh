#!/usr/bin/env bash
# A whole conversion of a generated tree of the "no questions" profile, unattended:
# after Start and F5 in the picker the converter asks nothing, converts every firm of
# the registry, copies the global data and ends with exit 0; the 2023 tree is left
# as it was. A directory where the run's report would go costs one line in the
# error colour before "Nacisnij Enter" and nothing else.
set -euo pipefail
server_name=qz-e2e-sample
source "$(dirname "$0")/lib/tmux.sh"
source "$(dirname "$0")/lib/converter.sh"

firms=8
make_trees --seed 2024 --firms "$firms" --profile quiet
write_path_file
mkdir "$new2024/qz23-24.LOG"
tree2023="$(tree_digest "$old2023")"

start_converter
to_start_page
tm send-keys F5
wait_for "BAZA FIRM"
tm send-keys F5
wait_for "Koniec pracy kopiera danych KPR_QZ na rok 2024"
wait_for "Nacisnij Enter"
[ "$(screen | grep -c 'raport')" = 1 ] || fail "not one line about the report"
screen | grep -B1 -x "Nacisnij Enter *" | grep -qx "Błąd zapisu raportu przebiegu: .*qz23-24.LOG *" ||
  fail "no report line before Nacisnij Enter"
# In the error colour: light red, SGR 91.
tm capture-pane -p -e | grep -F "raportu przebiegu" | grep -qF $'\e[91m' || fail "the report line is not in red"
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
[ "$(tree_digest "$old2023")" = "$tree2023" ] || fail "the 2023 tree changed"
echo "ok"
