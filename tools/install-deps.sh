#!/usr/bin/env bash
# Installs, from Debian's packages, everything the build, the tests and the program need.
# Does nothing when all of it is already present. Must run as root when something is missing.
set -euo pipefail

packages=(
  build-essential g++ clang lld cmake ninja-build ccache pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libcairo2-dev libpango1.0-dev libgtk-3-dev
  libicu-dev
  fonts-liberation fonts-wqy-zenhei
  xvfb xauth socat
  openbox xdotool xclip x11-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
# clang's fuzzer runtime lives in a versioned package; check it by file.
if ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  missing+=("libclang-rt-dev")
fi

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
