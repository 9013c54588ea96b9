#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the benchmarks need.
# Idempotent and non-interactive; run as root (or through sudo).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang clang-format lld
  libclang-rt-14-dev
  libwebp-dev webp
  libspdlog-dev libfmt-dev
  libboost-url1.81-dev libboost-filesystem1.81-dev libboost-system1.81-dev
  libcurl4-openssl-dev ca-certificates openssl
  libpng-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  python3 file binutils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
echo "install-deps: installed ${missing[*]}"
