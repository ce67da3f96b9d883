#!/usr/bin/env bash
# A full default conversion of one sample 2023 tree by the Windows build (under Wine)
# and by the Linux build gives the same 2024 tree: the same names, every file byte
# for byte, except that the texts that hold the roots name them in their system's
# form and that text files end their lines as their system does.
#
# The wizard is driven with its defaults: PgDn to page 4, F5 to start, F5 in the
# firm picker (every firm is selected when it opens), Enter at the end. Registered
# only with -DQZ_E2E_CONVERSION=ON. Needs the Linux build (QZ_LINUX_BUILD_DIR, by
# default build/ beside build-windows/).
set -euo pipefail
command -v tmux >/dev/null || { echo "tmux is missing: skipped"; exit 77; }
command -v wine >/dev/null || { echo "wine is missing: skipped"; exit 77; }
windows_build="${QZ_BUILD_DIR:?}"
linux_build="${QZ_LINUX_BUILD_DIR:-$windows_build/../build}"
for program in "$windows_build/qz23-24.exe" "$linux_build/qz23-24" "$linux_build/qz-sample"; do
  [ -x "$program" ] || { echo "not built: $program (the Linux build comes from the default preset)"; exit 1; }
done

export LC_ALL=C.UTF-8
work="$(mktemp -d)"
server="qz-e2e-compare-$$"
tm() { tmux -u -L "$server" -f /dev/null "$@"; }
trap 'tm kill-server 2>/dev/null || true; rm -rf "$work"' EXIT

screen() { tm capture-pane -p; }
wait_for() {
  for _ in $(seq 600); do
    screen | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  echo "the screen never showed: $1"
  screen
  exit 1
}

# One sample tree, copied for each system; the converter's copy sits beside its
# path file, which names the two roots in the system's own form.
"$linux_build/qz-sample" --profile quiet --firms 4 "$work/sample/KPR_2023" >/dev/null
for side in linux windows; do
  mkdir -p "$work/$side/KPR_2024"
  cp -a "$work/sample/KPR_2023" "$work/$side/"
done
cp "$linux_build/qz23-24" "$work/linux/"
cp "$windows_build/qz23-24.exe" "$work/windows/"
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
printf '[PATHS]\r\nKPR_2023=%s\r\nKPR_2024=%s\r\n' "$work/linux/KPR_2023" "$work/linux/KPR_2024" \
  >"$work/linux/qz23-24.PTH"
printf '[PATHS]\r\nKPR_2023=%s\r\nKPR_2024=%s\r\n' "$(windows_path "$work/windows/KPR_2023")" \
  "$(windows_path "$work/windows/KPR_2024")" >"$work/windows/qz23-24.PTH"

convert() {
  tm new-session -d -x 80 -y 25 "TERM=xterm-256color $1; echo \"EXIT=\$?\"; sleep 60"
  wait_for " Lokalizacja "
  tm send-keys PageDown
  wait_for " Dane globalne, konfiguracyjne "
  tm send-keys PageDown
  wait_for " Dane firmowe "
  tm send-keys PageDown
  wait_for " START KOPIOWANIA "
  tm send-keys F5
  wait_for " BAZA FIRM "
  tm send-keys F5
  wait_for "Nacisnij Enter"
  tm send-keys Enter
  wait_for "EXIT=0"
  tm kill-session
}
convert "'$work/linux/qz23-24'"
convert "'$windows_build/wine-run' '$work/windows/qz23-24.exe'"

# The same names in both trees.
names() { (cd "$1" && find . -print | LC_ALL=C sort); }
if ! diff <(names "$work/linux/KPR_2024") <(names "$work/windows/KPR_2024"); then
  echo "the two 2024 trees hold different names"
  exit 1
fi
# Each file the same, or the same once the roots are masked and the line ends made one.
literal() { printf '%s' "$1" | sed 's/[][\\/.*^$|]/\\&/g'; }
# On a line that names a root, the rest of the path is read with "/" for "\".
masked() {
  sed -e 's/\r$//' -e "s|$(literal "$2")|<KPR_2024>|g" -e "s|$(literal "$3")|<KPR_2023>|g" \
    -e '/<KPR_202[34]>/ s|\\|/|g' "$1"
}
linux_2024="$work/linux/KPR_2024" linux_2023="$work/linux/KPR_2023"
windows_2024="$(windows_path "$work/windows/KPR_2024")" windows_2023="$(windows_path "$work/windows/KPR_2023")"
same=0 texts=0
while IFS= read -r file; do
  a="$work/linux/KPR_2024/$file" b="$work/windows/KPR_2024/$file"
  if cmp -s "$a" "$b"; then
    same=$((same + 1))
  elif cmp -s <(masked "$a" "$linux_2024" "$linux_2023") <(masked "$b" "$windows_2024" "$windows_2023"); then
    texts=$((texts + 1))
    echo "differs only in roots and line ends: $file"
  else
    echo "differs: $file"
    cmp "$a" "$b" || true
    exit 1
  fi
done < <(cd "$work/linux/KPR_2024" && find . -type f | LC_ALL=C sort)
echo "ok: $same files byte for byte, $texts texts with roots or line ends of their system"
