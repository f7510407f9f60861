# Sourced by scripts that drive the stand-in outside the scenario runner (the demo, the
# benchmark) with QUILLO_ARTIFACTS set to their output folder (and QUILLO_BUILD to the build
# folder when it is not build/): the environment of a scenario, an emptied output folder, the
# private prefix, a display and a running Wine server.
# standalone_end stops what was started and puts the prefix's registry back as it was, so that
# the registration and setup information written here do not reach later scenarios.
set -uo pipefail
export QUILLO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$QUILLO_ROOT"
source tools/wine-env.sh
export QUILLO_BUILD=${QUILLO_BUILD:-$QUILLO_ROOT/build}
source tests/e2e/lib.sh
source tests/explorer_host/host_lib.sh

rm -rf "$QUILLO_ARTIFACTS" && mkdir -p "$QUILLO_ARTIFACTS"
quillo_wine_prefix
quillo_wine_stop
standalone_registry=$(mktemp -d)
cp "$WINEPREFIX"/*.reg "$standalone_registry/"
standalone_display=0
if [ -z "${DISPLAY:-}" ]; then quillo_display_start; standalone_display=1; fi
quillo_wine_start

standalone_end() {
  quillo_wine_stop
  cp "$standalone_registry"/*.reg "$WINEPREFIX/"
  rm -rf "$standalone_registry"
  [ "$standalone_display" = 1 ] && quillo_display_stop
  return 0
}
