#!/bin/sh
# The signature tests' files, made anew at every build so that no key is
# ever kept: a test root and a code-signing certificate under it, and the
# sample program
#   signed.exe      signed, the root in the signature as signers have it;
#   leaf-only.exe   signed with the signer's certificate alone, whatever
#                   vouches for it nowhere to be found;
#   untrusted.exe   signed under another root, which no store holds;
#   tampered.exe    signed, then one byte of its code changed;
#   unsigned.exe    not signed;
# and the root in DER (root.der) for the test to trust.
#   make-samples.sh OBJDUMP SAMPLE.EXE OUTPUT_DIR
set -eu
objdump=$1 sample=$2 out=$3
work=$out/keys
rm -rf "$work"
mkdir -p "$work"

# make_signer NAME ROOT_NAME: a root and a code-signing certificate under it,
# NAME.pem (the signer), NAME.key and NAME-chain.pem (signer and root).
make_signer() {
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/$1-root.key" \
    -out "$work/$1-root.pem" -days 3650 -subj "/CN=$2" \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
    2>/dev/null
  openssl req -newkey rsa:2048 -nodes -keyout "$work/$1.key" -out "$work/$1.csr" \
    -subj "/CN=Corvane Test Signer" 2>/dev/null
  printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' \
    >"$work/signer.ext"
  openssl x509 -req -in "$work/$1.csr" -CA "$work/$1-root.pem" -CAkey "$work/$1-root.key" \
    -CAcreateserial -out "$work/$1.pem" -days 3650 -extfile "$work/signer.ext" 2>/dev/null
  cat "$work/$1.pem" "$work/$1-root.pem" >"$work/$1-chain.pem"
}

# sign CERTIFICATES KEY OUTPUT
sign() {
  rm -f "$3"
  osslsigncode sign -certs "$1" -key "$2" -h sha256 -n "Corvane signature sample" \
    -in "$sample" -out "$3" >/dev/null
}

make_signer trusted "Corvane Test Root"
make_signer other "Corvane Untrusted Test Root"
openssl x509 -in "$work/trusted-root.pem" -outform DER -out "$out/root.der"
cp "$sample" "$out/unsigned.exe"
sign "$work/trusted-chain.pem" "$work/trusted.key" "$out/signed.exe"
sign "$work/trusted.pem" "$work/trusted.key" "$out/leaf-only.exe"
sign "$work/other-chain.pem" "$work/other.key" "$out/untrusted.exe"
# One byte of the code changed after signing: the signature no longer fits.
cp "$out/signed.exe" "$out/tampered.exe"
code=$("$objdump" -h "$out/tampered.exe" | awk '$2 == ".text" { print $6; exit }')
offset=$((0x$code + 16))
byte=$(od -An -tu1 -j "$offset" -N1 "$out/tampered.exe" | tr -d ' ')
printf "$(printf '\\%03o' $(((byte + 1) % 256)))" |
  dd of="$out/tampered.exe" bs=1 seek="$offset" conv=notrunc 2>/dev/null
rm -rf "$work"
