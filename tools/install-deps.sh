#!/bin/sh
# Installs the Debian packages that building, running and testing need, when missing.
set -e
PACKAGES="build-essential cmake ninja-build pkg-config qt6-base-dev libjpeg62-turbo-dev
libpng-dev zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool
x11-utils imagemagick fonts-liberation fontconfig chromium openbox"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $missing
