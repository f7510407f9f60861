#!/usr/bin/env bash
# The product at work, run by ./build.sh after a build: the extension opened in the Explorer
# stand-in on a sample folder tree under a virtual display, walked three levels deep by
# keyboard, then by mouse with both DLLs. Screenshots go to build/demo/ (demo-keys32.png,
# demo-mouse64.png, ...), the stand-in's output and the extension's trace beside them.
export QUILLO_ARTIFACTS=$(cd "$(dirname "$0")/../.." && pwd)/build/demo
source "$(dirname "$0")/../explorer_host/standalone.sh"
sample=$QUILLO_ARTIFACTS/sample
mkdir -p "$sample/install" "$sample/data"
for folder in "Projects/Quillo/src/menu" "Projects/Quillo/docs" "Projects/Website" "Photos/2026" \
              "Music" "Documents/Letters"; do
  mkdir -p "$sample/Home/$folder"
done
for file in Projects/Quillo/README.txt Projects/Quillo/src/main.cpp Projects/Quillo/src/menu/level.cpp \
            Projects/Quillo/src/menu/window.cpp Projects/Quillo/docs/manual.html Projects/notes.txt \
            Photos/2026/beach.jpg Documents/Letters/thanks.txt Documents/budget.csv todo.txt; do
  echo "$file" >"$sample/Home/$file"
done
host_setup_info "$(e2e_winpath "$sample/install")" "$(e2e_winpath "$sample/data")"
host_options "$sample/data/Options.lcf" menuPosition=2
home=$(e2e_winpath "$sample/Home")
rc=0
for bits in 32 64; do
  host_register $bits || { echo "demo: Quillo$bits could not be registered"; rc=1; continue; }
  host_show $bits "demo-keys$bits" \
    "down;right;wait:500;shot:demo-keys$bits-1;down;down;right;wait:500;right;wait:500;shot:demo-keys$bits-2;down;right;wait:500;right;wait:600;shot:demo-keys$bits-3;escape;escape;escape;escape;escape" \
    --context "$home"
  host_show $bits "demo-mouse$bits" \
    "point:0,2;wait:300;point:0,0;wait:900;point:1,3;wait:900;point:2,0;wait:900;point:3,0;wait:900;shot:demo-mouse$bits;escape;escape;escape;escape;escape" \
    --context "$home"
done
standalone_end
shots=$(ls "$QUILLO_ARTIFACTS"/*.png 2>/dev/null | wc -l)
echo "demo: $shots screenshots of the menus walked through $sample/Home in $QUILLO_ARTIFACTS"
[ "$shots" -gt 0 ] && exit $rc
exit 1
