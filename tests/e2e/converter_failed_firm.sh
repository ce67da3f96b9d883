#!/usr/bin/env bash
# A firm whose conversion fails (no annual settings in either year) is left out of
# the 2024 registry and gets no 2024 directory, while the firms after it are still
# converted and entered.
set -euo pipefail
server_name=qz-e2e-failed
source "$(dirname "$0")/lib/tmux.sh"
source "$(dirname "$0")/lib/converter.sh"

make_trees --seed 9 --firms 3 --persons 3 --entries-per-month 2 --profile quiet
mapfile -t dirs < <(registry_directories "$old2023/SPISFIRM.DAT")
rm -f "$old2023/${dirs[1]}/2023_ROK.REK" "$old2023/${dirs[1]}/2024_ROK.REK"
write_path_file

start_converter
to_start_page
tm send-keys F5
wait_for "BAZA FIRM"
tm send-keys F5
wait_for "Nie można dokonać konwersji ..."
tm send-keys Enter
wait_for "Koniec pracy kopiera danych KPR_QZ na rok 2024"
finish_run

registry="$new2024/SPISFIRM.DAT"
[ "$(record_count "$registry")" = 2 ] || fail "the 2024 registry holds $(record_count "$registry") firms"
entered="$(registry_directories "$registry" | LC_ALL=C sort | tr '\n' ' ')"
[ "$entered" = "$(printf '%s\n' "${dirs[0]}" "${dirs[2]}" | LC_ALL=C sort | tr '\n' ' ')" ] ||
  fail "entered: $entered"
expect_records_from_2023 "$old2023/SPISFIRM.DAT" "$registry"
[ ! -e "$new2024/${dirs[1]}" ] || fail "the failed firm has a 2024 directory"
[ -s "$new2024/${dirs[2]}/_qz_kpr.rek" ] || fail "the firm after the failed one is not converted"
echo "ok"
