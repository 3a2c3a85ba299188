#!/bin/bash
# First process of the test VM (see scripts/vm/image.sh). The kernel passes
# the words of its command line that it does not know as variables:
#   hqroot  the project folder: the host's is mounted at the same path
#   hqjob   the script to run there; its exit code goes to $hqjob.rc
# Prints everything to the serial console, then powers the machine off.
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8
mount -t proc proc /proc
mount -t sysfs sys /sys 2>/dev/null
mount -t devtmpfs dev /dev 2>/dev/null
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /tmp
mount -t tmpfs tmpfs /run
hostname hq-vm
modprobe 9pnet_virtio && modprobe 9p
mkdir -p "$hqroot"
# cache=loose: Wine maps the programs it loads, which needs the page cache.
if mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000,cache=loose project "$hqroot"; then
  cd "$hqroot"
  bash "$hqjob"
  echo $? > "$hqjob.rc"
  sync
else
  echo "vm: the project folder could not be mounted at $hqroot"
fi
echo o > /proc/sysrq-trigger
sleep 60
