#include "host/ConfigDialog.h"

#include "host/ProcessState.h"
#include "host/Settings.h"
#include "resources/ResourceIds.h"

namespace {
constexpr int useMirrorsCheckBox = DROWSEL_USE_MIRRORS_CHECK_BOX;
}

INT_PTR CALLBACK configDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        // Any stored non-zero value means on in the saver, so the box shows it
        // checked; OK without touching the box then keeps the mirrors on.
        CheckDlgButton(dialog, useMirrorsCheckBox,
                       saverState->useMirrors != 0 ? BST_CHECKED : BST_UNCHECKED);
        return TRUE;
    }
    if (message != WM_COMMAND) {
        return FALSE;
    }
    if (LOWORD(wParam) == IDOK) {
        saverState->useMirrors = IsDlgButtonChecked(dialog, useMirrorsCheckBox) == BST_CHECKED;
        saveOwnSettings(saverState);
        EndDialog(dialog, IDOK);
    } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
    }
    return FALSE;
}
