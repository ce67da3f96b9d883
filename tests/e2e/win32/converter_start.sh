#!/usr/bin/env bash
# The converter's start in a Windows console under Wine: the same checks as on a
# terminal (the help screen, the title, the banner, the end of run).
set -euo pipefail
command -v wine >/dev/null || { echo "wine is missing: skipped"; exit 77; }
QZ_PROGRAM="${QZ_BUILD_DIR:?}/qz23-24.exe" QZ_RUNNER="${QZ_BUILD_DIR}/wine-run" \
  exec bash "$(dirname "$0")/../converter_start.sh"
