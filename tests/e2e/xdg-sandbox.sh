#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Builds a throwaway desktop configuration in FOLDER that registers a
# recording script as the handler of web addresses, HTML pages and folders
# (the browser, and the file manager), and another, named by its bare name
# and found on PATH in FOLDER/bin, as the handler of plain text (the text
# viewer), so that
# xdg-open and the program really choose a handler and the recorders receive
# what they were handed.
#
#   xdg-sandbox.sh FOLDER
#
# Then run programs with:
#   HOME=FOLDER XDG_CONFIG_HOME=FOLDER/config XDG_DATA_HOME=FOLDER/data
#   XDG_DATA_DIRS=FOLDER/data PATH=FOLDER/bin:$PATH
# Each call of a recorder appends one line to FOLDER/record.log:
#   <its working folder> TAB <its arguments>            (the browser)
#   <its working folder> TAB text <its arguments>       (the text viewer)
set -euo pipefail
folder=$(cd "$1" && pwd)
mkdir -p "$folder/config" "$folder/data/applications" "$folder/bin"
cat >"$folder/recorder" <<SCRIPT
#!/bin/sh
printf '%s\t%s\n' "\$PWD" "\$*" >>"$folder/record.log"
SCRIPT
cat >"$folder/bin/tallywick-text-recorder" <<SCRIPT
#!/bin/sh
printf '%s\ttext %s\n' "\$PWD" "\$*" >>"$folder/record.log"
SCRIPT
chmod +x "$folder/recorder" "$folder/bin/tallywick-text-recorder"
cat >"$folder/data/applications/tallywick-recorder.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Name=Recorder
Exec=$folder/recorder %u
MimeType=x-scheme-handler/http;x-scheme-handler/https;text/html;inode/directory;
ENTRY
cat >"$folder/data/applications/tallywick-text.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Name=Text recorder
TryExec=tallywick-text-recorder
Exec=tallywick-text-recorder %f
MimeType=text/plain;
ENTRY
cat >"$folder/config/mimeapps.list" <<LIST
[Default Applications]
x-scheme-handler/http=tallywick-recorder.desktop
x-scheme-handler/https=tallywick-recorder.desktop
text/html=tallywick-recorder.desktop
text/plain=tallywick-text.desktop
inode/directory=tallywick-recorder.desktop
LIST
: >"$folder/record.log"
