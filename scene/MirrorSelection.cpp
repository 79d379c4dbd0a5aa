// The Scene's choice of mirror set and the animated change between sets.
#include "scene/MirrorTransition.h"
#include "scene/RandomFraction.h"
#include "scene/Scene.h"

void Scene::selectMirrorSet(int32_t index, bool animate) {
    const MirrorSet* previous = currentMirrorSet;
    // The remainder of the integer division, as a set index 0..7 also for a
    // negative index (which the remainder alone would leave negative).
    int32_t k = index % mirrorSetCount;
    if (k < 0) {
        k += mirrorSetCount;
    }
    currentMirrorSet = &mirrorSets[k];
    if (!animate) {
        return;
    }
    MirrorTransition& transition = mirrorTransition;
    if (transition.active) {
        float progress = transitionProgress(transition, sceneTime());
        if (progress > 1.0f) {
            progress = 1.0f;
        }
        transition.fromAngle = transitionAngle(transition, progress);
    } else {
        transition.active = true;
        transition.fromAngle =
            previous != nullptr ? previous->wedgeAngle : currentMirrorSet->wedgeAngle;
    }
    transition.startTime = sceneTime();
    transition.duration = 2.0f;
    transition.toAngle = currentMirrorSet->wedgeAngle;
}

void Scene::pickRandomMirrorSet(bool animate) {
    selectMirrorSet(randomPick(mirrorSetCount), animate);
}

const MirrorSet& Scene::mirrorSetToDraw() {
    MirrorTransition& transition = mirrorTransition;
    if (!transition.active) {
        return *currentMirrorSet;
    }
    float progress = transitionProgress(transition, sceneTime());
    if (progress >= 1.0f) {
        transition.active = false;
        progress = 1.0f;
    }
    buildMirrorSet(transition.scratchSet, transitionAngle(transition, progress));
    return transition.scratchSet;
}
