#!/usr/bin/env bash
# Builds every Quillo deliverable for both architectures and leaves the shipped files in dist/.
# On a fresh Debian 12 machine it first installs what is missing (tools/install-deps.sh).
#   ./build.sh            install, build, package into dist/, then show the product at work
#   ./build.sh --no-demo  install, build, package only (what the test command uses)
set -euo pipefail
cd "$(dirname "$0")"

demo=1
[ "${1:-}" = "--no-demo" ] && demo=0

tools/install-deps.sh
jobs=$(nproc)
for preset in host win32 win64; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build "build/$preset" -j"$jobs"
done
tools/make-dist.sh

if [ "$demo" = 1 ] && [ -x tests/e2e/demo.sh ]; then
  tests/e2e/demo.sh
fi
