#!/usr/bin/env bash
# Processor time of a program waiting for input in an 80x25 tmux window, as a share
# of the wall time. Target: under 1 %.
#   demo       the toolkit demo (its clock ticking)
#   converter  the converter on the first page of its wizard (a one-firm tree)
# Usage: bench/idle_cpu.sh [--seconds N] [--no-verdict] [demo|converter]
# The build directory is QZ_BUILD_DIR (default build). Exit code 1 when the target
# is missed, 77 when tmux is missing.
set -euo pipefail
build="${QZ_BUILD_DIR:-build}"
seconds=10 verdict=1 which=demo
while (($#)); do
  case "$1" in
    --seconds) seconds="$2"; shift 2 ;;
    --no-verdict) verdict=""; shift ;;
    demo | converter) which="$1"; shift ;;
    *) echo "unknown option: $1"; exit 2 ;;
  esac
done
command -v tmux >/dev/null || { echo "tmux is needed"; exit 77; }

export LC_ALL=C.UTF-8
server="qz-bench-$$"
work="$(mktemp -d "${TMPDIR:-/tmp}/qz-idle.XXXXXX")"
tm() { tmux -u -L "$server" -f /dev/null "$@"; }
trap 'tm kill-server 2>/dev/null || true; rm -rf "$work"' EXIT

case "$which" in
  demo)
    command="$build/tools/qz-tui-demo"
    ready="" ;;
  converter)
    command="$work/qz23-24 $work/KPR_2024"
    ready="Lokalizacja"
    "$build/qz-sample" --firms 1 --profile quiet "$work/KPR_2023" >/dev/null
    mkdir "$work/KPR_2024"
    cp "$build/qz23-24" "$work/"
    printf '[PATHS]\r\nKPR_2023=%s\r\nKPR_2024=%s\r\n' "$work/KPR_2023" "$work/KPR_2024" >"$work/qz23-24.PTH" ;;
esac
[ -x "${command%% *}" ] || { echo "not built: ${command%% *}"; exit 2; }

tm new-session -d -x 80 -y 25 "TERM=xterm-256color exec $command"
pid="$(tm display-message -p '#{pane_pid}')"
for ((i = 0; i < 100; i++)); do
  tm capture-pane -p | grep -qF -- "$ready" && break
  sleep 0.1
done
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

start_cpu="$(cpu_ns)"
start_ns="$(date +%s%N)"
sleep "$seconds"
end_cpu="$(cpu_ns)"
end_ns="$(date +%s%N)"

awk -v cpu_ns="$((end_cpu - start_cpu))" -v ns="$((end_ns - start_ns))" -v what="$which" -v verdict="$verdict" 'BEGIN {
  cpu = cpu_ns / 1e9; wall = ns / 1e9; share = 100 * cpu / wall
  printf "idle %s: %.3f s on the processor in %.2f s = %.2f %%", what, cpu, wall, share
  if (!verdict) { printf "\n"; exit 0 }
  printf "  [%s: under 1 %%]\n", share < 1 ? "met" : "MISSED"
  exit share < 1 ? 0 : 1
}'
