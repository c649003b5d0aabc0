#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test,
# the inventory server of the fleet tests (scripts/setup-ocs.sh), then the
# i486 runtime of the shipped programs (scripts/toolchain-i486.sh,
# built once and kept outside the work tree).
# Idempotent: packages already present are left alone.
#
# A package mirror can be caught mid-sync: an index that fails to download
# is retried and then tolerated, a set whose architectures' versions do not
# match (an amd64 package from the security suite, its i386 twin not yet
# listed) is installed from the release suite, and if 32-bit Wine still
# cannot be installed the rest goes on without it (the Wine tests then run
# the x86-64 build and say so).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-i686 gcc-mingw-w64-i686 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 gcc-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 fonts-wine
  xvfb xdotool x11-utils x11-apps imagemagick
  libx11-dev libxt-dev libxaw7-dev libxmu-dev libxext-dev
  libxml2-utils python3 iproute2 hostname
  fonts-wqy-microhei fonts-dejavu-core xfonts-base xfonts-75dpi xfonts-100dpi
  zenity man-db groff-base
  # What the i486 runtime is built from and with.
  gcc-12-source dpkg-dev libgmp-dev libmpfr-dev libmpc-dev libisl-dev
  flex bison texinfo m4 xz-utils
)
optional_32bit=(wine32:i386)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

# Source entries, for the MinGW-w64 runtime sources of the i486 build.
add_source_entries() {
  local list=/etc/apt/sources.list.d/sysinspect-sources.sources
  [ -e "$list" ] && return 0
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  $SUDO tee "$list" >/dev/null <<EOF
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $codename
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
}

# shellcheck source=apt-retry.sh
source "$root/scripts/apt-retry.sh"
APT_SAY="echo setup:"

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
if ! installed dpkg-dev || ! grep -rqs '^Types: deb-src' /etc/apt/sources.list.d/ /etc/apt/sources.list; then
  need_sources=1
else
  need_sources=0
fi

if [ "${#missing[@]}" -gt 0 ] || [ "$need_sources" = 1 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  add_source_entries
  apt_update
  if [ "${#missing[@]}" -gt 0 ] && ! apt_install "${missing[@]}"; then
    rest=()
    for p in "${missing[@]}"; do
      [[ " ${optional_32bit[*]} " == *" $p "* ]] || rest+=("$p")
    done
    echo "setup: installing without ${optional_32bit[*]}" >&2
    apt_install "${rest[@]}"
    for p in "${optional_32bit[@]}"; do
      apt_install "$p" || echo "setup: $p cannot be installed here; the Wine tests and scripts/run.sh will run the x86-64 build" >&2
    done
  fi
fi

# MinGW's default thread model on Debian is win32 for the plain compiler names;
# select it explicitly so a posix default never sneaks winpthread in.
for tool in i686-w64-mingw32-g++ i686-w64-mingw32-gcc x86_64-w64-mingw32-g++ x86_64-w64-mingw32-gcc; do
  if [ -e "/usr/bin/$tool-win32" ]; then
    $SUDO update-alternatives --set "$tool" "/usr/bin/$tool-win32" >/dev/null 2>&1 || true
  fi
done

# The inventory server the fleet tests deliver to (private instances only).
bash "$root/scripts/setup-ocs.sh"

bash "$root/scripts/toolchain-i486.sh"
