#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
#
# Signs Windows files in place with the publisher's code-signing certificate
# (Authenticode, SHA-256), with osslsigncode:
#   sign.sh DESCRIPTION FILE...      a program, an installer or an MSI
# From the environment:
#   TALLYWICK_SIGN_PFX               the certificate and its key (PKCS#12)
#   TALLYWICK_SIGN_PASSWORD_FILE     a file whose first line is its password
#                                    (may be empty): how the build gives it,
#                                    so that no other program of the build
#                                    has the password in its environment
#   TALLYWICK_SIGN_PASSWORD          or the password itself (may be empty),
#                                    when sign.sh is run by hand
#   TALLYWICK_SIGN_TIMESTAMP_URL     optional: an RFC 3161 time-stamping
#                                    service, so that the signature outlives
#                                    the certificate
# The password reaches osslsigncode through a pipe, never on a command line
# that other users could read in the process list.
set -euo pipefail

if [ $# -lt 2 ]; then
    echo "usage: sign.sh DESCRIPTION FILE..." >&2
    exit 2
fi
description=$1
shift
: "${TALLYWICK_SIGN_PFX:?is not set: the certificate to sign with}"
[ -r "$TALLYWICK_SIGN_PFX" ] || { echo "sign.sh: cannot read $TALLYWICK_SIGN_PFX" >&2; exit 1; }
if [ -n "${TALLYWICK_SIGN_PASSWORD_FILE:-}" ]; then
    [ -f "$TALLYWICK_SIGN_PASSWORD_FILE" ] && [ -r "$TALLYWICK_SIGN_PASSWORD_FILE" ] || {
        echo "sign.sh: cannot read the password file $TALLYWICK_SIGN_PASSWORD_FILE" >&2
        exit 1
    }
    # read is the shell's own. It fails on a line without a line end (or an
    # empty file) but reads it all the same; a line end of Notepad's is no
    # part of the password.
    password=
    IFS= read -r password <"$TALLYWICK_SIGN_PASSWORD_FILE" || :
    password=${password%$'\r'}
elif [ -n "${TALLYWICK_SIGN_PASSWORD+set}" ]; then
    password=$TALLYWICK_SIGN_PASSWORD
else
    echo "sign.sh: neither TALLYWICK_SIGN_PASSWORD_FILE nor TALLYWICK_SIGN_PASSWORD is set" \
        "(set the password empty for a certificate without one)" >&2
    exit 1
fi

timestamp=()
if [ -n "${TALLYWICK_SIGN_TIMESTAMP_URL:-}" ]; then
    timestamp=(-ts "$TALLYWICK_SIGN_TIMESTAMP_URL")
fi

for file in "$@"; do
    signed=$file.signing
    rm -f "$signed"
    # printf is the shell's own: the password is on no command line.
    if ! printf '%s' "$password" |
        osslsigncode sign -pkcs12 "$TALLYWICK_SIGN_PFX" -readpass /dev/stdin -h sha256 \
            -n "$description" "${timestamp[@]}" -in "$file" -out "$signed" >"$signed.log" 2>&1; then
        cat "$signed.log" >&2
        rm -f "$signed" "$signed.log"
        echo "sign.sh: could not sign $file" >&2
        exit 1
    fi
    rm -f "$signed.log"
    mv -f "$signed" "$file"
done
