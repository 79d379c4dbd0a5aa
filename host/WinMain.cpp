#include "host/ChangePassword.h"
#include "host/CommandLine.h"
#include "host/ConfigDialog.h"
#include "host/ProcessState.h"
#include "host/SaverWindow.h"
#include "host/Settings.h"
#include "host/SystemLibrary.h"
#include "resources/ResourceIds.h"

#include <cstdint>

namespace {

constexpr int configDialogResource = DROWSEL_CONFIG_DIALOG;

// Windows hands window numbers to screen savers as decimal 32-bit values;
// handles are sign-extended from 32 bits, as the system itself does.
HWND windowFromHandleNumber(uint32_t number) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(number)));
}

HWND parentWindowOf(const CommandLine& commandLine) {
    if (commandLine.parentIsForegroundWindow) {
        return GetForegroundWindow();
    }
    return windowFromHandleNumber(commandLine.parentHandle);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    restrictLibrarySearch();
    instanceHandle = instance;
    const CommandLine commandLine = parseCommandLine(GetCommandLineA());
    runMode = commandLine.mode;
    const HWND parent = parentWindowOf(commandLine);

    saverState = new SaverState();
    loadSystemSaverSettings(saverState);
    loadOwnSettings(saverState);

    switch (runMode) {
    case RunMode::ChangePassword:
        changePassword(parent);
        break;
    case RunMode::Configure:
        DialogBoxParamA(instanceHandle, MAKEINTRESOURCEA(configDialogResource), parent,
                        configDialogProc, 0);
        break;
    case RunMode::Preview:
    case RunMode::Saver:
        runSaverWindow(parent, showCommand);
        break;
    case RunMode::None:
        break;
    }

    delete saverState;
    saverState = nullptr;
    return 0;
}
