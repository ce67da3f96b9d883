#!/usr/bin/env bash
# Two converters on the same trees at once, as on two workstations. The first stops
# after its first firm, still holding that firm's in-progress mark, while the second
# starts: the second's detection leaves that firm alone. Then both go on together and
# race for the other firms, the second passing over each firm the first has taken
# without waiting for a key. Every firm is converted once and registered once, and
# the 2024 tree equals that of one run. How the two shared the firms is printed.
set -euo pipefail
server_name=qz-e2e-two
source "$(dirname "$0")/lib/tmux.sh"
source "$(dirname "$0")/lib/converter.sh"

make_trees --seed 23 --firms 12 --persons 2 --entries-per-month 2 --profile quiet
write_path_file
mapfile -t dirs < <(registry_directories "$old2023/SPISFIRM.DAT")

# One run, for the tree to compare with.
start_converter
to_start_page
tm send-keys F5
answer_until "BAZA FIRM"
tm send-keys F5
answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024"
finish_run
one_run="$(data_digest "$new2024")"
rm -rf "$new2024" && mkdir "$new2024"

# The second converter's window is on a tmux server of its own.
first="$server" second="$server-b"
trap 'tm kill-server 2>/dev/null || true; server="$second" tm kill-server 2>/dev/null || true; rm -rf "$scratch"' EXIT
on() { local server="$1"; shift; "$@"; }
# The first stops after the global copy and after each firm.
to_first_firm_stop

on "$second" start_converter
on "$second" to_start_page
on "$second" tm send-keys F5
on "$second" wait_for "BAZA FIRM"
on "$second" wait_for "jest właśnie konwertowana na innym"

# Both on together, each answering its own questions.
on "$second" tm send-keys F5
on "$second" answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024" &
racer=$!
tm send-keys Enter
stops=1 answer_until "Koniec pracy kopiera danych KPR_QZ na rok 2024"
wait "$racer"
on "$second" finish_run
finish_run

expect_tree_of_one_run "$one_run" "one run"
echo "firms registered by each run: $(grep -a 'Firmy przeniesione i wpisane' "$new2024/qz23-24.LOG" |
  sed 's/.*: //' | paste -sd/ -)"
echo "ok"
