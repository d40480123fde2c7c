#!/bin/sh
# A throwaway certificate authority and what a test server needs, made in the folder given:
# autorite.pem (the authority), serveur.pem and serveur.cle (signed by it, for localhost and
# 127.0.0.1), autre.cle (a key that goes with no certificate here). EC keys: quick to make.
set -eu
cd "$1"
cle() { openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out "$1" 2>/dev/null; }
cle autorite.cle
openssl req -x509 -new -key autorite.cle -subj /CN=Autorite-essai -days 2 -out autorite.pem
cle serveur.cle
openssl req -new -key serveur.cle -subj /CN=localhost -out serveur.csr
printf 'subjectAltName=DNS:localhost,IP:127.0.0.1\n' >noms.ext
openssl x509 -req -in serveur.csr -CA autorite.pem -CAkey autorite.cle -CAcreateserial \
  -days 2 -extfile noms.ext -out serveur.pem 2>/dev/null
cle autre.cle
# The fingerprint as openssl prints it, for the tests to compare with the program's.
openssl x509 -noout -fingerprint -sha256 -in serveur.pem | sed 's/.*=//' >serveur.empreinte
