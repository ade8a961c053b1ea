#!/usr/bin/env bash
# Installs the Debian packages MARVO needs to build, test and run, if any are missing.
# As root it installs them; otherwise through sudo when that works without a password prompt
# failing; otherwise it prints the exact apt-get line and stops.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n fonts-ipafont-gothic unifont
  libgtest-dev libgmock-dev libbenchmark-dev
  dpkg-dev file  # the Debian package: dpkg-shlibdeps works out its library dependencies
)
if [ "${MARVO_WITH_FUZZ:-0}" = 1 ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  runner=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  runner=(sudo)
else
  echo "These packages are missing. Install them, then run this command again:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${runner[@]}" apt-get update -qq
"${runner[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
