#!/usr/bin/env bash
# Runs cut short: the converter is killed (SIGKILL) at a random moment of a
# multi-firm run, again and again, each run starting over the 2024 tree the one
# before left and redoing the firms the one before left half converted. After every
# kill the 2023 tree is as it was and the 2024 registry holds only whole, sound
# records; what the kill left behind is printed. A last run goes to its end: then
# every firm is registered exactly once, no in-progress file is left, and the whole
# 2024 tree equals, byte for byte, that of one uninterrupted run of the same data.
# QZ_E2E_SEED repeats a sequence of kill moments; the seed is printed.
set -euo pipefail
server_name=qz-e2e-interrupted
source "$(dirname "$0")/lib/tmux.sh"
source "$(dirname "$0")/lib/converter.sh"
checker="$QZ_BUILD_DIR/tools/qz-registry-check"
[ -x "$checker" ] || { echo "not built: $checker"; exit 1; }

seed="${QZ_E2E_SEED:-$(( $(date +%s) % 32768 ))}"
echo "seed $seed"
RANDOM=$seed
kills=${QZ_E2E_KILLS:-20}

make_trees --seed 31 --firms 6 --persons 2 --entries-per-month 2 --profile quiet
# A large global address base, so that kills can fall inside the global copy.
head -c $(( 480 * 40000 )) /dev/urandom >"$old2023/#BIN023/baza_ad8.rek"
write_path_file
tree2023="$(tree_digest "$old2023")"
mapfile -t dirs < <(registry_directories "$old2023/SPISFIRM.DAT")
registry="$new2024/SPISFIRM.DAT"

# The converter's process in the window, or nothing once it has ended.
converter_pid() { ps -o pid=,comm= --ppid "$(tm display -p '#{pane_pid}')" | awk '$2 == "qz23-24" { print $1 }'; }
# Waits for one of two texts; prints which came (1 or 2).
wait_either() {
  local shown i
  for ((i = 0; i < ${QZ_E2E_WAIT:-60} * 10; i++)); do
    shown="$(screen)"
    grep -qF -- "$1" <<<"$shown" && { echo 1; return 0; }
    grep -qF -- "$2" <<<"$shown" && { echo 2; return 0; }
    key="$(answer_for "$(sed 1d <<<"$shown")")" && tm send-keys "$key" && sleep 0.3
    sleep 0.1
  done
  fail "the screen showed neither $1 nor $2"
}
# Checks the 2024 registry with the program's reader; prints its findings with the
# kill's number and adds them up.
check_registry() {
  local lines status=0
  [ -e "$registry" ] || { echo "$1: no registry yet"; return 0; }
  lines="$("$checker" "$registry" "$new2024/")" || status=$?
  [ "$status" = 0 ] || fail "$1: the registry is damaged: $lines"
  echo "$1: ${lines//$'\n'/; }"
  twice=$(( twice + $(grep -c "^entered twice" <<<"$lines" || true) ))
  local name
  while read -r name; do left_behind["$fresh:$name"]=1; done < <(sed -n 's/^converted, not entered //p' <<<"$lines")
}
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# The kill moments fall within the time a whole run takes from the picker's F5 to
# its last line, measured on this machine and build by a first run over the tree.
start_converter
to_start_page
tm send-keys F5
answer_until "BAZA FIRM"
started=$(now_ms)
tm send-keys F5
answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024"
longest_ms=$(( $(now_ms) - started + 100 ))
finish_run
echo "a whole run takes ${longest_ms} ms"
uninterrupted="$(data_digest "$new2024")"
uninterrupted_global="$(tree_digest "$new2024/#BIN024")"
rm -rf "$new2024" && mkdir "$new2024"

declare -A left_behind=()
twice=0 finished=0 fresh=0
overwrite_answer=W
for ((kill = 1; kill <= kills; kill++)); do
  start_converter
  to_start_page
  tm send-keys F5
  if [ "$(wait_either "BAZA FIRM" "Koniec pracy kopiera")" = 2 ]; then
    # Every firm is converted or passed over: a fresh 2024 tree for the next kills.
    fresh=$((fresh + 1))
    rm -rf "$new2024" && mkdir "$new2024"
    kill=$((kill - 1))
    continue
  fi
  tm send-keys F5
  delay=$(( RANDOM % longest_ms ))
  sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
  pid="$(converter_pid)"
  if [ -n "$pid" ]; then kill -KILL "$pid"; else finished=$((finished + 1)); fi
  wait_for "EXIT="
  [ "$(tree_digest "$old2023")" = "$tree2023" ] || fail "kill $kill after ${delay} ms: the 2023 tree changed"
  check_registry "kill $kill after ${delay} ms"
done
echo "kills: $kills, runs that ended before their kill: $finished, fresh 2024 trees: $fresh"
# (An empty associative array counts as unset under set -u.)
left=0; [ -z "${left_behind[*]+set}" ] || left=${#left_behind[@]}
echo "found after kills: $left firms converted but not entered, $twice records entered twice"

# Kills inside the global copy, each as soon as a given file of it appears in the
# 2024 tree (the first inside the large address base), on a 2024 tree without global
# data or with a copy left unfinished: page 4 always offers the copy then, whatever
# the address base says, and after each kill the copy's mark is there or the global
# data are whole.
global_mark="$new2024/#BIN024/_qz_conv.tmp"
global_kill=0
for name in baza_ad8.rek kpr_2024.ini KOLORY.QZ OPERATOR.REK UMOWY.INI; do
  global_kill=$((global_kill + 1))
  [ -e "$global_mark" ] || rm -rf "$new2024/#BIN024"
  start_converter
  to_start_page
  screen | grep -qF "[■] Dane Globalne z" || fail "global kill $global_kill: page 4 does not offer the global copy"
  pid="$(converter_pid)"
  tm send-keys F5
  until_us=$(( ${EPOCHREALTIME/./} + ${QZ_E2E_WAIT:-60} * 1000000 ))
  until [ -e "$new2024/#BIN024/$name" ] || (( ${EPOCHREALTIME/./} > until_us )); do :; done
  kill -KILL "$pid"
  wait_for "EXIT="
  if [ -e "$global_mark" ]; then
    echo "global kill $global_kill at $name: the copy's mark is left"
  elif [ -d "$new2024/#BIN024" ] && [ "$(tree_digest "$new2024/#BIN024")" != "$uninterrupted_global" ]; then
    fail "global kill $global_kill at $name: global data not whole and no mark"
  fi
done

# The last run to its end: whatever is not registered yet is converted or redone.
start_converter
to_start_page
tm send-keys F5
if [ "$(wait_either "BAZA FIRM" "Koniec pracy kopiera")" = 1 ]; then
  tm send-keys F5
  answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024"
fi
finish_run
[ "$(tree_digest "$old2023")" = "$tree2023" ] || fail "the last run changed the 2023 tree"
lines="$("$checker" "$registry" "$new2024/")" || fail "the registry is damaged after the last run: $lines"
echo "after the last run: ${lines//$'\n'/; }"
expect_tree_of_one_run "$uninterrupted" "one uninterrupted run"

# Kills inside the registry insert, at chosen system calls. From the tree of one run
# less the first two firms in key order (their directories and records), the next run
# inserts both of them, in one insert, before all the others: the insert appends the
# last two records, then writes the others moved up with the new ones in their
# places. strace kills the converter as it enters the n-th write to the registry (the
# append, before the moves; the moves and places), the registry's flush, or the
# removal of the insert's journal. The run after each kill rolls the insert back,
# says so, and ends with the tree of one uninterrupted run.
command -v strace >/dev/null || fail "strace is missing (tools/install-deps installs it)"
whole="$work/whole2024"
cp -a "$new2024" "$whole"
rm -f "$whole/qz23-24.LOG"
for point in "write 1" "write 2" "fsync 1" "unlink 1"; do
  read -r call nth <<<"$point"
  rm -rf "$new2024" && cp -a "$whole" "$new2024"
  for index in 0 1; do rm -rf "${new2024:?}/$(record_directory "$whole/SPISFIRM.DAT" "$index")"; done
  tail -c +$(( 2 * 103 + 1 )) "$whole/SPISFIRM.DAT" >"$registry"
  traced="$registry"
  [ "$call" = unlink ] && traced="$registry.insert-journal"
  runner="strace -f -qq -o /dev/null -P '$traced' -e trace=$call -e inject=$call:signal=KILL:when=$nth"
  start_conversion
  [ "$(wait_either "EXIT=" "Nacisnij Enter")" = 1 ] || fail "$call $nth: the run was not killed in the insert"
  echo "killed at $call $nth of the insert: $("$checker" "$registry" "$new2024/" | tr '\n' ';' || true)"
  runner=""
  start_conversion
  answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024"
  finish_run
  grep -q "Cofnięto przerwany wpis do pliku" "$new2024/qz23-24.LOG" || fail "$call $nth: no roll-back logged"
  lines="$("$checker" "$registry" "$new2024/")" || fail "$call $nth: the registry is damaged: $lines"
  ! grep -q "^entered twice\|^out of order" <<<"$lines" || fail "$call $nth: ${lines//$'\n'/; }"
  expect_tree_of_one_run "$uninterrupted" "one uninterrupted run after a kill at $call $nth of the insert"
done
echo "ok"
