# The shipped binaries: static runtimes, exports, version resources and manifests.
source "$QUILLO_ROOT/tests/e2e/lib.sh"
cd "$QUILLO_DIST"

for f in Quillo32.dll Quillo64.dll Quillo.exe Setup.exe CheckFolderAccess.exe; do
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
e2e_check "Setup.exe asks for administrator rights" grep -q 'level="requireAdministrator"' <(manifest Setup.exe)
e2e_check "Setup.exe uses common controls 6" grep -q 'Microsoft.Windows.Common-Controls" version="6' <(manifest Setup.exe)
e2e_check "Quillo.exe uses common controls 6" grep -q 'Microsoft.Windows.Common-Controls" version="6' <(manifest Quillo.exe)

# The payload: header after the program, the seven files in the shipped order, each byte for
# byte, then the trailer.
python3 - <<'PY' || e2e_fail "the payload of Setup.exe is not as shipped"
import struct
data = open("Setup.exe", "rb").read()
start = data.rfind(b"<Setup Data Header>") + 19
assert start > 19, "no payload header"
order = ["Uninstall.lis", "Quillo.chm", "Setup.lis", "Quillo.exe", "Quillo32.dll", "Quillo64.dll",
         "CheckFolderAccess.exe"]
at = start
for name in order:
    end = data.index(b"\0", at)
    assert data[at:end].decode() == name, (data[at:end], name)
    size = struct.unpack_from("<I", data, end + 1)[0]
    body = data[end + 5:end + 5 + size]
    assert body == open(name, "rb").read(), name
    at = end + 5 + size
assert data[at:] == b"<Setup Data End>", "trailer"
# The program part itself holds no whole header text: a Setup.exe without payload finds none.
assert data[:start - 19].find(b"<Setup Data Header>") < 0, "header text inside the program"
print("ok: payload holds the seven files in order, then the trailer")
PY
