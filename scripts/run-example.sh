#!/usr/bin/env bash
# Installs what the tool needs, builds the tool with its Simple MAPI provider, the modules they load and the man
# pages into build/ (no tests, no benchmarks: scripts/run-tests.sh adds them there), and sends the bundled example
# mail through the provider into the default outbox.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tool
scripts/build.sh build -DTELVORIN_BUILD_TESTS=OFF -DTELVORIN_BUILD_BENCH=OFF
build/bin/telvorin examples/mail.txt
echo "Outbox: ${XDG_DATA_HOME:-$HOME/.local/share}/telvorin/outbox"
