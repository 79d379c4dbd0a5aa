#include "scene/MirrorTransition.h"

MirrorTransition mirrorTransition;

float transitionProgress(const MirrorTransition& transition, float sceneTime) {
    return (sceneTime - transition.startTime) / transition.duration;
}

float transitionAngle(const MirrorTransition& transition, float progress) {
    return transition.fromAngle +
           smoothstep(progress) * (transition.toAngle - transition.fromAngle);
}
