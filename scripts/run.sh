#!/usr/bin/env bash
# Runs the demo from the repository root so that ./vexel.log and shaders/
# resolve there.
set -euo pipefail
binary=$(realpath "$1")
cd "$(dirname "$0")/.."
exec "$binary"
