# Helpers for end-to-end tests that run a program of the project in a real terminal:
# a tmux pane of 80x25 on a tmux server of the test's own. Sourced by the tests.
#
#   e2e_start COMMAND...    starts the command in the pane
#   e2e_wait_for TEXT       waits until the screen shows TEXT (fails after a deadline)
#   e2e_type TEXT           types TEXT literally
#   e2e_keys KEY...         presses keys by tmux name (Tab, Space, Down, Enter, ...)
#   e2e_expect_rows FIRST LAST < EXPECTED   compares screen rows, trailing blanks removed
#   e2e_wait_exit           waits for the command to end; its exit status in E2E_STATUS
#
# Every failure prints the screen. Waiting is polling against a deadline, so a slow
# machine makes a test slower, never wrong.

E2E_SKIP=77
E2E_DEADLINE_SECONDS=${E2E_DEADLINE_SECONDS:-20}
export LC_ALL=C.UTF-8

e2e_require_tmux() {
    if ! command -v tmux >/dev/null 2>&1; then
        echo "tmux is not installed: test skipped"
        exit "$E2E_SKIP"
    fi
}

# The server's socket lives in the test's own directory and goes with it.
e2e_tmux() { tmux -S "$E2E_DIR/tmux.socket" "$@"; }

e2e_cleanup() {
    e2e_tmux kill-server >/dev/null 2>&1 || true
    rm -rf "$E2E_DIR"
}

e2e_start() {
    E2E_DIR=$(mktemp -d)
    trap e2e_cleanup EXIT
    local command
    printf -v command '%q ' "$@"
    # The pane closes when the command ends; its exit status is left in a file.
    e2e_tmux -f /dev/null new-session -d -x 80 -y 25 -s e2e "$command; echo \$? >'$E2E_DIR/status'"
}

e2e_screen() { e2e_tmux capture-pane -p -t e2e 2>/dev/null; }

e2e_fail() {
    echo "FAILED: $*"
    echo "---- screen ----"
    e2e_screen
    echo "----------------"
    exit 1
}

# Runs the condition (a command) until it holds or the deadline passes.
e2e_poll() {
    local deadline=$((SECONDS + E2E_DEADLINE_SECONDS))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

e2e_screen_has() { e2e_screen | grep -qF -- "$1"; }

e2e_wait_for() { e2e_poll e2e_screen_has "$1" || e2e_fail "the screen did not show: $1"; }

e2e_type() { e2e_tmux send-keys -t e2e -l -- "$1"; }

e2e_keys() { e2e_tmux send-keys -t e2e "$@"; }

e2e_expect_rows() {
    local expected actual
    expected=$(cat)
    actual=$(e2e_screen | sed -n "$1,$2p" | sed 's/ *$//')
    if [ "$actual" != "$expected" ]; then
        diff <(echo "$expected") <(echo "$actual") || true
        e2e_fail "rows $1-$2 differ (< expected, > shown)"
    fi
}

e2e_exited() { [ -s "$E2E_DIR/status" ]; }

e2e_wait_exit() {
    e2e_poll e2e_exited || e2e_fail "the program did not end"
    E2E_STATUS=$(cat "$E2E_DIR/status")
}
