#!/usr/bin/env bash
# Processor time of the idle toolkit: the demo program waits for input in an 80x25
# tmux window (its clock ticking) for 10 s; its user and system time is measured as
# a share of the wall time. Target: under 1 %.
# Usage: bench/idle_cpu.sh [build directory, default build]
set -euo pipefail
build="${1:-build}"
demo="$build/tools/qz-tui-demo"
[ -x "$demo" ] || { echo "build the demo first: cmake --build --preset default --target qz-tui-demo"; exit 2; }
command -v tmux >/dev/null || { echo "tmux is needed"; exit 2; }

export LC_ALL=C.UTF-8
server="qz-bench-$$"
tm() { tmux -u -L "$server" -f /dev/null "$@"; }
trap 'tm kill-server 2>/dev/null || true' EXIT

tm new-session -d -x 80 -y 25 "TERM=xterm-256color exec '$demo'"
pid="$(tm display-message -p '#{pane_pid}')"
sleep 1  # past start-up

# Time on the processor in nanoseconds: the first field of /proc/PID/schedstat, or
# utime and stime of /proc/PID/stat (clock ticks, coarser) where schedstat is missing.
cpu_ns() {
  if [ -r "/proc/$pid/schedstat" ]; then
    awk '{ print $1 }' "/proc/$pid/schedstat"
  else
    awk -v hz="$(getconf CLK_TCK)" '{ printf "%d\n", ($14 + $15) * 1e9 / hz }' "/proc/$pid/stat"
  fi
}
seconds=10

start_cpu="$(cpu_ns)"
start_ns="$(date +%s%N)"
sleep "$seconds"
end_cpu="$(cpu_ns)"
end_ns="$(date +%s%N)"

awk -v cpu_ns="$((end_cpu - start_cpu))" -v ns="$((end_ns - start_ns))" 'BEGIN {
  cpu = cpu_ns / 1e9; wall = ns / 1e9; share = 100 * cpu / wall
  printf "idle processor time: %.3f s in %.2f s wall = %.2f %% (target under 1 %%)\n", cpu, wall, share
  exit share < 1 ? 0 : 1
}'
