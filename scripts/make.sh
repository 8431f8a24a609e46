#!/usr/bin/env bash
# Entry point for a fresh Debian 12 machine: installs the packages the build
# needs (make included), then runs `make` with the given targets.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
exec make "$@"
