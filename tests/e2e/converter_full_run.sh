#!/usr/bin/env bash
# Three runs of the converter over one generated tree that asks every kind of
# question. Run 1 with default options converts every firm but the third (unmarked in
# the picker), with "100" typed whole into the VAT proportion's field: the 2024 tree
# holds their directories and converted files, the 2024 registry their records,
# unchanged, in Polish key order. Run 2 offers only the firm left out and meets the
# global files again: the overwrite question answered A overwrites them all, and the
# one firm's persons, asked about each, all stay behind. Run 3 has no firm left; the
# question answered N keeps them all. The 2023 tree stays byte for byte as it was.
# Each run appends its report to qz23-24.LOG in the 2024 root: the header, every
# question in order with its answer, each firm's result and a summary that agrees
# with the 2024 tree. While firms are converted the console title counts them; at
# the end it is the program's title again.
set -euo pipefail
server_name=qz-e2e-full
source "$(dirname "$0")/lib/tmux.sh"
source "$(dirname "$0")/lib/converter.sh"

make_trees --seed 11 --firms 6 --persons 6 --entries-per-month 3 --profile full
registry2023="$old2023/SPISFIRM.DAT"
registry2024="$new2024/SPISFIRM.DAT"
report="$new2024/qz23-24.LOG"
title="qzMarel - Konwerter 2023 - 2024"
# Names whose Polish order (Czarny, Ćwik, Lis, Łukasik, Mazur, Żabka) is not the
# order of their bytes.
names=("Żabka Zofia" "Łukasik i wspólnicy" "Mazur Sp. z o.o." "Lis Jan" "Ćwik Anna" "Czarny Piotr")
set_firm_name "$registry2023" 0 '\xBDabka Zofia'
set_firm_name "$registry2023" 1 '\x9Dukasik i wsp\xA2lnicy'
set_firm_name "$registry2023" 2 'Mazur Sp. z o.o.'
set_firm_name "$registry2023" 3 'Lis Jan'
set_firm_name "$registry2023" 4 '\x8Fwik Anna'
set_firm_name "$registry2023" 5 'Czarny Piotr'
mapfile -t dirs < <(registry_directories "$registry2023")
write_path_file
tree2023="$(tree_digest "$old2023")"

# The picker line of firm i with its mark, up to the mark.
firm_line() { printf '%s%s%s' "${names[$1]}" "$(repeat ' ' $(( 31 - ${#names[$1]} )))" "$2"; }
expect_registry() {
  local expected="" i
  for i in "$@"; do expected+="${dirs[$i]}"$'\n'; done
  if [ "$(registry_directories "$registry2024")" != "${expected%$'\n'}" ]; then
    fail "2024 registry in this order: $(registry_directories "$registry2024" | tr '\n' ' '), expected: ${expected//$'\n'/ }"
  fi
  expect_records_from_2023 "$registry2023" "$registry2024"
}
expect_2023_untouched() {
  [ "$(tree_digest "$old2023")" = "$tree2023" ] || fail "the 2023 tree changed"
}
# The report's part written by the last run: from its last header on.
last_report() { awk '/^=== Raport przebiegu /{part=""} {part=part $0 "\n"} END{printf "%s", part}' "$report"; }
expect_reported() { grep -qxF -- "$1"$'\r' <<<"$(last_report)" || fail "the report lacks: $1"; }
# The report's answers of the last run, in order, are the keys the script sent (Enter
# at the VAT proportion box accepts its "0"), and the lines are UTF-8 with CR LF.
expect_answers_reported() {
  diff <(last_report | sed -n 's/^\(! \)\{0,1\}? .* -- odpowiedź: \(.*\)\r$/\2/p') <(sed 's/^Enter$/0/' "$work/answers") ||
    fail "the report's answers are not the answers given"
  [ "$(grep -c $'\r$' "$report")" = "$(wc -l <"$report")" ] || fail "a report line without CR LF"
  grep -qF "PROGRAM DO PRZEPCHNIĘCIA DANYCH" "$report" || fail "the report is not UTF-8"
}
expect_summary() {
  expect_reported "Firmy przeniesione i wpisane do rejestru 2024: $1"
  expect_reported "Firmy nieprzeniesione lub niewpisane: 0"
  expect_reported "Firmy pominięte: $2"
  expect_reported "Osoby nieprzeniesione do 2024: $3"
  expect_reported "Błędy przy plikach: 0"
}
# A text field of a record: its length byte, then the characters (code page 852).
text_field() {
  local length
  length=$(od -An -tu1 -j "$2" -N1 "$1" | tr -d ' ')
  dd if="$1" bs=1 skip=$(( $2 + 1 )) count="$length" status=none | iconv -f CP852 -t UTF-8
}
# The records of a file of $2-byte records whose person key (at 0) is not negative
# (a negative key marks a removed record), by number.
live_records() {
  local i sign
  [ -f "$1" ] || return 0
  for ((i = 0; i < $(stat -c %s "$1") / $2; i++)); do
    sign=$(od -An -tu1 -j $(( i * $2 + 7 )) -N1 "$1" | tr -d ' ')
    [ "$sign" -lt 128 ] && echo "$i"
  done
  return 0
}
live_count() { live_records "$1" "$2" | wc -l; }
# How many live records of file $1 (under a firm's directory) of $2 bytes the 2024
# tree lacks.
records_lacking() { echo $(( $(live_count "$old2023/$1" "$2") - $(live_count "$new2024/$1" "$2") )); }
# The names of a family file's live records, one a line, sorted.
family_names() {
  local i
  for i in $(live_records "$1" 352); do
    printf '%s %s\n' "$(text_field "$1" $(( i * 352 + 56 )))" "$(text_field "$1" $(( i * 352 + 88 )))"
  done | sort
}
# Every record the 2024 data lacks (family members, contracts, salaries whose person
# is not there) is a point to check under its firm, the family members by name, and
# the summary counts them all.
expect_dropped_reported() {
  local i dropped=0 name contracts salaries
  for i in "$@"; do
    while IFS= read -r name; do
      [ -n "$name" ] || continue
      dropped=$(( dropped + 1 ))
      grep -qF -- "!    - pominięty członek rodziny bez osoby: $name" <<<"$(last_report)" ||
        fail "${dirs[$i]}: the dropped family member $name is not to be checked"
    done < <(comm -23 <(family_names "$old2023/${dirs[$i]}/DANE_PF8.REK") \
                      <(family_names "$new2024/${dirs[$i]}/DANE_PF8.REK"))
    contracts=$(records_lacking "${dirs[$i]}/2024UZ5.REK" 1024)
    salaries=$(records_lacking "${dirs[$i]}/2024WP5.REK" 26624)
    if [ "$contracts" -gt 0 ]; then
      local times=""
      [ "$contracts" -gt 1 ] && times=" ($contracts razy)"
      grep -qxF -- "!    - pominięta umowa/zlecenie bez osoby$times"$'\r' <<<"$(last_report)" ||
        fail "${dirs[$i]}: $contracts dropped contracts are not to be checked"
    fi
    dropped=$(( dropped + contracts + salaries ))
  done
  [ "$dropped" -gt 0 ] || fail "the full profile planted no record to drop"
  expect_reported "Rekordy pominięte: $dropped"
}
# The title at the end of the run is the program's own again.
expect_title_restored() {
  wait_for "Nacisnij Enter"
  [ "$(tm display -p '#{pane_title}')" = "$title" ] || fail "title at the end: $(tm display -p '#{pane_title}')"
}
# Page 4 over a 2024 tree with a global address base shows "Dane Globalne z" clear;
# the scope list is two controls before the focus.
tick_global_data() {
  wait_for "[ ] Dane Globalne z"
  tm send-keys BTab BTab Space
  wait_for "[■] Dane Globalne z"
}

# Run 1.
rm -f "$work/answers" "$work/titles"
start_converter
to_start_page
tm send-keys F5
overwrite_answer=W answer_until "BAZA FIRM"
for i in 0 1 2 3 4 5; do wait_for "$(firm_line "$i" ■)"; done
tm send-keys Down Down Space
wait_for "$(firm_line 2 ˙)"
for i in 0 1 3 4 5; do wait_for "$(firm_line "$i" ■)"; done
tm send-keys F5
# The VAT proportion's field of 3 characters shows all three typed.
overwrite_answer=W answer_until "Podaj właściwą:"
tm send-keys C-y
tm send-keys -l 100
wait_for "│                   100                 │"
expect_shown_at_pause
echo 100 >>"$work/answers"
tm send-keys Enter
wait_gone "Podaj właściwą:"
overwrite_answer=W answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024"
expect_title_restored
# The last screen gives the run's result.
for line in "Firmy przeniesione i wpisane do rejestru 2024: 5" "Firmy pominięte: 1" "Raport przebiegu: $report"; do
  screen | grep -qF -- "$line" || fail "the last screen lacks: $line"
done
finish_run
expect_registry 5 4 3 1 0
# Questions of the global copy come under the program's title, those of the firms
# under the firm's number.
[ "$(head -n 1 "$work/titles")" = "$title" ] || fail "title during the global copy: $(head -n 1 "$work/titles")"
grep -qE "^$title - firma [1-5] z 5\$" "$work/titles" || fail "no firm in the title: $(sort -u "$work/titles")"
expect_answers_reported
expect_reported "Katalog danych 2023: $old2023/"
expect_reported "Katalog danych 2024: $new2024/"
expect_reported "Rejestr firm: SPISFIRM.DAT"
expect_reported "*) Dane - przenieś : wszystkich"
# The log's lines as shown, those in the error colour marked.
expect_reported "Koniec pracy kopiera danych KPR_QZ na rok 2024"
grep -q '^! Stwierdzono obecność pliku ' <<<"$(last_report)" || fail "no error-colour line marked in the report"
for i in 0 1 3 4 5; do expect_reported "= Firma ${names[$i]} [${dirs[$i]}]: przeniesiona i wpisana do rejestru 2024"; done
expect_reported "= Firma ${names[2]} [${dirs[2]}]: pominięta (nie zaznaczona)"
expect_summary "$(record_count "$registry2024")" 1 0
expect_dropped_reported 0 1 3 4 5
grep -qE '^!    - proporcja VAT na 2024 wpisana ręcznie: 100%'$'\r''$' <<<"$(last_report)" ||
  fail "the VAT proportion typed is not to be checked"
grep -qE '^! \? Firma rozliczała  VAT w proporcji .* -- odpowiedź: 100'$'\r''$' <<<"$(last_report)" ||
  fail "the VAT proportion's answer is not marked"
# A line repeated at once is written once, with its count.
repeated="$(last_report | uniq -d | grep -v $'^\r$' || true)"
[ -z "$repeated" ] || fail "repeated lines written each: $repeated"
grep -qE '^Wynagrodzenie idx = \([0-9]+ razy\)'$'\r''$' <<<"$(last_report)" || fail "no repeated salary line counted"
cp "$report" "$work/report1"
for i in 0 1 3 4 5; do
  for file in _qz_kpr.rek 2024_ROK.REK FIRMATXT.INI DANE_PR8.REK; do
    [ -s "$new2024/${dirs[$i]}/$file" ] || fail "missing: ${dirs[$i]}/$file"
  done
done
[ ! -e "$new2024/${dirs[2]}" ] || fail "the unmarked firm was converted"
[ -s "$new2024/#BIN024/baza_ad8.rek" ] || fail "no global copy"
expect_2023_untouched

# Run 2: only the third firm is offered; A overwrites every global file unasked; the
# staff selection asks about each person, and N leaves each behind.
printf 'zmienione' >"$new2024/#BIN024/KOLORY.QZ"
rm -f "$work/answers"
start_converter
wait_page "Lokalizacja"
tm send-keys PgDn
wait_page "Dane globalne, konfiguracyjne"
tm send-keys PgDn
wait_page "Dane firmowe "
tm send-keys Tab Down Down Space
wait_for "(■) pytaj sie o każdego"
tm send-keys PgDn
wait_page "START KOPIOWANIA"
tick_global_data
tm send-keys F5
wait_for "Z(n)/W(a)"
echo A >>"$work/answers"
tm send-keys A
answer_until "BAZA FIRM"
wait_for "$(firm_line 2 ■)"
for i in 0 1 3 4 5; do
  if screen | grep -qF "${names[$i]}"; then fail "${names[$i]} offered again"; fi
done
tm send-keys F5
person_answer=N answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024"
finish_run
expect_registry 5 4 3 1 2 0
cmp -s "$new2024/#BIN024/KOLORY.QZ" "$old2023/#BIN023/KOLORY.QZ" || fail "KOLORY.QZ not overwritten"
cmp -s -n "$(stat -c %s "$work/report1")" "$report" "$work/report1" || fail "run 1's report was not kept"
[ "$(grep -c '^=== Raport przebiegu ' "$report")" = 2 ] || fail "run 2 did not append its report"
expect_answers_reported
expect_reported "*) Dane - przenieś : pytaj sie o każdego"
expect_reported "= Firma ${names[2]} [${dirs[2]}]: przeniesiona i wpisana do rejestru 2024"
left="$(grep -c '^N$' "$work/answers")"
[ "$left" -gt 0 ] && [ ! -s "$new2024/${dirs[2]}/DANE_PR8.REK" ] || fail "$left persons asked about; some carried"
expect_summary 1 0 "$left"
expect_2023_untouched

# Run 3: N keeps every global file; no firm is left to convert.
printf 'zmienione' >"$new2024/#BIN024/KOLORY.QZ"
start_converter
to_start_page
tick_global_data
tm send-keys F5
wait_for "Z(n)/W(a)"
tm send-keys N
answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024"
screen | grep -qF "są już przeniesione do 2024 - nie ma czego konwertować" ||
  fail "the last screen does not say that every firm was converted already"
finish_run
[ "$(cat "$new2024/#BIN024/KOLORY.QZ")" = "zmienione" ] || fail "KOLORY.QZ overwritten"
# Report lines are whole, however far past the screen's edge they run.
expect_reported "Odnaleziono katalog docelowy $new2024/${dirs[1]} dla firmy ${names[1]}"
expect_reported "Wszystkie firmy (6) są już przeniesione do 2024 - nie ma czego konwertować"
expect_reported "Do sprawdzenia: 1 firm"
grep -qF -- "   - zostawiony plik 2024 $new2024/#BIN024/" <<<"$(last_report)" ||
  fail "the kept global files are not to be checked"
[ -z "${QZ_E2E_KEEP_REPORT:-}" ] || cp "$report" "$QZ_E2E_KEEP_REPORT"
expect_registry 5 4 3 1 2 0
expect_2023_untouched
echo "ok"
