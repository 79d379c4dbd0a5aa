; What the installer and the uninstaller share: where Drowsel lives, and the
; exit codes an administrator reads (the README has the same table).

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Drowsel"
!define SETTINGS_KEY "Software\Orv\Drowsel"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SAVER "$SYSDIR\drowsel.scr"

!define EXIT_DONE 0
!define EXIT_CANCELLED 1
!define EXIT_FAILED 2
!define EXIT_NEWER_INSTALLED 3
!define EXIT_NOT_ACTIVATED 4
; Windows' ERROR_SUCCESS_REBOOT_REQUIRED: done, and a file still in use is
; deleted when Windows restarts.
!define EXIT_RESTART_NEEDED 3010

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true
AllowSkipFiles off
