; A running program's file cannot be deleted or overwritten, but it can be
; renamed: a file the running saver (or the settings page's preview) holds is
; moved aside under a name the screen saver list passes over (it does not end
; in .scr) and deleted when Windows restarts.

; $R0: the file. Afterwards $R1 is "" when it is gone, the name it was moved to
; (deleted at the next restart), or $R0 itself when it could be neither.
Function MoveAside
    Push $R2
    StrCpy $R1 ""
    Delete "$R0"
    IfFileExists "$R0" 0 done
    StrCpy $R2 1
    free_name:
        IfFileExists "$R0.$R2.old" 0 rename
        IntOp $R2 $R2 + 1
        IntCmp $R2 100 0 free_name
        StrCpy $R1 "$R0"
        Goto done
    rename:
    ClearErrors
    Rename "$R0" "$R0.$R2.old"
    ${If} ${Errors}
        StrCpy $R1 "$R0"
        Goto done
    ${EndIf}
    StrCpy $R1 "$R0.$R2.old"
    ; Deleted now if the holder has let go meanwhile; else at the restart.
    Delete /REBOOTOK "$R1"
    done:
    Pop $R2
FunctionEnd

; Moves the installed drowsel.scr out of the way (MoveAside), asking again while
; a program holds it so that it can be neither deleted nor renamed; Cancel, or a
; silent run, fails with EXIT_FAILED. ACTION says what could not be done to it
; ("replaced", "removed"), LEFT what Cancel leaves. Earlier upgrades' files go
; first, where nothing holds them now; any still held wait for the restart.
!macro MoveSaverAsideOrAsk ACTION LEFT
    Delete "${SAVER}.*.old"
    retry_${ACTION}:
    StrCpy $R0 "${SAVER}"
    Call MoveAside
    ${If} $R1 == $R0
        MessageBox MB_RETRYCANCEL|MB_ICONSTOP "$R0 cannot be ${ACTION}: a program holds it \
            open and does not let it be moved.$\r$\n$\r$\nClose the screen saver settings \
            and any program that uses this file, then click Retry. Cancel leaves ${LEFT}." \
            /SD IDCANCEL IDRETRY retry_${ACTION}
        SetErrorLevel ${EXIT_FAILED}
        Abort "$R0 is in use and cannot be ${ACTION}."
    ${EndIf}
!macroend
