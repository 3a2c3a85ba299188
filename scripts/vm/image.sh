#!/usr/bin/env bash
# Builds, once, the disk of the test VM that runs the Windows programs where
# this machine's kernel refuses 32-bit x86 programs: Debian 12 (amd64 with
# the i386 architecture) with Wine, Xvfb and CMake, our first process
# (scripts/vm/init.sh) and a ready Wine prefix in /root/wineprefix. Kept in
# the user's cache folder (HQ_VM_DIR, default ~/.cache/zeZoreredur-vm), so
# every clone on the machine shares it; built again when this script,
# init.sh or wine-prefix.sh change.
# Needs root (debootstrap, chroot) and Debian's package servers.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
vm="${HQ_VM_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/zeZoreredur-vm}"
stamp=$(cat "$root/scripts/vm/image.sh" "$root/scripts/vm/init.sh" "$root/scripts/wine-prefix.sh" "$root/scripts/wine-arch.sh" | sha256sum | cut -c1-16)
[ "$(cat "$vm/ready" 2>/dev/null)" = "$stamp" ] && exit 0

source "$root/scripts/apt.sh"
sudo_if_needed() { hq_sudo "$@"; }
hq_apt_install qemu-system-x86 debootstrap e2fsprogs

echo "vm: building the test VM's disk in $vm (a few minutes, once)"
rootfs="$vm/rootfs"
unmount() { for m in proc sys dev; do sudo_if_needed umount "$rootfs/$m" 2>/dev/null || true; done; }
trap unmount EXIT
unmount
sudo_if_needed rm -rf "$vm"
mkdir -p "$vm"
sudo_if_needed debootstrap --variant=minbase --include=linux-image-amd64,systemd-sysv,udev,kmod \
  bookworm "$rootfs" http://deb.debian.org/debian >"$vm/debootstrap.log" 2>&1 ||
  { tail -20 "$vm/debootstrap.log"; exit 1; }
sudo_if_needed mount -t proc proc "$rootfs/proc"
sudo_if_needed mount --bind /sys "$rootfs/sys"
sudo_if_needed mount --bind /dev "$rootfs/dev"
sudo_if_needed cp /etc/resolv.conf "$rootfs/etc/resolv.conf"
# The same Wine and libraries the set-up script installs on a machine that runs Wine itself.
sudo_if_needed chroot "$rootfs" sh -c 'dpkg --add-architecture i386 && apt-get update -q &&
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q wine wine32:i386 \
    libxi6:i386 libxcursor1:i386 libxrandr2:i386 libxinerama1:i386 libxcomposite1:i386 \
    libxrender1:i386 libxfixes3:i386 libxxf86vm1:i386 xvfb xauth fonts-liberation fonts-wine cmake python3 procps locales &&
  apt-get clean &&
  echo "ru_RU.UTF-8 UTF-8" > /etc/locale.gen && locale-gen' >"$vm/packages.log" 2>&1 ||
  { tail -20 "$vm/packages.log"; exit 1; }
unmount
sudo_if_needed install -m 755 "$root/scripts/vm/init.sh" "$rootfs/init-hq.sh"
cp "$rootfs"/boot/vmlinuz-* "$vm/vmlinuz"
cp "$rootfs"/boot/initrd.img-* "$vm/initrd.img"
sudo_if_needed mke2fs -q -t ext4 -d "$rootfs" "$vm/disk.img" 8G
sudo_if_needed rm -rf "$rootfs"

# One boot that writes to the disk: the Wine prefix every later run starts from.
mkdir -p "$root/build/vm-jobs"
job="$root/build/vm-jobs/prefix"
cat >"$job" <<JOB
source scripts/xvfb.sh
start_xvfb
WINEPREFIX=/root/wineprefix scripts/wine-prefix.sh
WINEPREFIX=/root/wineprefix wineserver -k 2>/dev/null || true
kill \$HQ_XVFB_PID
JOB
HQ_VM_WRITE_DISK=1 "$root/scripts/vm/run.sh" "$job" >"$vm/prefix.log" 2>&1 ||
  { tail -20 "$vm/prefix.log"; echo "vm: the Wine prefix could not be made" >&2; exit 1; }
echo "$stamp" >"$vm/ready"
echo "vm: ready"
