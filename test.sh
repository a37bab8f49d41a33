#!/usr/bin/env bash
# Sets up everything needed and runs every test.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$root/scripts/setup.sh"
cd "$root/build"
ctest --output-on-failure -j 2
