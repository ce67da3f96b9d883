#!/usr/bin/env bash
# Trees whose files are not what the converter expects: symbolic links in the 2024
# tree where it writes, a link loop in the 2023 tree, a directory where a file
# belongs (the 2024 registry among them) and the reverse, names on disk that are not UTF-8, and files and
# directories the user may not read. In every case the run goes on with the rest,
# ends with exit 0, leaves the 2023 tree and the folder beside the roots (the links'
# targets among them) as they were.
set -euo pipefail
server_name=qz-e2e-hostile-files
source "$(dirname "$0")/lib/tmux.sh"
source "$(dirname "$0")/lib/converter.sh"
source "$(dirname "$0")/lib/hostile.sh"

case_links_in_2024_global() {
  # Global files of the 2024 tree that lead outside: the copy must not write
  # through them, even when told to overwrite.
  mkdir "$new2024/#BIN024"
  ln -s "$outside/keep.txt" "$new2024/#BIN024/KOLORY.QZ"
  echo "[X]" >"$outside/ini.txt"
  ln -s "$outside/ini.txt" "$new2024/#BIN024/kpr_2024.ini"
  ln -s "$outside/nowy.rek" "$new2024/#BIN024/OPERATOR.REK"
  remember_untouched
  overwrite_answer=W convert_case
  expect_reported "tworzenia pliku $new2024/#BIN024/kpr_2024.ini"
  expect_reported "Utworzenia pliku $new2024/#BIN024/KOLORY.QZ"
  for file in KOLORY.QZ kpr_2024.ini OPERATOR.REK; do
    [ -L "$new2024/#BIN024/$file" ] || fail "$case: $file is no longer a link"
  done
  [ -s "$new2024/#BIN024/KPR_QZ.INI" ] || { cat "$transcript"; fail "$case: the other global files were not copied"; }
  expect_registered "${dirs[0]}" "${dirs[1]}"
}

case_link_as_2024_registry() {
  # The 2024 registry a link to a file outside: no record may be written there.
  cp "$old2023/SPISFIRM.DAT" "$outside/SPISFIRM.DAT"
  ln -s "$outside/SPISFIRM.DAT" "$new2024/SPISFIRM.DAT"
  remember_untouched
  convert_case
  expect_reported "Brak dostepu do pliku"
  [ -L "$new2024/SPISFIRM.DAT" ] || fail "$case: the registry link was replaced"
}

case_directory_as_2024_registry() {
  # A directory where the 2024 registry belongs: no file to open or create, told in
  # the main flow's own box only.
  mkdir "$new2024/SPISFIRM.DAT"
  remember_untouched
  convert_case
  expect_reported "Brak dostepu do pliku"
  if grep -qF "Zabronony" "$transcript"; then fail "$case: the box of a file that exists"; fi
  [ -d "$new2024/SPISFIRM.DAT" ] || fail "$case: the directory was replaced"
}

case_link_loops_in_2023() {
  # Firm 1's directory is a link to itself; a global file and a firm file of firm 0
  # too. Firm 0 is converted without them, firm 1 is reported missing.
  rm -rf "${old2023:?}/${dirs[1]}"
  ln -s "${dirs[1]}" "$old2023/${dirs[1]}"
  ln -sf KOLORY.QZ "$old2023/#BIN023/KOLORY.QZ"
  ln -sf DANE_PR8.REK "$old2023/${dirs[0]}/DANE_PR8.REK"
  remember_untouched
  register_answer=T convert_case
  expect_reported "Brak katalogu zródłowego"
  expect_registered "${dirs[0]}"
  [ ! -e "$new2024/${dirs[0]}/DANE_PR8.REK" ] || fail "$case: a file made from a link loop"
}

case_directory_and_file_swapped() {
  # A directory where a firm file and a global file belong; a file where firm 1's
  # 2023 directory belongs; a file where firm 0's 2024 directory will be made.
  rm "$old2023/${dirs[0]}/DANE_PR8.REK" "$old2023/#BIN023/KOLORY.QZ"
  mkdir "$old2023/${dirs[0]}/DANE_PR8.REK" "$old2023/#BIN023/KOLORY.QZ"
  rm -rf "${old2023:?}/${dirs[1]}"
  echo "plik" >"$old2023/${dirs[1]}"
  echo "plik" >"$new2024/${dirs[0]}"
  remember_untouched
  convert_case
  expect_reported "Brak katalogu zródłowego"
  expect_reported "Utworzenia katalogu firmy"
  expect_registered
  [ "$(cat "$new2024/${dirs[0]}")" = "plik" ] || fail "$case: the file in the firm directory's place changed"
}

case_names_not_utf8() {
  # Files whose names are no UTF-8 beside the files the copies look for: in the
  # global directory and among the firm's declarations that a pattern copies.
  printf 'x' >"$old2023/#BIN023/"$'\xff\xfe.QZ'
  printf 'x' >"$old2023/${dirs[1]}/"$'2024UE\xff.REK'
  printf 'x' >"$old2023/${dirs[1]}/"$'2024UE\xc3.REK'
  remember_untouched
  register_answer=T convert_case
  expect_registered "${dirs[0]}" "${dirs[1]}"
  [ -s "$new2024/${dirs[1]}/2024UE01.REK" ] || fail "$case: the sound declarations were not copied"
}

case_unreadable() {
  # Without the right to read: a firm file, a global file and firm 1's directory.
  # Permissions do not stop root, so the converter then runs as nobody. Firm 0's
  # unreadable file is its person file: the files that follow its persons are not
  # written at all, and the firm is registered only as the user answers, the report
  # naming the files that failed.
  local as=""
  if [ "$(id -u)" = 0 ]; then
    command -v setpriv >/dev/null || { echo "$case: skipped, running as root without setpriv"; return 0; }
    as="setpriv --reuid=65534 --regid=65534 --clear-groups"
    chown -R 65534:65534 "$work"
  fi
  chmod 000 "$old2023/${dirs[0]}/DANE_PR8.REK" "$old2023/#BIN023/KOLORY.QZ" "$old2023/${dirs[1]}"
  remember_untouched
  register_answer=T convert_case "$as"
  expect_reported "Błąd otwarcia pliku"
  expect_reported "Nie można dokonać konwersji ..."
  expect_reported "błędy przy 6 plikach."
  expect_registered "${dirs[0]}"
  [ -s "$new2024/${dirs[0]}/_qz_kpr.rek" ] || fail "$case: the readable firm was not converted"
  local source target
  for source in DANE_PF8.REK:DANE_PF8.REK 2023P5.REK:2024P5.REK 2023P28A.REK:2024P28A.REK 2024WP5.REK:2024WP5.REK \
    2024UZ5.REK:2024UZ5.REK; do
    target="${source#*:}" source="${source%:*}"
    [ -s "$old2023/${dirs[0]}/$source" ] || fail "$case: the sample has no $source"
    [ ! -e "$new2024/${dirs[0]}/$target" ] || fail "$case: $target written without the persons"
  done
  grep -qF "(odpowiedź T); błędy przy plikach: DANE_PR8.REK, DANE_PF8.REK, 2024P5.REK, 2024P28A.REK, 2024WP5.REK, 2024UZ5.REK" \
    "$new2024/qz23-24.LOG" || { cat "$new2024/qz23-24.LOG"; fail "$case: the report does not name the failed files"; }
  chmod 755 "$old2023/${dirs[1]}"
}

for case in links_in_2024_global link_as_2024_registry directory_as_2024_registry link_loops_in_2023 \
  directory_and_file_swapped names_not_utf8 unreadable; do
  echo "case: $case"
  make_case_trees
  mapfile -t dirs < <(registry_directories "$old2023/SPISFIRM.DAT")
  "case_$case"
  expect_untouched "$case"
done
echo "ok"
