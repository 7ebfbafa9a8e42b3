#!/usr/bin/env bash
# The release command: set-up, the cross build, and the release in build/release/: the
# installer brimblo-VERSION-setup.exe and the archive brimblo-VERSION.zip.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/setup.sh"
bash "$root/tools/build.sh" --win32-only
echo "release: in build/release/:"
ls -l "$root/build/release"
