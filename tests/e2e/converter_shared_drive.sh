#!/usr/bin/env bash
# Two workstations over a real network file system (lib/shared_drive.sh): each runs
# its converter from a folder of its own, with both roots on its own mount of the one
# volume. Started together after both reached the firm picker (QZ_SHARE_RUNS times,
# 3 by default), the two share the firms: every firm is converted once and registered
# once, the registry stays in key order, and the 2024 tree equals that of one run
# (but for the KPR2023= line of each FIRMATXT.INI, which names the mount of the
# workstation that converted the firm), as the server holds them. Then one
# workstation holds the registry's whole-file lock while the other inserts: the
# question comes, the insert waits for the release, and nothing is lost. Last, an
# insert on one workstation just after the other removed its journal, which the
# first one's mount still shows for a moment, looks again and goes in.
set -euo pipefail
source "$(dirname "$0")/lib/shared_drive.sh"
server_name=qz-e2e-share
source "$(dirname "$0")/lib/tmux.sh"
source "$(dirname "$0")/lib/converter.sh"

first="$server" second="$server-b"
trap 'tm kill-server 2>/dev/null || true; server="$second" tm kill-server 2>/dev/null || true; rm -rf "$scratch"' EXIT
# Workstation a or b: its tmux server, its program folder, its view of the roots.
station() {
  if [ "$1" = a ]; then
    server="$first" work="$scratch/a" old2023="$share_a/KPR_2023" new2024="$share_a/KPR_2024"
  else
    server="$second" work="$scratch/b" old2023="$share_b/KPR_2023" new2024="$share_b/KPR_2024"
  fi
}
on() { (station "$1" && shift && "$@"); }
for s in a b; do (station "$s" && work_in "$work" && station "$s" && write_path_file); done

station a
make_trees --seed 26 --firms 8 --persons 2 --entries-per-month 2 --profile quiet
mapfile -t dirs < <(registry_directories "$old2023/SPISFIRM.DAT")
eval "lib_$(declare -f data_digest)"
data_digest() { lib_data_digest "$1" | ini_without_roots "$1" | LC_ALL=C sort; }
# Replaces the digest of every FIRMATXT.INI by that of its lines other than KPR2023=.
ini_without_roots() {
  local line file
  while IFS= read -r line; do
    file="${line#*  }"
    if [ "$file" != "$line" ] && [ "${file##*/}" = FIRMATXT.INI ]; then
      printf '%s  %s\n' "$(grep -av '^KPR2023=' "$1/$file" | sha256sum | cut -d' ' -f1)" "$file"
    else
      printf '%s\n' "$line"
    fi
  done
}
start_conversion
answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024"
finish_run
one_run="$(data_digest "$new2024")"
order_of_one_run="$(registry_directories "$new2024/SPISFIRM.DAT")"
rm -rf "$new2024" && mkdir "$new2024"

# What the two made, as the server holds it.
on_server="$share_server/KPR_2024"
for ((round = 1; round <= ${QZ_SHARE_RUNS:-3}; round++)); do
  on a to_picker
  on b to_picker
  on a tm send-keys F5
  on b tm send-keys F5
  on b answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024" &
  racer=$!
  on a answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024"
  wait "$racer" || fail "round $round: the second workstation did not finish"
  on b finish_run
  on a finish_run
  [ "$(registry_directories "$on_server/SPISFIRM.DAT")" = "$order_of_one_run" ] ||
    fail "round $round: the registry is not in key order: $(registry_directories "$on_server/SPISFIRM.DAT" | tr '\n' ' ')"
  new2024="$on_server" expect_tree_of_one_run "$one_run" "one run (round $round)"
  echo "round $round: ok, firms registered by each workstation: $(grep -a 'Firmy przeniesione i wpisane' \
    "$on_server/qz23-24.LOG" | sed 's/.*: //' | paste -sd/ -)"
  rm -rf "$new2024" && mkdir "$new2024"
done

# The lock held on workstation a, the inserts made on workstation b.
demo="$QZ_BUILD_DIR/tools/qz-tui-demo"
[ -x "$demo" ] || fail "not built: $demo"
: >"$new2024/SPISFIRM.DAT"
run "'$demo' blokada '$new2024/SPISFIRM.DAT'"
wait_for "Plik zablokowany"
station b
start_conversion
answer_until "DOSTĘP BLOKOWANY SIECIOWO"
[ "$(record_count "$on_server/SPISFIRM.DAT")" = 0 ] || fail "a record was written under the other's lock"
on a tm send-keys Enter
tm send-keys t
answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024"
finish_run
[ "$(registry_directories "$on_server/SPISFIRM.DAT")" = "$order_of_one_run" ] || fail "not every firm was registered in order"

# Workstation b stops after each firm. At its first stop a journal of workstation a
# stands for a moment: b's mount lists it, a removes it, and b's next insert comes
# while b's view of the drive still shows it (for about a second). The insert looks
# again and goes in.
rm -rf "$new2024" && mkdir "$new2024"
to_first_firm_stop
journal="$share_a/KPR_2024/SPISFIRM.DAT.insert-journal"
printf QZUNDO01 >"$journal"
ls "$new2024" >/dev/null
rm "$journal"
tm send-keys Enter
stops=1 answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024"
finish_run
[ "$(registry_directories "$on_server/SPISFIRM.DAT")" = "$order_of_one_run" ] ||
  fail "not every firm was registered in order after the journal a moment gone"
echo "ok"
