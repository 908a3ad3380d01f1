#!/usr/bin/env bash
# Installs what the tool needs, builds the tool with its Simple MAPI provider and the modules they load,
# and sends the bundled example mail through the provider into the default outbox.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tool
cmake -S . -B build-tool -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTELVORIN_BUILD_TESTS=OFF -DTELVORIN_BUILD_BENCH=OFF >/dev/null
cmake --build build-tool -j"$(nproc)" --target telvorin telvorin_mapi
build-tool/bin/telvorin examples/mail.txt
echo "Outbox: ${XDG_DATA_HOME:-$HOME/.local/share}/telvorin/outbox"
