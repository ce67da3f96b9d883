# A shared drive for the end-to-end scripts and the bench: one GlusterFS volume with
# one brick and two FUSE mounts of it, each mount standing for one workstation.
# Source it first in a script, with the script's arguments. The first time (outside) it checks what the drive
# needs, makes a network namespace of its own with the address 10.77.0.1/32 on its
# loopback interface (the servers refuse 127.0.0.1 for a brick), runs the same script
# again inside the namespace and, whatever that run did, ends every process left in
# the namespace, deletes it and removes the drive's files. So nothing started here
# talks to the network outside the namespace, and nothing stays running or mounted.
# The second time (inside) it starts the management server, the volume and both
# mounts and sets $share_a and $share_b to the two mounts' folders, and $share_server
# to the brick, where the files are as the server holds them (a reader on a mount
# that takes no lock may see its cache for a second or so); the set-up time is
# printed. Where the drive cannot be had (not root, no FUSE, a package missing,
# no namespace, a mount refused) the script says why and exits with 77 (skipped).
shared_address=10.77.0.1
skip_shared() { echo "shared drive: $1: skipped"; exit 77; }

if [ -z "${QZ_SHARED_INSIDE:-}" ]; then
  [ "$(id -u)" -eq 0 ] || skip_shared "a network namespace and FUSE mounts need root"
  [ -c /dev/fuse ] || skip_shared "no FUSE (/dev/fuse)"
  for tool in ip glusterd gluster glusterfs; do
    command -v "$tool" >/dev/null || skip_shared "$tool is missing (tools/install-deps installs it)"
  done
  shared_ns="qz-share-$$"
  shared_work="$(mktemp -d "${TMPDIR:-/tmp}/qz-share.XXXXXX")"
  # The brick's log and socket go where the server puts them: the log named after the
  # brick, the socket as the brick process's command line names it.
  shared_brick_log="/var/log/glusterfs/bricks/$(tr / - <<<"${shared_work#/}")-brick.log"
  shared_down() {
    local pids pid i sockets=()
    for pid in $(ip netns pids "$shared_ns" 2>/dev/null || true); do
      mapfile -d '' -t words <"/proc/$pid/cmdline" 2>/dev/null || continue
      for ((i = 1; i < ${#words[@]}; i++)); do [ "${words[i - 1]}" != -S ] || sockets+=("${words[i]}"); done
    done
    for ((i = 0; i < 100; i++)); do
      pids="$(ip netns pids "$shared_ns" 2>/dev/null || true)"
      [ -n "$pids" ] || break
      # shellcheck disable=SC2086
      kill $pids 2>/dev/null || true
      sleep 0.1
    done
    [ -z "$pids" ] || echo "shared drive: processes left in the namespace: $pids"
    ip netns del "$shared_ns" 2>/dev/null || true
    rm -rf "$shared_work" "$shared_brick_log" "${sockets[@]}"
  }
  trap shared_down EXIT
  ip netns add "$shared_ns" 2>/dev/null || skip_shared "no network namespace can be made"
  ip -n "$shared_ns" addr add "$shared_address/32" dev lo && ip -n "$shared_ns" link set lo up ||
    skip_shared "the namespace's loopback interface cannot be set up"
  status=0
  QZ_SHARED_INSIDE="$shared_work" ip netns exec "$shared_ns" bash "$0" "$@" || status=$?
  if [ "$status" -ne 0 ] && [ "$status" -ne 77 ]; then
    # A failure the file system may have caused: what its clients and its brick
    # logged as errors.
    echo "shared drive: the errors its logs hold:"
    grep -ah '\] E \[' "$shared_work"/log/*.log "$shared_brick_log" 2>/dev/null | tail -n 20 || true
  fi
  exit "$status"
fi

shared_work="$QZ_SHARED_INSIDE"
share_a="$shared_work/station-a" share_b="$shared_work/station-b" share_server="$shared_work/brick"
mkdir -p "$shared_work/glusterd" "$shared_work/run" "$shared_work/log" "$shared_work/brick" "$share_a" "$share_b"
cat >"$shared_work/glusterd.vol" <<EOF
volume management
    type mgmt/glusterd
    option working-directory $shared_work/glusterd
    option run-directory $shared_work/run
    option glusterd-sockfile $shared_work/run/glusterd.socket
    option transport-type socket
    option ping-timeout 0
    option event-threads 1
end-volume
EOF
gluster_cli() {
  gluster --glusterd-sock="$shared_work/run/glusterd.socket" --mode=script --log-file="$shared_work/log/cli.log" "$@"
}
# Mounts the volume at folder $1; a mount the kernel refuses ends the script as skipped.
mount_share() {
  mount -t glusterfs -o "log-file=$shared_work/log/${1##*/}.log" "$shared_address:/qz" "$1" 2>>"$shared_work/log/mount" ||
    skip_shared "the volume cannot be mounted: $(tail -n 1 "$shared_work/log/mount")"
}
shared_started=$(date +%s%N)
glusterd --volfile="$shared_work/glusterd.vol" -p "$shared_work/run/glusterd.pid" \
  -l "$shared_work/log/glusterd.log" --log-level=WARNING || skip_shared "the management server does not start"
for ((i = 0; i < 100; i++)); do gluster_cli volume list >/dev/null 2>&1 && break; sleep 0.1; done
gluster_cli volume create qz "$shared_address:$shared_work/brick" force >/dev/null &&
  gluster_cli volume start qz >/dev/null || skip_shared "the volume cannot be made: $(tail -n 1 "$shared_work/log/cli.log")"
mount_share "$share_a"
mount_share "$share_b"
echo "shared drive: volume and both mounts up in $(( ($(date +%s%N) - shared_started) / 1000000 )) ms"
