; Steps that belong to the person at the desk, not to the account the
; installer runs as. An elevated installer may run as another administrator
; (a standard user gives that one's credentials) or as SYSTEM (a deployment
; tool): its HKCU is then someone else's. The desktop's shell runs as the
; person at the desk, unelevated, so what it starts does too.

!define CLSID_ShellWindows "{9BA05972-F6A8-11CF-A442-00A0C90A8F39}"
!define IID_IShellWindows "{85CB6900-4D95-11CF-960C-0080C7F4EE85}"
!define IID_IServiceProvider "{6D5140C1-7436-11CE-8034-00AA006009FA}"
!define SID_STopLevelBrowser "{4C96BE40-915C-11CF-99D3-00AA004AE837}"
!define IID_IShellBrowser "{000214E2-0000-0000-C000-000000000046}"
!define IID_IDispatch "{00020400-0000-0000-C000-000000000046}"
!define IID_IShellFolderViewDual "{E7A1AF80-4D96-11CF-960C-0080C7F4EE85}"
!define IID_IShellDispatch2 "{A4C6892C-3BA9-11D2-9DEA-00C04FB16162}"

; $R0: a process handle. Afterwards $R1 is its account's SID as a string, or "".
Function AccountOfProcess
    Push $0
    Push $1
    Push $2
    StrCpy $R1 ""
    System::Call "advapi32::OpenProcessToken(p R0, i 8, *p .r0) i .r1" ; TOKEN_QUERY
    ${If} $1 <> 0
        System::Alloc 256
        Pop $2
        System::Call "advapi32::GetTokenInformation(p r0, i 1, p r2, i 256, *i .r1) i .r1" ; TokenUser
        ${If} $1 <> 0
            System::Call "*$2(p .r1)" ; TOKEN_USER.User.Sid
            System::Call "advapi32::ConvertSidToStringSidW(p r1, *p .r1) i .r0"
            ${If} $0 <> 0
                System::Call "kernel32::lstrcpynW(w .R1, p r1, i 256)"
                System::Call "kernel32::LocalFree(p r1)"
            ${EndIf}
        ${EndIf}
        System::Free $2
        System::Call "kernel32::CloseHandle(p r0)"
    ${EndIf}
    Pop $2
    Pop $1
    Pop $0
FunctionEnd

; $R0 is 1 when this process runs as SYSTEM, else 0.
Function RunsAsSystem
    Push $R1
    System::Call "kernel32::GetCurrentProcess() p .R0"
    Call AccountOfProcess
    ${If} $R1 == "S-1-5-18"
        StrCpy $R0 1
    ${Else}
        StrCpy $R0 0
    ${EndIf}
    Pop $R1
FunctionEnd

; $R0 is 1 when the desktop's shell runs as this process's account, else 0
; (another account, or no desktop at all).
Function DesktopIsOurs
    Push $0
    Push $1
    Push $R1
    System::Call "kernel32::GetCurrentProcess() p .R0"
    Call AccountOfProcess
    StrCpy $1 $R1
    StrCpy $R0 0
    System::Call "user32::GetShellWindow() p .r0"
    ${If} $0 P= 0
        ; Wine's desktop names no shell window; its desktop window is the shell's.
        System::Call "user32::GetDesktopWindow() p .r0"
    ${EndIf}
    ${If} $0 P<> 0
    ${AndIf} $1 != ""
        System::Call "user32::GetWindowThreadProcessId(p r0, *i .r0)"
        System::Call "kernel32::OpenProcess(i 0x1000, i 0, i r0) p .R0" ; PROCESS_QUERY_LIMITED_INFORMATION
        ${If} $R0 P<> 0
            Call AccountOfProcess
            System::Call "kernel32::CloseHandle(p R0)"
            StrCpy $R0 0
            ${If} $R1 == $1
                StrCpy $R0 1
            ${EndIf}
        ${EndIf}
    ${EndIf}
    Pop $R1
    Pop $1
    Pop $0
FunctionEnd

!macro ReleaseInterface pointer
    ${If} ${pointer} P<> 0
        System::Call "${pointer}->2()"
    ${EndIf}
!macroend

; Has the desktop's shell carry out verb $R1 on file $R0, as the person at the
; desk: the desktop window's Shell.Application, reached through its view.
; $R2 is 1 when the shell took it, else 0.
Function ShellExecuteAsDesktopUser
    Push $0
    Push $1
    Push $2
    Push $3
    Push $4
    Push $5
    Push $6
    Push $7
    Push $8
    Push $9
    StrCpy $R2 0
    StrCpy $1 0
    StrCpy $2 0
    StrCpy $3 0
    StrCpy $4 0
    StrCpy $5 0
    StrCpy $6 0
    StrCpy $7 0
    StrCpy $8 0
    StrCpy $9 0
    System::Call "ole32::CoInitializeEx(p 0, i 2) i"
    System::Call "ole32::CoCreateInstance(g '${CLSID_ShellWindows}', p 0, i 0x17, \
        g '${IID_IShellWindows}', *p .r1) i .r0"
    ${If} $0 = 0
        ; FindWindowSW(CSIDL_DESKTOP as VT_I4, VT_EMPTY, SWC_DESKTOP, SWFO_NEEDDISPATCH)
        System::Call "*(i 3, i 0, i 0, i 0, i 0, i 0) p .r8"
        System::Call "*(i 0, i 0, i 0, i 0, i 0, i 0) p .r9"
        System::Call "$1->15(p r8, p r9, i 8, *i .R2, i 1, *p .r2) i .r0"
        StrCpy $R2 0
        System::Free $8
        System::Free $9
        StrCpy $8 0
        StrCpy $9 0
    ${EndIf}
    ${If} $0 = 0
    ${AndIf} $2 P<> 0
        System::Call "$2->0(g '${IID_IServiceProvider}', *p .r3) i .r0"
    ${EndIf}
    ${If} $0 = 0
        System::Call "$3->3(g '${SID_STopLevelBrowser}', g '${IID_IShellBrowser}', *p .r4) i .r0"
    ${EndIf}
    ${If} $0 = 0
        System::Call "$4->15(*p .r5) i .r0" ; QueryActiveShellView
    ${EndIf}
    ${If} $0 = 0
        System::Call "$5->15(i 0, g '${IID_IDispatch}', *p .r6) i .r0" ; GetItemObject(SVGIO_BACKGROUND)
    ${EndIf}
    ${If} $0 = 0
        System::Call "$6->0(g '${IID_IShellFolderViewDual}', *p .r7) i .r0"
    ${EndIf}
    ${If} $0 = 0
        System::Call "$7->7(*p .r8) i .r0" ; get_Application
    ${EndIf}
    ${If} $0 = 0
        System::Call "$8->0(g '${IID_IShellDispatch2}', *p .r9) i .r0"
    ${EndIf}
    ${If} $0 = 0
        ; ShellExecute(file, arguments, folder, verb, SW_SHOWNORMAL); a VARIANT
        ; goes by value, which on x64 is the address of a copy.
        Push $R3
        Push $R4
        Push $R5
        Push $R6
        System::Call "oleaut32::SysAllocString(w R0) p .R3"
        System::Call "oleaut32::SysAllocString(w '') p .r0"
        System::Call "*(i 8, i 0, p r0, p 0) p .R4" ; VT_BSTR
        System::Call "oleaut32::SysAllocString(w R1) p .r0"
        System::Call "*(i 8, i 0, p r0, p 0) p .R5"
        System::Call "*(i 3, i 0, i 1, i 0, p 0) p .R6" ; VT_I4
        System::Call "$9->31(p R3, p R4, p R4, p R5, p R6) i .r0"
        ${If} $0 = 0
            StrCpy $R2 1
        ${EndIf}
        System::Call "oleaut32::SysFreeString(p R3)"
        System::Call "*$R4(i, i, p .r0)"
        System::Call "oleaut32::SysFreeString(p r0)"
        System::Call "*$R5(i, i, p .r0)"
        System::Call "oleaut32::SysFreeString(p r0)"
        System::Free $R4
        System::Free $R5
        System::Free $R6
        Pop $R6
        Pop $R5
        Pop $R4
        Pop $R3
    ${EndIf}
    !insertmacro ReleaseInterface $9
    !insertmacro ReleaseInterface $8
    !insertmacro ReleaseInterface $7
    !insertmacro ReleaseInterface $6
    !insertmacro ReleaseInterface $5
    !insertmacro ReleaseInterface $4
    !insertmacro ReleaseInterface $3
    !insertmacro ReleaseInterface $2
    !insertmacro ReleaseInterface $1
    Pop $9
    Pop $8
    Pop $7
    Pop $6
    Pop $5
    Pop $4
    Pop $3
    Pop $2
    Pop $1
    Pop $0
FunctionEnd
