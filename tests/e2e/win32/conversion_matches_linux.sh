#!/usr/bin/env bash
# A full default conversion of one sample 2023 tree by the Windows build (under Wine)
# and by the Linux build gives the same 2024 tree: the same names and every file byte
# for byte, except the one text that names a root (see same_but_roots below) and the
# run's report, which names the roots and the time of the run (same_report_length).
#
# The wizard runs with its defaults as a user would: PgDn three times to page 4, F5
# to start, F5 in the firm picker (every firm is marked when it opens), the questions
# of the full sample profile answered as lib/converter.sh does, Enter at "Nacisnij
# Enter". The Linux build comes from the default preset (QZ_LINUX_BUILD_DIR, by
# default build/ beside this build); without it the check is skipped.
set -euo pipefail
command -v wine >/dev/null || { echo "wine is missing: skipped"; exit 77; }
linux_build="${QZ_LINUX_BUILD_DIR:-${QZ_BUILD_DIR:?}/../build}"
for built in "$linux_build/qz23-24" "$linux_build/qz-sample"; do
  [ -x "$built" ] || { echo "not built: $built (cmake --workflow --preset default): skipped"; exit 77; }
done
export QZ_PROGRAM="$QZ_BUILD_DIR/qz23-24.exe" QZ_RUNNER="$QZ_BUILD_DIR/wine-run" QZ_WINDOWS_PATHS=1
export QZ_SAMPLE="$linux_build/qz-sample"
server_name=qz-e2e-compare
source "$(dirname "$0")/../lib/tmux.sh"
source "$(dirname "$0")/../lib/converter.sh"

sample_tree="$scratch/sample"
"$sample" --seed 7 --firms 4 --persons 4 --entries-per-month 2 "$sample_tree" >/dev/null

# Converts a copy of the sample tree in folder $1 with the program under test and
# every default.
convert_copy() {
  work_in "$1"
  cp -a "$sample_tree" "$old2023"
  mkdir "$new2024"
  write_path_file
  start_converter
  to_start_page
  tm send-keys F5
  overwrite_answer=W answer_until "BAZA FIRM"
  tm send-keys F5
  overwrite_answer=W answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024"
  finish_run
}
windows_program="$program" windows_runner="$runner"
program="$linux_build/qz23-24" runner="" windows_paths=""
convert_copy "$scratch/linux"
linux_2023="$old2023" linux_2024="$new2024"
program="$windows_program" runner="$windows_runner" windows_paths=1
convert_copy "$scratch/windows"
windows_2023="$(native_path "$old2023")" windows_2024="$(native_path "$new2024")"

names() { (cd "$1" && find . -print | LC_ALL=C sort); }
if ! diff <(names "$scratch/linux/KPR_2024") <(names "$scratch/windows/KPR_2024"); then
  echo "the two 2024 trees hold different names"
  exit 1
fi
# The one text that names a root: the key KPR2023 of a firm's FIRMATXT.INI holds the
# firm's 2023 directory as its system writes it (cut to the key's width), so it
# differs by design. Everything else in the file must be the same.
same_but_roots() {
  [ "${1##*/}" = FIRMATXT.INI ] && cmp -s <(sed '/^KPR2023=/d' "$1") <(sed '/^KPR2023=/d' "$2")
}
# The reports of the two runs hold as many lines: the same lines, questions and results.
same_report_length() {
  [ "${1##*/}" = qz23-24.LOG ] && [ "$(wc -l <"$1")" = "$(wc -l <"$2")" ]
}
same=0 texts=0
while IFS= read -r file; do
  a="$scratch/linux/KPR_2024/$file" b="$scratch/windows/KPR_2024/$file"
  if cmp -s "$a" "$b"; then
    same=$((same + 1))
  elif same_but_roots "$a" "$b" || same_report_length "$a" "$b"; then
    texts=$((texts + 1))
  else
    echo "differs: $file"
    cmp "$a" "$b" || true
    exit 1
  fi
done < <(cd "$scratch/linux/KPR_2024" && find . -type f | LC_ALL=C sort)
[ $((same + texts)) -gt 0 ] || { echo "no file converted"; exit 1; }
echo "ok: $same files byte for byte, $texts FIRMATXT.INI and report the same but for roots and times"
