#!/usr/bin/env bash
# Installs what is missing, builds, and starts MARVO, optionally on the given file.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
args=()
for a in "$@"; do
  # Resolve file names against the caller's directory before we change into the source tree.
  if [ -e "$a" ]; then args+=("$(realpath "$a")"); else args+=("$a"); fi
done
cd "$here"
scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target marvo
exec build/bin/marvo "${args[@]}"
