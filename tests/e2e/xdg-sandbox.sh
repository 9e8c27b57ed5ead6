#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Builds a throwaway desktop configuration in FOLDER that registers a
# recording script as the handler of web addresses, text files and folders, so
# that xdg-open really runs and the recorder receives what it was handed.
#
#   xdg-sandbox.sh FOLDER
#
# Then run programs with:
#   HOME=FOLDER XDG_CONFIG_HOME=FOLDER/config XDG_DATA_HOME=FOLDER/data
#   XDG_DATA_DIRS=FOLDER/data
# Each call of the recorder appends one line to FOLDER/record.log:
#   <its working folder> TAB <its arguments>
set -euo pipefail
folder=$(cd "$1" && pwd)
mkdir -p "$folder/config" "$folder/data/applications"
cat >"$folder/recorder" <<SCRIPT
#!/bin/sh
printf '%s\t%s\n' "\$PWD" "\$*" >>"$folder/record.log"
SCRIPT
chmod +x "$folder/recorder"
cat >"$folder/data/applications/tallywick-recorder.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Name=Recorder
Exec=$folder/recorder %u
MimeType=x-scheme-handler/http;x-scheme-handler/https;text/plain;inode/directory;
ENTRY
cat >"$folder/config/mimeapps.list" <<LIST
[Default Applications]
x-scheme-handler/http=tallywick-recorder.desktop
x-scheme-handler/https=tallywick-recorder.desktop
text/plain=tallywick-recorder.desktop
inode/directory=tallywick-recorder.desktop
LIST
: >"$folder/record.log"
