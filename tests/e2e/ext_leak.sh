# No leak per right-click: 1,000 Initialize/QueryContextMenu rounds through the Explorer
# stand-in, with each DLL, must leave the process's GDI objects and the extension's submenus as
# they were after the first round, and its private memory flat.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
source "$QUILLO_ROOT/tests/explorer_host/host_lib.sh"

host_installation

field() { sed -n "s/^leak phase=$2 .*$3=\([0-9-]*\).*/\1/p" <<<"$1"; }

for bits in 32 64; do
  e2e_check "register Quillo$bits" host_register $bits
  for mode in context drag; do
    if [ $mode = context ]; then args=(--context "$files\\a.txt"); else args=(--drag "$files" "$files\\a.txt"); fi
    output=$(host_run $bits --rounds 1000 "${args[@]}")
    echo "$output" | tee "$QUILLO_ARTIFACTS/leak_${mode}_$bits.txt"
    grep -q '^leak calibration created=1 counted=1 released=1' <<<"$output" ||
      e2e_fail "Quillo$bits $mode: the GDI count does not see objects come and go"
    calibration_growth=$(sed -n 's/^leak calibration .*private_growth=\([0-9]*\)/\1/p' <<<"$output")
    [ "${calibration_growth:-0}" -ge 65536 ] ||
      e2e_fail "Quillo$bits $mode: the private bytes do not show 256 KB of heap blocks"
    grep -q '^leak rounds=1000 submenus_seen=' <<<"$output" || e2e_fail "Quillo$bits $mode: rounds did not finish"
    warm_gdi=$(field "$output" warm gdi) after_gdi=$(field "$output" after gdi)
    warm_bytes=$(field "$output" warm private_bytes) after_bytes=$(field "$output" after private_bytes)
    [ "$(field "$output" after menus_alive)" = 0 ] || e2e_fail "Quillo$bits $mode: submenus left alive"
    [ "$warm_gdi" = "$after_gdi" ] || e2e_fail "Quillo$bits $mode: GDI objects $warm_gdi after one round, $after_gdi after 1000"
    growth=$((after_bytes - warm_bytes))
    # 1000 rounds of a leak as small as one ID list (about 100 bytes) would show as 100 KB.
    [ "$growth" -lt 65536 ] || e2e_fail "Quillo$bits $mode: private bytes grew by $growth"
    echo "ok: Quillo$bits $mode: GDI $warm_gdi -> $after_gdi, private bytes $warm_bytes -> $after_bytes"
  done
done
