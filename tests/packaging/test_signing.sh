#!/usr/bin/env bash
# Signing proven without the maker's certificate: a throw-away CA, a local openssl ts responder, offline verification.
# Usage: test_signing.sh SOURCE_DIR DIST MSI LINUX_TELVORIN WINE64 WINEPREFIX PYTHON
set -euo pipefail
source_dir=$1 dist=$2 msi=$3 linux_tool=$4 wine=$5 prefix=$6 python=$7
work=$(mktemp -d) responder=
trap '[ -z "$responder" ] || kill "$responder" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Without a PKCS#12 file, --sign stops before configuring anything.
out=$(env -u TELVORIN_SIGN_PKCS12 "$source_dir/scripts/build-windows.sh" --sign --msi 2>&1) &&
  fail "build-windows.sh --sign without a certificate went on: $out"
[[ $out == *"TELVORIN_SIGN_PKCS12"*"nothing built"* ]] || fail "no clear message without a certificate: $out"
# One section per certificate, the format repeated for each pair of arguments.
printf '[%s]\nbasicConstraints=critical,CA:false\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=%s\n' \
  signer codeSigning tsa critical,timeStamping >ext.cnf
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj "/CN=Telvorin Test CA" \
  -addext "basicConstraints=critical,CA:true" -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
for who in signer tsa; do
  openssl req -newkey rsa:2048 -nodes -keyout $who.key -out $who.csr -subj "/CN=Telvorin Test $who" 2>/dev/null
  openssl x509 -req -in $who.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 -extfile ext.cnf -extensions $who \
    -out $who.pem 2>/dev/null
done
# Any UTF-8 text, with what a shell or a command line would take apart.
export TELVORIN_SIGN_PASSWORD='Pr'$'\xc3\xbc''f w'$'\xc3\xb6''rt; $x "1" \'
openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem -out signer.p12 \
  -passout env:TELVORIN_SIGN_PASSWORD
export TELVORIN_SIGN_PKCS12=$work/signer.p12
"$python" "$source_dir/tests/packaging/tsa_responder.py" tsa.pem tsa.key ca.pem port & responder=$!
for _ in $(seq 300); do [ -s port ] && break; sleep 0.1; done
[ -s port ] || { echo "FAIL: the timestamp responder did not start"; exit 1; }
export TELVORIN_SIGN_TIMESTAMP_URL=http://127.0.0.1:$(<port)/
cp -r "$dist" tree
cp "$msi" telvorin.msi
start=$EPOCHREALTIME
"$source_dir/scripts/sign-windows.sh" tree/telvorin.exe telvorin.msi >/dev/null
signed=$EPOCHREALTIME
for file in tree/telvorin.exe telvorin.msi; do
  report=$(osslsigncode verify -CAfile ca.pem -TSA-CAfile ca.pem -in "$file" 2>&1) || fail "$file does not verify: $report"
  for line in "Signature verification: ok" "Timestamp Server Signature verification: ok"; do
    [[ $report == *"$line"* ]] || fail "$file: no '$line' in: $report"
  done
  # A program's hash is its "message digest", a package's its "DigitalSignature".
  current=$(sed -En 's/^Current (message digest|DigitalSignature) *: *([0-9A-F]+).*/\2/p' <<<"$report" | head -n 1)
  calculated=$(sed -En 's/^Calculated (message digest|DigitalSignature) *: *([0-9A-F]+).*/\2/p' <<<"$report" | head -n 1)
  if [ -z "$current" ] || [ "$current" != "$calculated" ]; then fail "$file: the hash does not match: $report"; fi
done
verified=$EPOCHREALTIME
awk -v a="$start" -v b="$signed" -v c="$verified" 'BEGIN { printf "signing both: %.2f s, verifying both: %.2f s\n", b - a, c - b }'
# One byte of the program's code changed after signing.
cp tree/telvorin.exe changed.exe
"$python" -c 'import sys; f = open(sys.argv[1], "r+b"); f.seek(4096); b = f.read(1); f.seek(4096); f.write(bytes([b[0] ^ 1]))' changed.exe
report=$(osslsigncode verify -CAfile ca.pem -TSA-CAfile ca.pem -in changed.exe 2>&1) &&
  fail "a changed byte still verifies: $report"
[[ $report == *MISMATCH* ]] || fail "the changed file's hash is not reported as a mismatch: $report"
expected=$(env -u DISPLAY -u WAYLAND_DISPLAY "$linux_tool" -version)
# Into a file: the helpers Wine starts beside the program would hold a pipe open until its server ends.
WINEPREFIX=$prefix WINEDEBUG=-all "$wine" tree/telvorin.exe -version </dev/null >wine.out 2>&1 || true
actual=$(tr -d '\r' <wine.out)
[ "$actual" = "$expected" ] || fail "the signed telvorin.exe under Wine printed '$actual', not '$expected'"
exit $((failures > 0))
