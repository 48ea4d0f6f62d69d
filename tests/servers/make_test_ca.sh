#!/bin/sh
# Makes a throw-away CA and a server certificate signed by it, for TLS tests.
#   make_test_ca.sh DIR NAME...   writes DIR/ca.pem, DIR/server.pem, DIR/server.key
# The certificate names 127.0.0.1, localhost and every NAME given.
set -eu
dir=$1
shift
alt="IP:127.0.0.1,DNS:localhost"
for name in "$@"; do alt="$alt,DNS:$name"; done
cd "$dir"
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes \
  -keyout ca.key -out ca.pem -days 2 -subj "/CN=Mirovel Test CA" \
  -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
openssl req -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes \
  -keyout server.key -out server.csr -subj "/CN=localhost" 2>/dev/null
printf 'subjectAltName=%s\nbasicConstraints=CA:FALSE\nkeyUsage=digitalSignature\nextendedKeyUsage=serverAuth\n' \
  "$alt" > server.ext
openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial \
  -out server.pem -days 2 -extfile server.ext 2>/dev/null
