#!/usr/bin/env bash
# Makes a throwaway certificate authority and a code-signing certificate issued by
# it, for the tests and make repro to sign with (never for a release):
#
#   scripts/throwaway-signing-key.sh DIR
#
# writes DIR/ca.pem (the authority, to verify with), DIR/signer.pem and
# DIR/signer.key (PEM), DIR/signer.p12 with its password in DIR/signer.pass.
set -euo pipefail
dir=${1:?usage: throwaway-signing-key.sh DIR}
mkdir -p "$dir"
cd "$dir"
openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -subj "/CN=Halvora throwaway test CA" \
  -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
  -keyout ca.key -out ca.pem 2>/dev/null
openssl req -newkey rsa:2048 -nodes -subj "/CN=Halvora throwaway test signer" \
  -keyout signer.key -out signer.csr 2>/dev/null
printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' \
  >signer.ext
openssl x509 -req -days 3650 -in signer.csr -CA ca.pem -CAkey ca.key -set_serial 1 \
  -extfile signer.ext -out signer.pem 2>/dev/null
printf 'throwaway\n' >signer.pass
openssl pkcs12 -export -inkey signer.key -in signer.pem -passout file:signer.pass -out signer.p12
rm -f signer.csr signer.ext
