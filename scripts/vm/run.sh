#!/usr/bin/env bash
# Runs one script in the test VM (disk from scripts/vm/image.sh):
#   scripts/vm/run.sh SCRIPT      (SCRIPT: a file inside the project folder)
# The project folder is shared with the VM at the same path, so build trees
# and their absolute paths work there unchanged; SCRIPT runs in it as root.
# Its output comes out on this command's output, and its exit code is this
# command's. The disk is used as a snapshot, so runs leave it unchanged and
# may run side by side (HQ_VM_WRITE_DISK=1 keeps the changes: image.sh only).
# The machine is emulated (no KVM here): expect programs to run several
# times slower than on the host. HQ_VM_TIMEOUT bounds a run (seconds).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
vm="${HQ_VM_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/zeZoreredur-vm}"
source "$root/scripts/limits.sh"
limit=${HQ_VM_TIMEOUT:-$hq_limit_vm_run}
job=$(realpath "${1:?usage: scripts/vm/run.sh SCRIPT}")
case "$job" in "$root"/*) ;; *) echo "vm: $job is not inside $root, which is all the VM sees" >&2; exit 2 ;; esac
case "$root" in *[[:space:]]*) echo "vm: the project path must not contain spaces: $root" >&2; exit 2 ;; esac
rm -f "$job.rc"
disk="file=$vm/disk.img,if=virtio,format=raw,cache=unsafe,file.locking=off"
[ "${HQ_VM_WRITE_DISK:-0}" = 1 ] || disk="$disk,snapshot=on"
# smap=off: the emulated IRET back into 32-bit code trips SMAP, and the guest
# kernel then kills every Wine process on its first signal return.
status=0
timeout --kill-after=10 "$limit" qemu-system-x86_64 \
  -machine q35,accel=tcg -cpu max,smap=off -smp "$(nproc)" -m "${HQ_VM_MEMORY:-6G}" \
  -kernel "$vm/vmlinuz" -initrd "$vm/initrd.img" \
  -append "root=/dev/vda rw console=ttyS0 quiet loglevel=3 init=/init-hq.sh ia32_emulation=on hqroot=$root hqjob=$job" \
  -drive "$disk" \
  -virtfs "local,path=$root,mount_tag=project,security_model=passthrough,id=project" \
  -nic none -vga none -display none -serial stdio -monitor none -no-reboot </dev/null || status=$?
if [ ! -f "$job.rc" ]; then
  echo "vm: $job did not finish (qemu exit $status; HQ_VM_TIMEOUT=$limit s)" >&2
  exit 1
fi
rc=$(cat "$job.rc")
rm -f "$job.rc"
exit "$rc"
