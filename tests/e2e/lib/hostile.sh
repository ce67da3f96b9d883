# Shared by the end-to-end scripts that feed the converter damaged or hostile trees.
# Each case builds a tiny tree, spoils it, runs the converter to its end answering
# whatever it waits for, and checks that the run ended with exit 0, the 2023 tree is
# as it was and nothing beside the two roots changed. Source it after
# lib/converter.sh.

# A folder beside the roots that no run may touch, and what each run must keep.
outside="$work/x"
transcript="$work/transcript"

# Fresh tiny trees for a case: two firms of the quiet profile, the sentinel folder
# with one file, no path file or list file of an earlier case.
make_case_trees() {
  rm -rf "$old2023" "$new2024" "$outside" "$work/qz23-24.LST"
  make_trees --seed "${1:-5}" --firms "${2:-2}" --persons 1 --entries-per-month 1 --profile quiet
  mkdir "$outside"
  echo "nie ruszać" >"$outside/keep.txt"
  write_path_file
  : >"$transcript"
}
# What the case must leave as it was: the 2023 tree and the folder beside the roots.
remember_untouched() { untouched="$(tree_digest "$old2023"; tree_digest "$outside")"; }
expect_untouched() {
  [ "$(tree_digest "$old2023"; tree_digest "$outside")" = "$untouched" ] ||
    fail "$1: the 2023 tree or the folder beside the roots changed"
}

# Sets bytes of record $2 of registry $1 from offset $3 to the printf escapes $4.
put_bytes() {
  printf '%b' "$4" | dd of="$1" bs=1 seek=$(( $2 * 103 + $3 )) conv=notrunc status=none
}
# Sets the directory of record $2 of registry $1 to the text $3 (a length byte and
# the text, zeros to the end of the 9-byte field; longer texts are cut by dd).
set_firm_directory() {
  local field
  field="$(printf '\\0%03o%s' "${#3}" "$3")"
  put_bytes "$1" "$2" 32 "$field$(repeat '\0' $(( 8 - ${#3} )))"
}

# Drives a started run to its end: the questions answer_for knows get their
# answers, the picker is started with F5, and any other wait (an error waiting for a
# key, an error box) gets Enter once the screen has stood still. Every screen that
# was answered is added to the transcript.
drive_to_end() {
  local shown last="" still=0 key i tries=$(( ${QZ_E2E_WAIT:-60} * 10 ))
  for ((i = 0; i < tries; i++)); do
    shown="$(screen)"
    if grep -q "^EXIT=" <<<"$shown"; then
      printf '%s\n' "$shown" >>"$transcript"
      return 0
    fi
    if [ "$shown" != "$last" ]; then
      last="$shown"
      still=0
    elif (( ++still >= 3 )); then
      printf '%s\n' "$shown" >>"$transcript"
      if ! key="$(answer_for "$(sed 1d <<<"$shown")")"; then
        if grep -qF "BAZA FIRM" <<<"$shown"; then key=F5; else key=Enter; fi
      fi
      tm send-keys "$key"
      still=0
      i=0
    fi
    sleep 0.1
  done
  fail "the run never ended"
}
# A whole run over the case's trees, started as the command line $1 prefixes (empty:
# as this user); the run must end with exit 0.
convert_case() {
  if [ -n "${1:-}" ]; then
    run "$1 env -C '$work' ./qz23-24 '$new2024'"
  else
    start_converter
  fi
  to_start_page
  tm send-keys F5
  drive_to_end
  grep -q "^EXIT=0" "$transcript" || fail "$case: the run did not end with exit 0"
}
# The transcript shows the text (the error reported where it happened).
expect_reported() { grep -qF -- "$1" "$transcript" || { cat "$transcript"; fail "$case: never shown: $1"; }; }
# The 2024 registry holds exactly the directories given (in any order).
expect_registered() {
  local entered=""
  [ -e "$new2024/SPISFIRM.DAT" ] && entered="$(registry_directories "$new2024/SPISFIRM.DAT" | LC_ALL=C sort | tr '\n' ' ')"
  [ "$entered" = "$(printf '%s\n' "$@" | sed '/^$/d' | LC_ALL=C sort | tr '\n' ' ')" ] ||
    fail "$case: the 2024 registry holds: $entered; expected: $*"
}
