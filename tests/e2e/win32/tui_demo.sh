#!/usr/bin/env bash
# The toolkit in a Windows console under Wine: the demo's window and the keys that
# arrive through the console's input records. Wine tells no lock keys, so the shift
# state of a plain key is 00.
set -euo pipefail
command -v wine >/dev/null || { echo "wine is missing: skipped"; exit 77; }
QZ_PROGRAM="${QZ_BUILD_DIR:?}/tools/qz-tui-demo.exe" QZ_RUNNER="${QZ_BUILD_DIR}/wine-run" QZ_LOCKS=00 \
  exec bash "$(dirname "$0")/../tui_demo.sh"
