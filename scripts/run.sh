#!/usr/bin/env bash
# Installs what is missing, builds and starts QUILDEXAN. Arguments go to the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
"$root/scripts/install-deps.sh"
configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
exec "$root/build/app/quildexan" "$@"
