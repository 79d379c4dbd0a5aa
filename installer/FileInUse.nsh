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
