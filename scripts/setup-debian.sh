#!/bin/sh
# Installs the Debian 12 packages the build and the tests need, when missing.
set -eu

PACKAGES="build-essential cmake ninja-build pkg-config ccache qt6-base-dev \
libftdi1-dev libgtest-dev libgmock-dev fonts-liberation fontconfig"

missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
