; Drowsel's uninstaller, a program of its own beside the entry: it runs in
; place and returns only when it is done, with its result as the exit code,
; so that whoever runs the entry's UninstallString or QuietUninstallString
; can wait for it and read it. makensis is given VERSION, WELCOME_BITMAP,
; HEADER_BITMAP and OUTFILE. Switch: /S removes silently. Exit codes: Release.nsh.

!include "Release.nsh"
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "FileInUse.nsh"
!include "DesktopUser.nsh"

Name "Drowsel"
OutFile "${OUTFILE}"
BrandingText "Drowsel ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Drowsel"
VIAddVersionKey /LANG=1033 "CompanyName" "Orv"
VIAddVersionKey /LANG=1033 "FileDescription" "Drowsel ${VERSION} uninstaller"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright 2026 Orv, MIT licence"

Var RestartNeeded
Var FinishText

!define MUI_ICON "../resources/drowsel.ico"
!define MUI_CUSTOMFUNCTION_ABORT OnCancel
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WELCOME_BITMAP}"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${HEADER_BITMAP}"
!define MUI_WELCOMEPAGE_TITLE "Remove Drowsel ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "This removes the Drowsel screen saver from this computer: \
    $SYSDIR\drowsel.scr, its uninstaller in $INSTDIR and its entry in Settings > Apps, \
    and your own Drowsel setting.$\r$\n$\r$\nClick Next to remove it."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "Drowsel is removed"
!define MUI_FINISHPAGE_TEXT "$FinishText"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    SetShellVarContext all
    SetRegView 64
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/CLEANUP=" $0
    ${IfNot} ${Errors}
        Call CleanUpAfter
        Quit
    ${EndIf}
    StrCpy $INSTDIR "$EXEDIR"
    StrCpy $RestartNeeded 0
    StrCpy $FinishText "Drowsel has been removed from this computer."
FunctionEnd

Function OnCancel
    SetErrorLevel ${EXIT_CANCELLED}
FunctionEnd

Function .onInstFailed
    SetErrorLevel ${EXIT_FAILED}
FunctionEnd

Function .onInstSuccess
    ${If} $RestartNeeded = 1
        SetErrorLevel ${EXIT_RESTART_NEEDED}
    ${Else}
        SetErrorLevel ${EXIT_DONE}
    ${EndIf}
FunctionEnd

; Takes drowsel.scr out of the screen saver list now, asking again while a
; program holds it so that it can be neither deleted nor renamed.
Function RemoveSaver
    !insertmacro MoveSaverAsideOrAsk removed "Drowsel installed"
FunctionEnd

; A running program cannot delete itself, nor rename itself while it reads its
; own file. So a copy of it in the temporary folder waits for this process to
; end, then deletes uninstall.exe and its folder; the copy itself is deleted at
; the next restart, as any setup's copy of itself is, which alone does not make
; a restart needed. Without the copy, both wait for the restart.
Function RemoveUninstaller
    StrCpy $3 1
    free_name:
        StrCpy $2 "$TEMP\drowsel-uninstall-$3.exe"
        IntOp $3 $3 + 1
        IfFileExists "$2" free_name
    ClearErrors
    CopyFiles /SILENT "$EXEPATH" "$2"
    ${IfNot} ${Errors}
        System::Call "kernel32::GetCurrentProcessId() i .r0"
        ClearErrors
        Exec '"$2" /S /CLEANUP=$0 /D=$INSTDIR'
    ${EndIf}
    ${If} ${Errors}
        Delete /REBOOTOK "$EXEPATH"
        RMDir /REBOOTOK "$INSTDIR"
    ${EndIf}
FunctionEnd

; The copy's part: once process $0 has ended, its uninstall.exe and then the
; folder, if that leaves it empty, are deleted.
Function CleanUpAfter
    System::Call "kernel32::OpenProcess(i 0x100000, i 0, i r0) p .r1" ; SYNCHRONIZE
    ${If} $1 P<> 0
        System::Call "kernel32::WaitForSingleObject(p r1, i 60000) i"
        System::Call "kernel32::CloseHandle(p r1)"
    ${EndIf}
    ; The system lets go of a program's file a moment after it ends.
    StrCpy $2 0
    ${Do}
        Delete "$INSTDIR\uninstall.exe"
        ${IfNot} ${FileExists} "$INSTDIR\uninstall.exe"
        ${OrIf} $2 >= 100
            ${Break}
        ${EndIf}
        Sleep 100
        IntOp $2 $2 + 1
    ${Loop}
    RMDir "$INSTDIR"
    StrCpy $1 "$EXEPATH"
    System::Call "kernel32::MoveFileExW(w r1, p 0, i 4) i" ; MOVEFILE_DELAY_UNTIL_REBOOT
FunctionEnd

; The saver's own setting and the user's choice of it are the user's: they are
; cleared only when this runs as the person at the desk, never in another
; administrator's or SYSTEM's profile.
Function ClearUserSettings
    Call DesktopIsOurs
    ${If} $R0 = 1
        DeleteRegKey HKCU "${SETTINGS_KEY}"
        DeleteRegKey /ifempty HKCU "Software\Orv"
        ; Only the user's choice of this saver is undone; StrCmp ignores case.
        ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
        ${If} $0 == "${SAVER}"
            DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
        ${EndIf}
    ${Else}
        DetailPrint "Not the desktop's account: its users' Drowsel settings are left alone."
    ${EndIf}
FunctionEnd

Section "Remove"
    Call RemoveSaver
    Call ClearUserSettings
    Call RemoveUninstaller
    ; Everything is gone or waits for the restart: the entry may go.
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ${If} ${RebootFlag}
        StrCpy $RestartNeeded 1
        SetRebootFlag false
        StrCpy $FinishText "Drowsel has been removed from this computer. A screen saver \
            that was still running held its file, which Windows deletes when it restarts."
        DetailPrint "$FinishText"
    ${EndIf}
SectionEnd
