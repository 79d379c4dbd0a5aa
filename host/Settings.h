#pragma once

#include "host/SaverState.h"

// Password grace delay and mouse threshold from the common screen-saver
// settings; defaults 15 s and 50 px stay where the registry has nothing.
void loadSystemSaverSettings(SaverState* state);

// The mirrors option from the saver's own key; on (1) when it is not stored.
void loadOwnSettings(SaverState* state);

// Writes the mirrors option as REG_DWORD, creating the key if need be.
// A failure loses the change silently.
void saveOwnSettings(const SaverState* state);
