# Sourced: hq_apt_install PACKAGE... installs those of the packages that are
# missing, as root or through sudo, and says which. The package lists are
# updated once per script run; a mirror caught mid-sync fails one index for a
# while, so the update is tried three times and then the install goes on with
# the lists that did arrive (the install itself decides).
hq_sudo() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
hq_apt_updated=0
hq_apt_update() {
  local try
  for try in 1 2 3; do
    hq_sudo apt-get update -q && break
    echo "apt: the package lists did not all update (try $try of 3)" >&2
    [ "$try" = 3 ] || sleep 20
  done
  hq_apt_updated=1
}
hq_apt_missing() { # package... -> prints the missing ones
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}
hq_apt_install() { # package...
  local missing
  missing=$(hq_apt_missing "$@")
  [ -n "$missing" ] || return 0
  echo "setup: installing" $missing
  [ "$hq_apt_updated" = 1 ] || hq_apt_update
  # shellcheck disable=SC2086
  hq_sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $missing
}
