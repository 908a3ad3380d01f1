#!/usr/bin/env bash
# Signs Windows files in place (Authenticode, SHA-256) with osslsigncode and an organisation's own certificate.
# Usage: scripts/sign-windows.sh --check | FILE...
#   TELVORIN_SIGN_PKCS12         the PKCS#12 file holding the code-signing key and its certificate chain
#   TELVORIN_SIGN_PASSWORD       its password, any UTF-8 text (unset or empty: none)
#   TELVORIN_SIGN_TIMESTAMP_URL  an RFC 3161 timestamp server, so that the signature outlives the certificate
# --check only makes sure that signing can work (the file is there and opens with the password), so that a build
# that is to be signed stops before it builds anything rather than leaving unsigned files behind.
set -euo pipefail
pkcs12=${TELVORIN_SIGN_PKCS12:-}
password=${TELVORIN_SIGN_PASSWORD:-}
if [ -z "$pkcs12" ] || [ ! -r "$pkcs12" ]; then
  echo "Signing needs the PKCS#12 file in TELVORIN_SIGN_PKCS12 ('$pkcs12' is none): nothing built, nothing signed" >&2
  exit 2
fi
command -v osslsigncode >/dev/null || { echo "Signing needs osslsigncode (scripts/install-deps.sh)" >&2; exit 2; }
# The password goes through a pipe, never onto a command line that other users can read.
if ! TELVORIN_SIGN_PASSWORD=$password openssl pkcs12 -in "$pkcs12" -noout -passin env:TELVORIN_SIGN_PASSWORD 2>/dev/null \
   && ! TELVORIN_SIGN_PASSWORD=$password openssl pkcs12 -legacy -in "$pkcs12" -noout -passin env:TELVORIN_SIGN_PASSWORD 2>/dev/null; then
  echo "$pkcs12 does not open with the password in TELVORIN_SIGN_PASSWORD: nothing signed" >&2
  exit 2
fi
[ "${1:-}" = --check ] && exit 0

timestamp=()
[ -z "${TELVORIN_SIGN_TIMESTAMP_URL:-}" ] || timestamp=(-ts "$TELVORIN_SIGN_TIMESTAMP_URL")
for file in "$@"; do
  # Signed next to the file and moved over it only when signing worked; a signature from before is replaced.
  unsigned=$file.unsigned
  rm -f "$unsigned" "$file.signed"
  if ! osslsigncode remove-signature -in "$file" -out "$unsigned" >/dev/null 2>&1; then
    cp "$file" "$unsigned"
  fi
  if ! if [ -n "$password" ]; then
         osslsigncode sign -pkcs12 "$pkcs12" -readpass <(printf '%s' "$password") -h sha256 -n Telvorin \
           "${timestamp[@]}" -in "$unsigned" -out "$file.signed" >/dev/null
       else
         osslsigncode sign -pkcs12 "$pkcs12" -pass '' -h sha256 -n Telvorin "${timestamp[@]}" \
           -in "$unsigned" -out "$file.signed" >/dev/null
       fi; then
    rm -f "$unsigned" "$file.signed"
    echo "Signing $file failed" >&2
    exit 1
  fi
  mv "$file.signed" "$file"
  rm -f "$unsigned"
  echo "Signed: $file"
done
