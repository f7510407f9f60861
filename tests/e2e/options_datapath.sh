#!/bin/bash
# "-WAITFORDATAPATH": the program waits while its data folder cannot be created and starts as
# soon as it can; the folder is seeded from the install folder's "Init" tree without replacing.
source "$(dirname "$0")/../options_driver/options_e2e.sh"
opt_setup options_datapath
mkdir -p "$OPT_DIR/install/Init/sub"
echo seeded >"$OPT_DIR/install/Init/Seed.lcf"
echo nested >"$OPT_DIR/install/Init/sub/Nested.lcf"
echo kept >"$OPT_DIR/install/Init/Kept.lcf"

# The data folder lies below a file, so it cannot be created until that file is gone.
touch "$OPT_DIR/blocker"
OPT_DATA=$OPT_DIR/blocker/data
OPT_OPTIONS=$OPT_DATA/Options.lcf
opt_write_record 1326
opt_start -WAITFORDATAPATH
sleep 3
drive expect-count 1001 0
# The folder appears at once, holding a file of the user's that seeding must not replace.
mkdir -p "$OPT_DIR/staging/data/sub"
echo mine >"$OPT_DIR/staging/data/Kept.lcf"
rm "$OPT_DIR/blocker"
mv "$OPT_DIR/staging" "$OPT_DIR/blocker"
drive find 1001 20000
expect "options written once the folder exists" "$(opt_size "$OPT_OPTIONS")" 2516
expect "Init file seeded" "$(cat "$OPT_DATA/Seed.lcf")" seeded
expect "Init sub-folder seeded" "$(cat "$OPT_DATA/sub/Nested.lcf" 2>/dev/null)" nested
expect "existing file not replaced" "$(cat "$OPT_DATA/Kept.lcf")" mine
drive find 1001 5000 click 2
opt_wait
expect "exit code" "$OPT_EXIT" 0
opt_finish
