// Resource numbers, shared by the resource script and the code (and so
// written as the resource compiler reads them).
#pragma once

#define DROWSEL_DESCRIPTION_STRING 1
#define DROWSEL_ICON 1
#define DROWSEL_CONFIG_DIALOG 104
#define DROWSEL_USE_MIRRORS_CHECK_BOX 1001
