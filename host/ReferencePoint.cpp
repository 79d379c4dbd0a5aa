#include "host/ReferencePoint.h"

#include "host/ProcessState.h"

namespace {

ScreenRectangle desk() {
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

} // namespace

void takeReferencePoint() {
    POINT cursor{};
    GetCursorPos(&cursor);
    saverState->referencePoint = ScreenPoint{cursor.x, cursor.y};
    saverState->referenceDesk = desk();
}

bool deskChangedSinceReference() {
    const ScreenRectangle now = desk();
    const ScreenRectangle& then = saverState->referenceDesk;
    return now.left != then.left || now.top != then.top || now.right != then.right ||
           now.bottom != then.bottom;
}
