# The shipped binaries: static runtimes, exports, version resources and manifests.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
cd "$QUILLO_DIST"

# Setup.exe is checked as built: its payload does not change imports, resources or manifest.
cp "$QUILLO_BUILD/win32/setup/Setup.exe" "$QUILLO_ARTIFACTS/Setup.exe"
for f in Quillo32.dll Quillo64.dll Quillo.exe "$QUILLO_ARTIFACTS/Setup.exe" CheckFolderAccess.exe; do
  [ -f "$f" ] || e2e_fail "$f is missing from dist/"
  imports=$(objdump -p "$f" | awk '/DLL Name/ {print tolower($3)}')
  echo "$f imports: $(echo $imports)"
  if echo "$imports" | grep -E -q 'libstdc|libgcc|libwinpthread'; then
    e2e_fail "$f imports a MinGW runtime DLL"
  fi
  version=$(wrestool -x --raw -t 16 "$f" | tr -d '\0' | grep -a -o 'FileVersion5\.3\.3' || true)
  [ -n "$version" ] || e2e_fail "$f has no version resource with file version 5.3.3"
done

exports() { objdump -p "$1" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p'; }
e2e_check "Quillo32.dll exports InitOptions undecorated" grep -q -w 'InitOptions$' <(exports Quillo32.dll)
e2e_check "Quillo32.dll exports DllGetClassObject" grep -q -w 'DllGetClassObject' <(exports Quillo32.dll)
if exports Quillo64.dll | grep -q InitOptions; then e2e_fail "Quillo64.dll exports InitOptions"; fi
echo "ok: Quillo64.dll does not export InitOptions"

manifest() { wrestool -x --raw -t 24 "$1" 2>/dev/null; }
e2e_check "Setup.exe asks for administrator rights" grep -q 'level="requireAdministrator"' <(manifest "$QUILLO_ARTIFACTS/Setup.exe")
e2e_check "Setup.exe uses common controls 6" grep -q 'Microsoft.Windows.Common-Controls" version="6' <(manifest "$QUILLO_ARTIFACTS/Setup.exe")
e2e_check "Quillo.exe uses common controls 6" grep -q 'Microsoft.Windows.Common-Controls" version="6' <(manifest Quillo.exe)
