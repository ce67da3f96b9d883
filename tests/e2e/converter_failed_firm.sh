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
echo "failed firm: ok"

# A 2024 root on a small tmpfs that fills up during the second firm: that firm ends
# at once with one box naming the root, leaves no partial file, stays out of the
# registry with its in-progress mark, and no firm after it is taken (the report
# names it as not taken); the report, on the same disk, still gets its summary. Once there is room, the next run completes
# the tree of one uninterrupted run. Mounting needs root: without it the case is
# skipped, and says so.
converted_run() {
  start_converter
  to_start_page
  tm send-keys F5
  answer_until "BAZA FIRM"
  tm send-keys F5
}
overwrite_answer=W
rm -rf "$old2023" "$new2024"
make_trees --seed 11 --firms 3 --persons 3 --entries-per-month 40 --profile quiet
mapfile -t dirs < <(registry_directories "$old2023/SPISFIRM.DAT")
converted_run
answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024"
finish_run
one_run="$(data_digest "$new2024")"
# Room for the global data, the first firm and half of the second, and for a whole
# report (its lines are whole, and this run's report must get its summary).
room=$(( $(du -sk "$new2024/#BIN024" | cut -f1) + $(du -sk "$new2024/${dirs[0]}" | cut -f1) +
  $(du -sk "$new2024/${dirs[1]}" | cut -f1) / 2 + $(du -sk "$new2024/qz23-24.LOG" | cut -f1) ))
rm -rf "$new2024"
mkdir "$new2024"
if [ "$(id -u)" != 0 ] || ! mount -t tmpfs -o "size=${room}k" tmpfs "$new2024" 2>/dev/null; then
  echo "full disk: skipped, a tmpfs cannot be mounted here (it needs root)"
  echo "ok"
  exit 0
fi
# The converter goes before the mount (its end takes a moment), the mount before
# the folder that holds it.
release_root() {
  tm kill-server 2>/dev/null || true
  local i
  for i in 1 2 3 4 5 6 7 8 9 10; do umount "$new2024" 2>/dev/null && return 0; sleep 0.2; done
  echo "cannot unmount $new2024"
}
trap "release_root; $(trap -p EXIT | sed "s/^trap -- '//; s/' EXIT\$//")" EXIT
converted_run
answer_until "Brak miejsca na dysku"
screen | grep -qF "$new2024" || fail "the box does not name the 2024 root"
tm send-keys Enter
wait_for "Koniec pracy kopiera danych KPR_QZ na rok 2024"
finish_run
[ "$(registry_directories "$new2024/SPISFIRM.DAT")" = "${dirs[0]}" ] || fail "registered: $(registry_directories "$new2024/SPISFIRM.DAT")"
[ -e "$new2024/${dirs[1]}/_qz_conv.tmp" ] || fail "the firm that met the full disk lost its in-progress mark"
[ ! -e "$new2024/${dirs[2]}" ] || fail "a firm was taken after the full disk"
while read -r sum file; do
  case "$file" in ./qz23-24.LOG | ./SPISFIRM.DAT | */_qz_conv.tmp) continue ;; esac
  grep -qxF "$sum  $file" <<<"$one_run" || fail "$file is not as one run makes it (partial?)"
done < <(cd "$new2024" && find . -type f -exec sha256sum {} +)
grep -qF "= Firma " "$new2024/qz23-24.LOG" && grep -qF "=== Podsumowanie ===" "$new2024/qz23-24.LOG" ||
  { cat "$new2024/qz23-24.LOG"; fail "the report lacks the firm results or its summary"; }
grep -qF "[${dirs[1]}]: NIE przeniesiona: Brak miejsca na dysku" "$new2024/qz23-24.LOG" ||
  fail "the report does not say why the firm was not converted"
grep -qF "[${dirs[2]}]: NIE przeniesiona (nie podjęta: brak miejsca na dysku)" "$new2024/qz23-24.LOG" ||
  fail "the report does not name the firm left after the full disk"

mount -o remount,size=64m "$new2024"
converted_run
answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024"
finish_run
expect_tree_of_one_run "$one_run" "one uninterrupted run"
echo "ok"
