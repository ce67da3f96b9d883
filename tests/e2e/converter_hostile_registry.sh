#!/usr/bin/env bash
# Damaged and hostile firm registries and names read from data files: a registry of
# random bytes, length bytes longer than their fields, firm directories that would
# climb out of the roots or name another drive, list entries and asset register
# names that would leave the firm's directory. In every case the run goes on with
# what is sound, ends with exit 0, reports what it refused (where the report waits
# for a key), leaves the 2023 tree as
# it was and changes nothing beside the two roots. A damaged 2024 registry is refused.
set -euo pipefail
server_name=qz-e2e-hostile-registry
source "$(dirname "$0")/lib/tmux.sh"
source "$(dirname "$0")/lib/converter.sh"
source "$(dirname "$0")/lib/hostile.sh"

registry2023="$old2023/SPISFIRM.DAT"

case_random_registry() {
  # Five records of bytes from a seeded generator: no sound firm among them.
  awk 'BEGIN { srand(4711); for (i = 0; i < 515; i++) printf "%c", int(rand() * 256) }' </dev/null |
    LC_ALL=C tr -d '\n' | head -c 515 >"$registry2023.new"
  head -c 515 /dev/zero >>"$registry2023.new"
  head -c 515 "$registry2023.new" >"$registry2023"
  rm "$registry2023.new"
  remember_untouched
  convert_case
  expect_registered
  [ ! -e "$new2024/SPISFIRM.DAT" ] || [ ! -s "$new2024/SPISFIRM.DAT" ] || fail "$case: a record was entered"
}

case_oversized_lengths() {
  # Firm 0 gets a directory of three characters and a directory length byte of 255:
  # the field then holds zero bytes after the name, which is no usable name. Firm 1
  # gets name and description length bytes of 255: cut to their fields it is sound
  # and goes into the 2024 registry byte for byte.
  mapfile -t dirs < <(registry_directories "$registry2023")
  mv "$old2023/${dirs[0]}" "$old2023/KAM"
  set_firm_directory "$registry2023" 0 KAM
  put_bytes "$registry2023" 0 32 '\0377'
  put_bytes "$registry2023" 1 0 '\0377'
  put_bytes "$registry2023" 1 41 '\0377'
  remember_untouched
  convert_case
  expect_reported "Niepoprawna nazwa katalogu firmy KAM"
  expect_registered "${dirs[1]}"
  expect_records_from_2023 "$registry2023" "$new2024/SPISFIRM.DAT"
  [ ! -e "$new2024/KAM" ] || fail "$case: the damaged firm was converted"
}

case_escaping_directories() {
  # Five more records, each naming a directory outside the root or on another
  # drive, each with a convertible firm where that name leads from the 2023 root;
  # "../x" leads to the folder beside the roots.
  local firm name i=2
  mapfile -t dirs < <(registry_directories "$registry2023")
  firm="$old2023/${dirs[0]}"
  cp -r "$firm/." "$outside/"
  mkdir -p "$old2023/a"
  for name in "C:x" "*" "a/b"; do cp -r "$firm" "$old2023/$name"; done
  for name in ".." "../x" "a/b" "C:x" "*"; do
    head -c 103 "$registry2023" >>"$registry2023"
    set_firm_directory "$registry2023" "$i" "$name"
    i=$((i + 1))
  done
  remember_untouched
  convert_case
  for name in ".." "../x" "a/b" "C:x" "*"; do expect_reported "Niepoprawna nazwa katalogu firmy $name "; done
  expect_registered "${dirs[0]}" "${dirs[1]}"
  [ -z "$(ls -A "$new2024/a" 2>/dev/null)" ] || fail "$case: a/b converted"
}

case_escaping_file_names() {
  # A list file whose entries would copy from or to the folder beside the roots,
  # and an asset register named with a separator.
  mapfile -t dirs < <(registry_directories "$registry2023")
  printf '%s\r\n' "../x/keep.txt" "2023_ROK.REK>../../x/nowy.txt" "/etc/hostname" "C:keep.txt" >"$work/qz23-24.LST"
  local registers="$old2023/${dirs[0]}/stbazy.rek"
  head -c 367 /dev/zero >"$registers"
  printf '\011../../x/A' | dd of="$registers" bs=1 seek=51 conv=notrunc status=none
  cp "$outside/keep.txt" "$outside/A.REK"
  remember_untouched
  convert_case
  # The refusals scroll past without a wait; the firm tests check their log lines.
  [ -s "$new2024/${dirs[0]}/stbazy.rek" ] || fail "$case: the firm's own files were not copied"
  expect_registered "${dirs[0]}" "${dirs[1]}"
}

case_damaged_2024_registry() {
  # A 2024 registry of a record cut short: named in a box and left as it is, nothing
  # entered into it; the converted firms keep their in-progress marks, and once a
  # person has mended the file (emptied it here) the next run completes them.
  mapfile -t dirs < <(registry_directories "$registry2023")
  head -c 50 "$registry2023" >"$new2024/SPISFIRM.DAT"
  remember_untouched
  convert_case
  expect_reported "Uszkodzony plik"
  expect_reported "długość 50"
  cmp -s <(head -c 50 "$registry2023") "$new2024/SPISFIRM.DAT" || fail "$case: the damaged registry was changed"
  local dir
  for dir in "${dirs[@]}"; do [ -e "$new2024/$dir/_qz_conv.tmp" ] || fail "$case: $dir has no mark left"; done
  : >"$new2024/SPISFIRM.DAT"
  convert_case
  expect_registered "${dirs[@]}"
}

for case in random_registry oversized_lengths escaping_directories escaping_file_names damaged_2024_registry; do
  echo "case: $case"
  make_case_trees
  "case_$case"
  expect_untouched "$case"
done
echo "ok"
