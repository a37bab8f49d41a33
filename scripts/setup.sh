#!/usr/bin/env bash
# Installs the Debian packages Thalryn needs (when missing), then configures
# and builds it in ./build. Used by play.sh and test.sh.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

missing=()
while read -r pkg; do
  [[ -z "$pkg" || "$pkg" == \#* ]] && continue
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done < scripts/packages.txt

if ((${#missing[@]})); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "Thalryn needs these Debian packages. Install them as root, then run this again:" >&2
    echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q "${missing[@]}"
fi

werror=OFF
[[ "${CI:-}" == "true" ]] && werror=ON
cmake -S . -B build -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTHALRYN_WERROR=$werror
cmake --build build -j "$(nproc)"
