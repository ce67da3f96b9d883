# Shared by the end-to-end scripts: a private tmux server with one 80x25 window and
# helpers that wait for screen text (never for fixed times) and print the screen when
# a check fails. Source it after setting `server_name`.
#
# The same scripts drive either build: QZ_PROGRAM names the executable under test
# (by default the Linux build's, see program_under_test) and QZ_RUNNER the command
# that runs it (the Windows build's scripts run theirs under Wine); QZ_LOCKS is the
# shift state of the lock keys that the console reports with every key (a terminal
# tells none and Num Lock counts as on: 20).
command -v tmux >/dev/null || { echo "tmux is missing: skipped"; exit 77; }
runner="${QZ_RUNNER:-}"
locks="${QZ_LOCKS:-20}"
# The executable under test: QZ_PROGRAM, or the build's program at the given path.
program_under_test() { printf '%s' "${QZ_PROGRAM:-${QZ_BUILD_DIR:?}/$1}"; }

export LC_ALL=C.UTF-8
server="${server_name:?}-$$"
tm() { tmux -u -L "$server" -f /dev/null "$@"; }
# The Linux build writes its cells here at every pause (see expect_shown_at_pause).
export QZ_PAUSE_SCREEN="${TMPDIR:-/tmp}/$server.pause"
trap 'tm kill-server 2>/dev/null || true; rm -f "$QZ_PAUSE_SCREEN"*' EXIT

screen() { tm capture-pane -p; }
row() { screen | sed -n "${1}p"; }
# Waits until the screen shows the text; a loaded machine may take a while, so the
# limit is generous (QZ_E2E_WAIT seconds, 60 by default).
wait_for() {
  local tries=$(( ${QZ_E2E_WAIT:-60} * 10 ))
  for ((i = 0; i < tries; i++)); do
    screen | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  echo "the screen never showed: $1"
  screen
  exit 1
}
# Waits until the screen no longer shows the text (a box closed by a key).
wait_gone() {
  local tries=$(( ${QZ_E2E_WAIT:-60} * 10 ))
  for ((i = 0; i < tries; i++)); do
    screen | grep -qF -- "$1" || return 0
    sleep 0.1
  done
  echo "the screen still shows: $1"
  screen
  exit 1
}
expect_row() {
  local actual
  actual="$(row "$1")"
  if [ "$actual" != "$2" ]; then
    printf 'row %s is\n[%s]\nexpected\n[%s]\n' "$1" "$actual" "$2"
    screen
    exit 1
  fi
}
# Compares screen rows first..last (trailing blanks removed) with the lines on
# standard input; on a difference shows it (< expected, > shown) and the screen.
expect_rows() {
  local expected actual
  expected="$(cat)"
  actual="$(screen | sed -n "$1,$2p" | sed 's/ *$//')"
  if [ "$actual" != "$expected" ]; then
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") || true
    screen
    exit 1
  fi
}
# The terminal shows what the program's cells hold while it pauses: the cells the
# program wrote at its last pause (QZ_PAUSE_SCREEN) equal the terminal's screen, the
# clock of the first row left out. With $1, only a pause whose cells lack that text
# counts (the moments after a box has closed, say). Where the program writes no
# cells (the Windows build), there is nothing to compare.
expect_shown_at_pause() {
  local paused compared="" shown="" i
  [ -z "$runner" ] || return 0
  for ((i = 0; i < 100; i++)); do
    paused="$(sed '1s/[0-9:]\{8\}$//; 1s/ *$//' "$QZ_PAUSE_SCREEN" 2>/dev/null || true)"
    if [ -n "$paused" ] && { [ -z "${1:-}" ] || ! grep -qF -- "$1" <<<"$paused"; }; then
      compared="$paused"
      shown="$(screen | sed '1s/[0-9:]\{8\}$//; 1s/ *$//')"
      [ "$shown" = "$compared" ] && return 0
    fi
    sleep 0.02
  done
  echo "at a pause the terminal does not show the program's cells (< cells, > terminal):"
  diff <(printf '%s\n' "$compared") <(printf '%s\n' "$shown") || true
  exit 1
}
repeat() { local s="" i; for ((i = 0; i < $2; i++)); do s+="$1"; done; printf %s "$s"; }
# Starts a command in the window; when it ends, its exit code shows as EXIT=n at the
# start of a row (a program killed in raw mode leaves the terminal without carriage
# returns, where the line would start wherever the cursor was and might wrap). A
# session started before ends only after the new one runs: ending the server's last
# session stops the server, and a new session started meanwhile may find it gone.
run() {
  local before
  before="$(tm display -p '#{session_id}' 2>/dev/null || true)"
  tm new-session -d -x 80 -y 25 "TERM=xterm-256color $*; printf '\\rEXIT=%s\\n' \"\$?\"; sleep 600"
  [ -z "$before" ] || tm kill-session -t "$before"
}
