#pragma once

// Mouse travel is measured from a reference point: the cursor where it was
// when the window was created, a password check ended or the desk changed.
// The desk (the virtual screen) is remembered with it, because a desk that
// changes moves the cursor itself (a monitor goes away under it, a smaller
// mode clamps it), and that is not the user's travel.

// Takes the cursor position and the desk as they are now.
void takeReferencePoint();

// Whether the desk is another than the one the reference point was taken on.
bool deskChangedSinceReference();
