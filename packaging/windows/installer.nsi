; SPDX-FileCopyrightText: 2026 The TALLYWICK authors
; SPDX-License-Identifier: MIT

; The Windows installer, tallywick-setup.exe: a 64-bit installer that installs
; either for all users or for the current user only, as its first page asks
; (NSIS's MultiUser.nsh):
;   for all users       Program Files\TALLYWICK (or another folder inside
;                       Program Files), the Start menu and desktop of all
;                       users, the Uninstall entry under HKLM; needs
;                       administrator rights
;   for me only         %LOCALAPPDATA%\Programs\TALLYWICK, the user's own Start
;                       menu and desktop, the Uninstall entry under HKCU; needs
;                       no administrator rights
; Each puts the program, its launcher and its delivered files into its folder;
; the Start-menu shortcuts "TALLYWICK" and "TALLYWICK lists" and an optional
; desktop shortcut "TALLYWICK", all to the launcher, which starts the program
; in the user's own lists folder (Documents\TALLYWICK, filled from this folder
; at the first start) or opens that folder; and the Uninstall entry that "Apps
; & features" lists. The uninstaller in that folder removes exactly that
; install. Nothing here ever touches a user's Documents\TALLYWICK.
;
; An administrator is asked which; anyone else installs for themselves. Silent
; installs (/S) take /AllUsers or /CurrentUser; with neither, an administrator
; (or a deployment tool running as one) installs for all users, as earlier
; versions did, and anyone else for themselves. A version already installed
; is replaced where it is. /NODESKTOP leaves out the desktop shortcut. An
; install for all users is refused while the Windows Installer package, which
; uses the same folder, is installed.
;
; The build defines (makensis -D...):
;   PRODUCT, PUBLISHER          the version record's product and company names
;   VERSION, VERSION_TEXT       from project(VERSION): "1.0.0.0" and "1.00"
;   ICON                        the program's icon
;   FILES_NSH                   the macros that install and remove the program
;                               and the delivered files, one line per file,
;                               taken from the folder FOLDER
;   FOLDER                      the files as delivered
;   LAUNCHER                    the launcher's file name
;   OPEN_FOLDER_ARGUMENT        the launcher's argument that opens the folder
;   MSI_UPGRADE_CODE            the upgrade code of the Windows Installer package
;   OUTFILE                     where the installer goes
;   SIGN_SCRIPT                 optional: sign.sh, which signs the file given to
;                               it; run on the uninstaller and the installer

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
; The installed files get the time of installation, not of the build, so
; that two builds of one commit give the same installer.
SetDateSave off

!ifdef SIGN_SCRIPT
    !uninstfinalize '"${SIGN_SCRIPT}" "${PRODUCT} Uninstall" "%1"' = 0
    !finalize '"${SIGN_SCRIPT}" "${PRODUCT} Setup" "%1"' = 0
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SHORTCUT "${PRODUCT}.lnk"
!define LISTS_SHORTCUT "${PRODUCT} lists.lnk"
; What the installers noted of the lists they put into the install folder.
!define LISTS_KEY "Software\${PRODUCT}\Installed lists"

; Administrators get the elevated rights they need for all users at once;
; anyone else runs with their own and installs for themselves.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
; An earlier install is found by its Uninstall entry: installing again
; updates it in its own folder and for its own users.
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
; /AllUsers without administrator rights (.onInit checks first, silently in
; silent mode): the exit code says why.
!define MULTIUSER_INIT_FUNCTIONQUIT QuitNeedingAdministrator
!include "MultiUser.nsh"
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "${FILES_NSH}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION_TEXT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
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

; ERROR_ELEVATION_REQUIRED
!define EXIT_NEEDS_ADMINISTRATOR 740
; ERROR_PRODUCT_VERSION: another version of this product is already installed
!define EXIT_OTHER_INSTALL 1638
; ERROR_DIRECTORY: the directory name is invalid
!define EXIT_FOLDER_NOT_IN_PROGRAM_FILES 267

Function QuitNeedingAdministrator
    SetErrorLevel ${EXIT_NEEDS_ADMINISTRATOR}
    Quit
FunctionEnd

; An install for all users goes into a folder inside Program Files, which
; only administrators may change. A folder elsewhere, such as C:\TALLYWICK,
; takes the permissions of its parent, and those of C:\ let every user add
; files beside a program that administrators run. Sets $0 to "" for such a
; folder, else to the text that says why it is refused.
Function CheckAllUsersFolder
    ; The path as Windows will use it, with "." and ".." resolved.
    System::Call 'kernel32::GetFullPathNameW(w "$INSTDIR", i ${NSIS_MAX_STRLEN}, w .r1, p 0) i .r2'
    StrLen $3 "$PROGRAMFILES64\"
    StrCpy $4 $1 $3
    StrCpy $0 ""
    ; Both comparisons ignore case, as Windows does.
    ${If} $2 == 0
    ${OrIf} $4 != "$PROGRAMFILES64\"
    ${OrIf} $1 == "$PROGRAMFILES64\"
        StrCpy $0 "Installed for all users, ${PRODUCT} goes into a folder inside $PROGRAMFILES64, which only administrators may change; $INSTDIR is not inside it. Choose a folder there, or install just for yourself."
    ${EndIf}
FunctionEnd

; The delivered lists in the install folder are what the launcher copies into
; a user's lists folder at the first start. A user who installed just for
; themselves may have edited them there, where earlier versions started the
; program: those edits are theirs. So a list there is replaced or removed only
; while it is as an installer of ours left it. The time it was last written is
; noted when it is installed; a list with another time was changed since, and
; stays. So does one of which no time was noted (an earlier version put it
; there) in an install just for one user; in an install for all users only
; administrators could have changed it, and the new one replaces it.
; $R9: the list's name. Sets $R8 to 1 when it may be written over or removed.
!macro TALLYWICK_LIST_IS_OURS_FUNCTION PREFIX
Function ${PREFIX}ListIsOurs
    StrCpy $R8 1
    IfFileExists "$INSTDIR\$R9" 0 done
    StrCpy $R8 0
    ClearErrors
    ReadRegStr $R7 SHCTX "${LISTS_KEY}" "$R9"
    ${If} ${Errors}
        ${If} $MultiUser.InstallMode == "AllUsers"
            StrCpy $R8 1
        ${EndIf}
        Goto done
    ${EndIf}
    GetFileTime "$INSTDIR\$R9" $R5 $R6
    ${IfNot} ${Errors}
    ${AndIf} $R7 == "$R5.$R6"
        StrCpy $R8 1
    ${EndIf}
    done:
FunctionEnd
!macroend
!insertmacro TALLYWICK_LIST_IS_OURS_FUNCTION ""
!insertmacro TALLYWICK_LIST_IS_OURS_FUNCTION "un."

!macro TALLYWICK_INSTALL_LIST NAME
    StrCpy $R9 "${NAME}"
    Call ListIsOurs
    ${If} $R8 == 1
        File "${FOLDER}/${NAME}"
        GetFileTime "$INSTDIR\${NAME}" $R5 $R6
        WriteRegStr SHCTX "${LISTS_KEY}" "${NAME}" "$R5.$R6"
    ${EndIf}
!macroend

!macro TALLYWICK_REMOVE_LIST NAME
    StrCpy $R9 "${NAME}"
    Call un.ListIsOurs
    ${If} $R8 == 1
        Delete "$INSTDIR\${NAME}"
    ${EndIf}
!macroend

Function DirectoryLeave
    ${If} $MultiUser.InstallMode == "AllUsers"
        Call CheckAllUsersFolder
        ${If} $0 != ""
            MessageBox MB_OK|MB_ICONEXCLAMATION "$0"
            Abort
        ${EndIf}
    ${EndIf}
FunctionEnd

Section "${PRODUCT}" SectionProgram
    SectionIn RO
    ${If} $MultiUser.InstallMode == "AllUsers"
        ; A folder given with /D=, or that of an earlier install.
        Call CheckAllUsersFolder
        ${If} $0 != ""
            MessageBox MB_OK|MB_ICONSTOP "$0" /SD IDOK
            SetErrorLevel ${EXIT_FOLDER_NOT_IN_PROGRAM_FILES}
            Quit
        ${EndIf}
        ; Any product of the package's upgrade code: its product code comes
        ; back in $1 and the call answers 0.
        System::Call 'msi::MsiEnumRelatedProductsW(w "{${MSI_UPGRADE_CODE}}", i 0, i 0, w .r1) i .r0'
        ${If} $0 == 0
            MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} is installed for all users from its Windows Installer package, in the same folder. Remove it under Settings > Apps first, or install just for yourself." /SD IDOK
            SetErrorLevel ${EXIT_OTHER_INSTALL}
            Quit
        ${EndIf}
    ${EndIf}
    ; SHCTX, $SMPROGRAMS and $DESKTOP are those of the chosen users
    ; (SetShellVarContext, set by MultiUser.nsh).
    SetRegView 64
    SetOutPath "$INSTDIR"
    !insertmacro TALLYWICK_INSTALL_FILES
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The launcher behind each: it chooses the folder the program starts in.
    CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\${LAUNCHER}" "" "" 0 SW_SHOWNORMAL "" \
        "${PRODUCT}: business credit card sources"
    CreateShortcut "$SMPROGRAMS\${LISTS_SHORTCUT}" "$INSTDIR\${LAUNCHER}" \
        "${OPEN_FOLDER_ARGUMENT}" "" 0 SW_SHOWNORMAL "" \
        "The folder of your ${PRODUCT} lists, in Documents"
    ; A reinstall without the desktop shortcut takes away an earlier one.
    Delete "$DESKTOP\${SHORTCUT}"

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tallywick.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ; In KB, of the installed files.
    ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Desktop shortcut" SectionDesktop
    SetOutPath "$INSTDIR"
    CreateShortcut "$DESKTOP\${SHORTCUT}" "$INSTDIR\${LAUNCHER}" "" "" 0 SW_SHOWNORMAL "" \
        "${PRODUCT}: business credit card sources"
SectionEnd

Function .onInit
    ${GetParameters} $0
    ; /AllUsers without the rights for it: said in a box, and in silent mode
    ; in the exit code only.
    ClearErrors
    ${GetOptions} $0 "/AllUsers" $1
    ${IfNot} ${Errors}
        UserInfo::GetAccountType
        Pop $1
        ${If} $1 != "Admin"
        ${AndIf} $1 != "Power"
            MessageBox MB_OK|MB_ICONSTOP "Installing ${PRODUCT} for all users needs administrator rights." /SD IDOK
            Call QuitNeedingAdministrator
        ${EndIf}
    ${EndIf}

    ; MultiUser.nsh sets the folder of the chosen users; one given with /D=
    ; stays.
    StrCpy $R0 $INSTDIR
    !insertmacro MULTIUSER_INIT
    ${If} $R0 != ""
        StrCpy $INSTDIR $R0
    ${EndIf}

    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/NODESKTOP" $1
    ${IfNot} ${Errors}
        SectionSetFlags ${SectionDesktop} 0
    ${EndIf}
FunctionEnd

Function un.onInit
    ; The uninstaller removes the install it belongs to, whatever the rights
    ; it runs with or the switches it is given: the one whose Uninstall entry
    ; names its folder. MultiUser.nsh would pick the users by the rights
    ; alone, and point $INSTDIR at that install's folder.
    StrCpy $R0 $INSTDIR
    !insertmacro MULTIUSER_UNINIT
    StrCpy $INSTDIR $R0
    SetRegView 64
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        ${If} $MultiUser.Privileges != "Admin"
        ${AndIf} $MultiUser.Privileges != "Power"
            MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} was installed for all users: removing it needs administrator rights." /SD IDOK
            SetErrorLevel ${EXIT_NEEDS_ADMINISTRATOR}
            Quit
        ${EndIf}
        Call un.MultiUser.InstallMode.AllUsers
    ${ElseIf} $1 == $INSTDIR
        Call un.MultiUser.InstallMode.CurrentUser
    ${EndIf}
    StrCpy $INSTDIR $R0
FunctionEnd

Section "Uninstall"
    SetRegView 64
    Delete "$SMPROGRAMS\${SHORTCUT}"
    Delete "$SMPROGRAMS\${LISTS_SHORTCUT}"
    Delete "$DESKTOP\${SHORTCUT}"
    !insertmacro TALLYWICK_REMOVE_FILES
    Delete "$INSTDIR\uninstall.exe"
    ; Only when empty: lists of the user's own in this folder stay.
    RMDir "$INSTDIR"
    ; Only the entries of this install: another one elsewhere keeps its own.
    ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        DeleteRegKey SHCTX "${UNINSTALL_KEY}"
        DeleteRegKey SHCTX "${LISTS_KEY}"
        DeleteRegKey /ifempty SHCTX "Software\${PRODUCT}"
    ${EndIf}
    ${If} $MultiUser.InstallMode == "CurrentUser"
        ; The folder of the user's programs, made for this install when there
        ; was none; kept while it holds anything.
        RMDir "$LOCALAPPDATA\Programs"
    ${EndIf}
SectionEnd
