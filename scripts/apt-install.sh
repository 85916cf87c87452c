#!/usr/bin/env bash
# Installs those of the named Debian packages that are not installed yet, through apt-get (as
# root, or with sudo); with all of them there it does nothing. A dpkg lock held by another
# apt-get is waited for (up to five minutes).
#   apt-install.sh PACKAGE...
set -euo pipefail
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "$@" 2>/dev/null |
  awk '/ install ok installed$/ {print $1}' || true)
missing=()
for p in "$@"; do
  grep -qxF "$p" <<<"$installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
apt=(apt-get -o DPkg::Lock::Timeout=300)
"${sudo[@]}" "${apt[@]}" update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" "${apt[@]}" install -y -qq --no-install-recommends \
  "${missing[@]}"
