#!/usr/bin/env bash
# Sets up everything needed and starts the game.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$root/scripts/setup.sh"
cd "$root/build"
exec ./thalryn
