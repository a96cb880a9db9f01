#!/usr/bin/env bash
# Sets everything up (see setup.sh) and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Glyphwright is a desktop program: start it from a graphical session (DISPLAY is not set)." >&2
  exit 1
fi
exec build/app/glyphwright "$@"
