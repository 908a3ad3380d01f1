#!/usr/bin/env bash
# Checks that every outside tool the tests call really runs, and stops at the
# first that does not with one line naming the Debian package that brings it.
set -uo pipefail

fail() {
  echo "Test tool missing or broken: $1 (install the Debian package $2, e.g. scripts/install-deps.sh)" >&2
  exit 1
}

command -v msgconvert >/dev/null && perl -MEmail::Outlook::Message -e 1 2>/dev/null \
  || fail msgconvert libemail-outlook-message-perl
# msgconvert loads Email::Address only while converting; its package merely recommends it.
perl -MEmail::Address -e 1 2>/dev/null || fail "Perl module Email::Address (msgconvert needs it)" libemail-address-perl
/usr/bin/python3 -c 'import email, json' 2>/dev/null || fail python3 python3
/usr/bin/python3 -c 'import aiosmtpd' 2>/dev/null || fail "Python module aiosmtpd" python3-aiosmtpd
command -v mshow >/dev/null || fail "mshow (a second mail reader)" mblaze
command -v xdg-email >/dev/null || fail xdg-email xdg-utils
node -e 'require(process.argv[1])' "$(cd "$(dirname "$0")/.." && pwd)/tests/node_modules/@kenjiuno/msgreader" 2>/dev/null \
  || fail "the npm .msg reader @kenjiuno/msgreader (cd tests && npm ci)" "nodejs npm"
openssl version >/dev/null 2>&1 || fail openssl openssl
command -v Xvfb >/dev/null || fail Xvfb xvfb
command -v xdotool >/dev/null || fail xdotool xdotool
command -v xwd >/dev/null || fail "xwd (window dumps of the send dialog)" x11-apps
# scripts/fuzz.sh links every target with libFuzzer's runtime.
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
  | clang++ -x c++ -fsanitize=fuzzer,address,undefined -o /dev/null - 2>/dev/null || fail "clang with libFuzzer" "clang libclang-rt-14-dev"
if command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
  WINEDEBUG=-all "$wine" --version >/dev/null 2>&1 || fail wine64 wine64
else
  fail "x86_64-w64-mingw32-g++-posix" g++-mingw-w64-x86-64-posix
fi
command -v wixl >/dev/null || fail "wixl (the MSI of the Windows build)" wixl
command -v msiinfo >/dev/null || fail "msiinfo (reads the MSI back)" msitools
/usr/bin/python3 -c 'import pefile' 2>/dev/null || fail "Python module pefile (reads telvorin.exe's resources back)" python3-pefile
command -v osslsigncode >/dev/null || fail "osslsigncode (signs and verifies the Windows build)" osslsigncode
exit 0
