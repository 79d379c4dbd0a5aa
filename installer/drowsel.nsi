; The Drowsel installer, per machine: drowsel.scr into the system folder, the
; uninstaller into Program Files\Drowsel and an entry in Settings > Apps.
; makensis is given VERSION, PRODUCT (the drowsel.scr to ship), UNINSTALLER
; (uninstall.exe, made from uninstall.nsi), LICENSE, WELCOME_BITMAP,
; HEADER_BITMAP and OUTFILE.
;
; Switches: /S installs silently and changes no user's choice; /S /ACTIVATE
; also makes Drowsel the screen saver of the account that runs it. /D=<folder>
; chooses the uninstaller's folder. Exit codes: Release.nsh.

!include "Release.nsh"
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WordFunc.nsh"
!include "FileInUse.nsh"
!include "DesktopUser.nsh"

Name "Drowsel"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Drowsel"
; An upgrade keeps the folder the first install chose (/D=).
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Drowsel ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Drowsel"
VIAddVersionKey /LANG=1033 "CompanyName" "Orv"
VIAddVersionKey /LANG=1033 "FileDescription" "Drowsel ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright 2026 Orv, MIT licence"

Var RestartNeeded
Var NotActivated

!define MUI_ICON "../resources/drowsel.ico"
!define MUI_CUSTOMFUNCTION_ABORT OnCancel
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WELCOME_BITMAP}"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${HEADER_BITMAP}"
!define MUI_WELCOMEPAGE_TITLE "Drowsel ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "Drowsel is a kaleidoscope screen saver: signs turning and \
    blinking in 10 to 24 mirrored wedges.$\r$\n$\r$\nThis puts drowsel.scr into $SYSDIR, \
    where the screen saver settings find it, and its uninstaller into $INSTDIR, and adds \
    Drowsel to Settings > Apps. It needs about 1 MB.$\r$\n$\r$\nDrowsel is free software \
    under the MIT licence, shown next.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!define MUI_LICENSEPAGE_BUTTON "&Next >"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "You may use, copy, change and share Drowsel under these terms."
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Make Drowsel my screen saver"
!define MUI_FINISHPAGE_RUN_FUNCTION MakeCurrentSaverAsDesktopUser
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    SetShellVarContext all
    SetRegView 64
    StrCpy $RestartNeeded 0
    StrCpy $NotActivated 0
    ; The same or a newer version may replace what is installed; an older may not.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
    ${If} $0 != ""
        ${VersionCompare} "$0" "${VERSION}" $1
        ${If} $1 == 1
            MessageBox MB_OK|MB_ICONSTOP "Drowsel $0 is installed, which is newer than this \
                version (${VERSION}). Uninstall it first to install this one." /SD IDOK
            SetErrorLevel ${EXIT_NEWER_INSTALLED}
            Quit
        ${EndIf}
    ${EndIf}
FunctionEnd

Function OnCancel
    SetErrorLevel ${EXIT_CANCELLED}
FunctionEnd

Function .onInstFailed
    SetErrorLevel ${EXIT_FAILED}
FunctionEnd

Function .onInstSuccess
    ${If} $NotActivated = 1
        SetErrorLevel ${EXIT_NOT_ACTIVATED}
    ${ElseIf} $RestartNeeded = 1
        SetErrorLevel ${EXIT_RESTART_NEEDED}
    ${Else}
        SetErrorLevel ${EXIT_DONE}
    ${EndIf}
FunctionEnd

; The finish page's choice, carried out by the desktop's shell as the person at
; the desk: the saver's Install verb makes it their screen saver and opens the
; screen saver settings with it chosen.
Function MakeCurrentSaverAsDesktopUser
    StrCpy $R0 "${SAVER}"
    StrCpy $R1 "install"
    Call ShellExecuteAsDesktopUser
    ${If} $R2 = 0
        MessageBox MB_OK|MB_ICONINFORMATION "Drowsel is installed. To make it your screen \
            saver, choose it in the screen saver settings (Settings > Personalisation > \
            Lock screen > Screen saver)."
    ${EndIf}
FunctionEnd

; Moves the installed drowsel.scr out of the way, asking again while a program
; holds it so that it can be neither deleted nor renamed. $R1 as MoveAside.
Function ClearWayForSaver
    !insertmacro MoveSaverAsideOrAsk replaced "the installed version as it is"
FunctionEnd

Section "Drowsel"
    SetOutPath "$INSTDIR"
    File "/oname=uninstall.exe" "${UNINSTALLER}"

    SetOutPath "$SYSDIR"
    Call ClearWayForSaver
    SetOverwrite try
    ClearErrors
    File "/oname=drowsel.scr" "${PRODUCT}"
    ${If} ${Errors}
        ${If} $R1 != ""
            Rename "$R1" "${SAVER}" ; the version that was there, back in its place
        ${EndIf}
        SetErrorLevel ${EXIT_FAILED}
        Abort "Setup could not write ${SAVER}."
    ${EndIf}
    SetOverwrite on
    ; A file moved aside waits for the restart; that is said in the exit code,
    ; not by the finish page's offer to restart now.
    ${If} ${RebootFlag}
        StrCpy $RestartNeeded 1
        SetRebootFlag false
    ${EndIf}

    ; The entry, only once the new program is in place.
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Drowsel"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Orv"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "${SAVER},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/M=uninstall.exe /S=0K /G=0" $0 $1 $2
    ${GetSize} "$SYSDIR" "/M=drowsel.scr /S=0K /G=0" $3 $1 $2
    IntOp $0 $0 + $3
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

    ; /ACTIVATE chooses the saver for the account that runs the installer;
    ; SYSTEM's choice would be nobody's.
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/ACTIVATE" $1
    ${IfNot} ${Errors}
        Call RunsAsSystem
        ${If} $R0 = 1
            StrCpy $NotActivated 1
            DetailPrint "/ACTIVATE: running as SYSTEM, no user's screen saver was changed."
        ${Else}
            WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "${SAVER}"
        ${EndIf}
    ${EndIf}
SectionEnd
