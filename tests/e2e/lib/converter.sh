# Shared by the converter's end-to-end scripts: a working folder with the 2023 and
# 2024 roots and a copy of the converter, walking the wizard, answering what a
# conversion asks, and reading the firm registries. Source it after lib/tmux.sh.
# QZ_SAMPLE names the sample generator (by default the build's), which must run on
# this machine; QZ_WINDOWS_PATHS=1 names the roots in the path file and on the command
# line as a program under Wine sees them (drive Z: is the machine's root).
program="$(program_under_test qz23-24)"
sample="${QZ_SAMPLE:-${QZ_BUILD_DIR:?}/qz-sample}"
windows_paths="${QZ_WINDOWS_PATHS:-}"
[ -x "$program" ] || { echo "not built: $program"; exit 1; }
[ -x "$sample" ] || { echo "not built: $sample"; exit 1; }

scratch="$(mktemp -d "${TMPDIR:-/tmp}/qz-e2e.XXXXXX")"
trap 'tm kill-server 2>/dev/null || true; rm -rf "$scratch" "$QZ_PAUSE_SCREEN"*' EXIT
# Makes folder $1 the working folder of what follows: the two roots in it and a
# copy of the program under test beside them.
work_in() {
  work="$1" old2023="$1/KPR_2023" new2024="$1/KPR_2024" program_name="${program##*/}"
  mkdir -p "$work"
  cp "$program" "$work/$program_name"
}
work_in "$scratch"
# A path as the program under test names it.
native_path() {
  if [ -n "$windows_paths" ]; then printf 'Z:%s' "${1//\//\\}"; else printf '%s' "$1"; fi
}

# Ends the script as failed, with the reason and the screen.
fail() { echo "$1"; screen; exit 1; }

# A generated 2023 tree (qz-sample options as arguments) and an empty 2024 root.
make_trees() {
  "$sample" "$@" "$old2023" >/dev/null
  mkdir "$new2024"
}
# The path file beside the program names both roots.
write_path_file() {
  printf '[PATHS]\r\nKPR_2023=%s\r\nKPR_2024=%s\r\n' "$(native_path "$old2023")" "$(native_path "$new2024")" \
    >"$work/qz23-24.PTH"
}
# Starts the converter in its folder, the 2024 root as its argument.
start_converter() { run "env -C '$work' $runner './$program_name' '$(native_path "$new2024")'"; }
# Waits for a wizard page by its title.
wait_page() { wait_for "─ $1 ─"; }
# From page 1 to page 4 with every option as it is.
to_start_page() {
  wait_page "Lokalizacja"
  tm send-keys PgDn
  wait_page "Dane globalne, konfiguracyjne"
  tm send-keys PgDn
  wait_page "Dane firmowe "
  tm send-keys PgDn
  wait_page "START KOPIOWANIA"
}
# Starts the converter and walks it to the firm picker.
to_picker() {
  start_converter
  to_start_page
  tm send-keys F5
  answer_until "BAZA FIRM"
}
# The same and the picker's F5: every firm offered is converted.
start_conversion() {
  to_picker
  tm send-keys F5
}
# Starts the converter with the stop after each firm on (the focus of page 4), past
# the stop after the global copy, and converts every firm offered up to the stop
# after the first one.
to_first_firm_stop() {
  start_converter
  to_start_page
  tm send-keys Space
  wait_for "[■] Zatrzymywac akcje co firme"
  tm send-keys F5
  wait_for "cdn - nacisnij dowolny klawisz."
  tm send-keys Enter
  answer_until "BAZA FIRM"
  tm send-keys F5
  stops=1 answer_until "cdn - naciśnij dowolny klawisz."
}
# The end of a run: "Nacisnij Enter", a key, exit code 0.
finish_run() {
  wait_for "Nacisnij Enter"
  tm send-keys Enter
  wait_for "EXIT=0"
}

# The last line the log wrote on the screen given (without its first row), above the
# hint row.
last_line() { sed '24,$d; /^ *$/d' <<<"$1" | tail -n 1; }
# Whether the screen waits for the answer to a question (rather than for a key after
# a notice): by the box it shows or by the last line the log wrote.
is_question() {
  case "$1" in *"Podaj właściwą:"*) return 0 ;; esac
  case "$(last_line "$1")" in *"Z(n)/W(a)"* | *"(B/N/A) ?"* | *"Przenieść T/N"* | *"mimo to? (T/N)"*) return 0 ;; esac
  return 1
}
# The key that answers what the screen (without its first row) waits for; nothing
# when it waits for nothing known. Overwrite questions get $overwrite_answer,
# questions about persons $person_answer and whether a firm with failed files is
# registered $register_answer; with none set, such a question is not expected and
# stays unanswered. A converter that stops after each firm also waits after each
# struck-out entry and at the end of each firm; with $stops set, those waits are
# answered too.
answer_for() {
  case "$1" in *"Podaj właściwą:"*) echo Enter; return 0 ;; esac
  case "$(last_line "$1")" in
    *" SKREŚLONY" | *"cdn - naciśnij dowolny klawisz.") [ -n "${stops:-}" ] && echo Enter ;;
    *"Z(n)/W(a)"*) [ -n "${overwrite_answer:-}" ] && echo "$overwrite_answer" ;;
    *"Przenieść T/N"*) [ -n "${person_answer:-}" ] && echo "$person_answer" ;;
    *"mimo to? (T/N)"*) [ -n "${register_answer:-}" ] && echo "$register_answer" ;;
    *"(B/N/A) ?"*) echo B ;;
    *"Nie odnaleziono osoby związanej z członkiem rodziny !"* | *"Upss..."* | *"jako BO.2024"* | \
      *"Zerowa ilość odczytanych firm"* | *"nie ma czego konwertować"* | *"Nie można dokonać konwersji ..."*) echo Enter ;;
    *) return 1 ;;
  esac
}
# Answers every question as it comes until the screen shows the text. A screen is
# answered once: the next answer waits for the program to show something new. Each
# question's key goes as a line to $work/answers, and the console title it was asked
# under to $work/titles.
answer_until() {
  local answered="" shown key i tries=$(( ${QZ_E2E_WAIT:-60} * 10 ))
  for ((i = 0; i < tries; i++)); do
    shown="$(screen | sed 1d)"
    grep -qF -- "$1" <<<"$shown" && return 0
    if [ "$shown" != "$answered" ] && key="$(answer_for "$shown")"; then
      if is_question "$shown"; then
        echo "$key" >>"$work/answers"
        tm display -p '#{pane_title}' >>"$work/titles"
      fi
      tm send-keys "$key"
      answered="$shown"
      i=0
    fi
    sleep 0.1
  done
  echo "the screen never showed: $1"
  screen
  exit 1
}

# Firm registries: 103-byte records, the directory a short text at offset 32.
record_count() { echo $(( $(stat -c %s "$1") / 103 )); }
record_directory() {
  local length
  length=$(od -An -tu1 -j $(( $2 * 103 + 32 )) -N1 "$1" | tr -d ' ')
  dd if="$1" bs=1 skip=$(( $2 * 103 + 33 )) count="$length" status=none
}
record_hex() { od -An -tx1 -v -j $(( $2 * 103 )) -N 103 "$1" | tr -d ' \n'; }
# The directories of a registry in record order, one a line.
registry_directories() {
  local i
  for ((i = 0; i < $(record_count "$1"); i++)); do record_directory "$1" "$i"; echo; done
}
# Sets the name of record $2 of registry $1 to the code page 852 bytes given as
# printf escapes ($3): the length byte, the name, zeros to the end of the field.
set_firm_name() {
  local name="$work/name.bin" length
  printf '%b' "$3" >"$name"
  length=$(stat -c %s "$name")
  { printf "\\$(printf %03o "$length")"; cat "$name"; head -c $(( 31 - length )) /dev/zero; } |
    dd of="$1" bs=1 seek=$(( $2 * 103 )) conv=notrunc status=none
}
# Every 2024 record equals, byte for byte, the 2023 record of the same directory.
expect_records_from_2023() {
  local i j found
  for ((i = 0; i < $(record_count "$2"); i++)); do
    found=""
    for ((j = 0; j < $(record_count "$1"); j++)); do
      [ "$(record_directory "$1" "$j")" = "$(record_directory "$2" "$i")" ] || continue
      [ "$(record_hex "$1" "$j")" = "$(record_hex "$2" "$i")" ] && found=1
    done
    [ -n "$found" ] || fail "2024 record $i is not its 2023 record"
  done
}
# Names and contents of every file of a tree.
tree_digest() { (cd "$1" && find . -print | LC_ALL=C sort && find . -type f -exec sha256sum {} + | LC_ALL=C sort); }
# The same of a 2024 tree without the runs' report, which names its run's roots and
# times.
data_digest() { tree_digest "$1" | grep -v '^\./qz23-24\.LOG$\|  \./qz23-24\.LOG$'; }
# After runs that share the work: every firm of ${dirs[@]} registered once, no
# in-progress file left, and the 2024 tree equal to the digest $1 of one run ($2 says
# which run, for the message).
expect_tree_of_one_run() {
  local entered marks
  entered="$(registry_directories "$new2024/SPISFIRM.DAT" | LC_ALL=C sort)"
  [ "$entered" = "$(printf '%s\n' "${dirs[@]}" | LC_ALL=C sort)" ] ||
    fail "the firms are not each registered once: ${entered//$'\n'/ }"
  marks="$(find "$new2024" -iname _qz_conv.tmp)"
  [ -z "$marks" ] || fail "in-progress files are left: $marks"
  if [ "$(data_digest "$new2024")" != "$1" ]; then
    diff <(echo "$1") <(data_digest "$new2024") || true
    fail "the 2024 tree is not that of $2"
  fi
}
