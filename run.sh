#!/usr/bin/env bash
# Installs what is missing, builds, and starts KORDELA. When no appointment
# database is configured yet, a demo database is prepared first.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
kordela_install_missing
kordela_build
./build/kordela-admin demo
exec ./build/kordela "$@"
