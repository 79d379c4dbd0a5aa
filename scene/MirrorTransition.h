#pragma once

#include "scene/MirrorSet.h"

// The animated change between two wedge angles, process-wide: inactive at
// start, made active by an animated selection, ended by the first frame at
// or past its duration.
struct MirrorTransition {
    bool active = false;
    float fromAngle = 0.0f; // degrees
    float toAngle = 0.0f;   // degrees
    float startTime = 0.0f; // scene time, seconds
    float duration = 0.0f;  // seconds; 2 from every start
    MirrorSet scratchSet;   // rebuilt every frame for the angle on display
};

extern MirrorTransition mirrorTransition;

// Progress (sceneTime - startTime) / duration, not clamped.
float transitionProgress(const MirrorTransition& transition, float sceneTime);

// The angle on display at progress p (clamped to 1 by the caller).
float transitionAngle(const MirrorTransition& transition, float progress);
