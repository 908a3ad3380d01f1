#!/usr/bin/env bash
# Installs what is missing, builds, and sends the bundled example mail through
# the tool's own Simple MAPI provider into the default outbox.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
build/bin/telvorin examples/mail.txt
echo "Outbox: ${XDG_DATA_HOME:-$HOME/.local/share}/telvorin/outbox"
