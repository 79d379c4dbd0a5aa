; The Drowsel installer, per machine: drowsel.scr into the system folder, the
; uninstaller into Program Files\Drowsel and an entry in Settings > Apps.
; makensis is given VERSION, PRODUCT (the drowsel.scr to ship), OUTFILE and,
; for a signed release, SIGN (a command that signs the file it is handed).
;
; Switches: /S installs silently and changes no user choice; /S /ACTIVATE also
; makes Drowsel the current user's screen saver. The uninstaller takes /S too.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WordFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Drowsel"
!define SETTINGS_KEY "Software\Orv\Drowsel"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SAVER "$SYSDIR\drowsel.scr"

Name "Drowsel"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Drowsel"
BrandingText "Drowsel ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Drowsel"
VIAddVersionKey /LANG=1033 "CompanyName" "Orv"
VIAddVersionKey /LANG=1033 "FileDescription" "Drowsel ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!ifdef SIGN
!uninstfinalize '${SIGN} "%1"'
!endif

!define MUI_ICON "../resources/drowsel.ico"
!define MUI_UNICON "../resources/drowsel.ico"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Make Drowsel my screen saver"
!define MUI_FINISHPAGE_RUN_FUNCTION MakeCurrentSaverAndOpenSettings
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    SetShellVarContext all
    SetRegView 64
    ; The same or a newer version may replace what is installed; an older may not.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
    ${If} $0 != ""
        ${VersionCompare} "$0" "${VERSION}" $1
        ${If} $1 == 1
            MessageBox MB_OK|MB_ICONSTOP "Drowsel $0 is installed, which is newer than this \
                version (${VERSION}). Uninstall it first to install this one." /SD IDOK
            SetErrorLevel 2
            Quit
        ${EndIf}
    ${EndIf}
FunctionEnd

Function MakeCurrentSaver
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "${SAVER}"
FunctionEnd

Function MakeCurrentSaverAndOpenSettings
    Call MakeCurrentSaver
    Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

Section "Drowsel"
    SetOutPath "$SYSDIR"
    File "/oname=drowsel.scr" "${PRODUCT}"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Drowsel"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Orv"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "${SAVER},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    ${GetSize} "$SYSDIR" "/M=drowsel.scr /S=0K" $3 $1 $2
    IntOp $0 $0 + $3
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/ACTIVATE" $1
    ${IfNot} ${Errors}
        Call MakeCurrentSaver
    ${EndIf}
SectionEnd

Function un.onInit
    SetShellVarContext all
    SetRegView 64
FunctionEnd

Section "Uninstall"
    Delete "${SAVER}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Orv"
    ; Only the user's choice of this saver is undone; StrCmp ignores case.
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $0 == "${SAVER}"
        DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
SectionEnd
