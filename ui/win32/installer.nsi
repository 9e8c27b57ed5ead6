; SPDX-FileCopyrightText: 2026 The TALLYWICK authors
; SPDX-License-Identifier: MIT

; The Windows installer, tallywick-setup.exe: a 64-bit installer for all users
; that puts the program and its delivered files into Program Files\TALLYWICK,
; a Start-menu shortcut that starts the program in that folder (where it reads
; its lists), an optional desktop shortcut, and the entry under the Uninstall
; key that "Apps & features" lists. /S installs and uninstalls silently;
; /NODESKTOP leaves out the desktop shortcut.
;
; The build defines (makensis -D...):
;   PRODUCT, PUBLISHER          the version record's product and company names
;   VERSION, VERSION_TEXT       from project(VERSION): "1.0.0.0" and "1.00"
;   ICON                        the program's icon
;   FILES_NSH                   the macros that install and remove the program
;                               and the delivered files, one line per file
;   OUTFILE                     where the installer goes

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma
; The installed files get the time of installation, not of the build, so
; that two builds of one commit give the same installer.
SetDateSave off

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "${FILES_NSH}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SHORTCUT "${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION_TEXT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION_TEXT}"
VIAddVersionKey "ProductVersion" "${VERSION_TEXT}"
VIAddVersionKey "OriginalFilename" "tallywick-setup.exe"

Section "${PRODUCT}" SectionProgram
    SectionIn RO
    SetShellVarContext all
    SetRegView 64
    SetOutPath "$INSTDIR"
    !insertmacro TALLYWICK_INSTALL_FILES
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; A shortcut starts in the output folder current when it is made: the
    ; program's own, which holds the delivered lists.
    CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\tallywick.exe"
    ; A reinstall without the desktop shortcut takes away an earlier one.
    Delete "$DESKTOP\${SHORTCUT}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tallywick.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ; In KB, of the installed files.
    ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Desktop shortcut" SectionDesktop
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    CreateShortcut "$DESKTOP\${SHORTCUT}" "$INSTDIR\tallywick.exe"
SectionEnd

Function .onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/NODESKTOP" $1
    ${IfNot} ${Errors}
        SectionSetFlags ${SectionDesktop} 0
    ${EndIf}
FunctionEnd

Section "Uninstall"
    SetShellVarContext all
    SetRegView 64
    Delete "$SMPROGRAMS\${SHORTCUT}"
    Delete "$DESKTOP\${SHORTCUT}"
    !insertmacro TALLYWICK_REMOVE_FILES
    Delete "$INSTDIR\uninstall.exe"
    ; Only when empty: lists of the user's own in this folder stay.
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
