#include "scene/Scene.h"

#include "effect/SignField.h"
#include "scene/OpenGL.h"

#include <cmath>
#include <cstdlib>
#include <ctime>

Scene::Scene(int32_t width, int32_t height) : Scene(width, height, {{0, 0, width, height}}) {}

Scene::Scene(int32_t width, int32_t height, const std::vector<Viewport>& monitors)
    : viewports(monitors) {
    // Only 256 distinct seeds; the first value is thrown away.
    std::srand(static_cast<unsigned>(std::time(nullptr) % 256));
    std::rand();

    if (viewports.empty()) {
        viewports.push_back({0, 0, width, height});
    }
    wedgeOwnership.init();
    applyView(viewports.front(), false);
    for (int k = 0; k < mirrorSetCount; ++k) {
        buildMirrorSet(mirrorSets[k], 360.0f / static_cast<float>(10 + 2 * k));
    }
    pickRandomMirrorSet(false);
    clock.startClock();

    signField = new SignField(this);
    signField->init();

    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

void Scene::resize(int32_t width, int32_t height, const std::vector<Viewport>& monitors) {
    viewports = monitors;
    if (viewports.empty()) {
        viewports.push_back({0, 0, width, height});
    }
    applyView(viewports.front(), false);
    wedgeOwnership.forget();
}

Scene::~Scene() {
    delete signField;
}

bool Scene::renderFrame(uint32_t flags) {
    mirrorsEnabled = (flags & mirrorFlag) != 0 && signField->supportsMirrors();
    glDrawBuffer(GL_BACK);
    // Signs overlap in drawing order, with no depth test: the depth buffer
    // is never read, so only colour is cleared every frame.
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 5.5, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    advance();
    const MirrorSet& set = mirrorSetToDraw();
    const bool marking = mirrorsEnabled && wedgeOwnership.beginFrame(set, clock.sceneTime);
    if (viewports.size() == 1) {
        drawWedges(set, marking); // the view set up at construction
    } else {
        for (const Viewport& view : viewports) {
            applyView(view, true);
            drawWedges(set, marking);
        }
        glDisable(GL_SCISSOR_TEST);
    }
    glFlush();
    return true;
}

// The 90-degree view of one surface or monitor: its viewport and aspect
// ratio and, where the window shows several monitors, a scissor that keeps
// what is drawn for one monitor off the others.
void Scene::applyView(const Viewport& view, bool scissor) {
    glViewport(view.x, view.y, view.width, view.height);
    if (scissor) {
        glScissor(view.x, view.y, view.width, view.height);
        glEnable(GL_SCISSOR_TEST);
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A surface without height (a collapsed preview) would give an infinite
    // aspect ratio and a matrix of NaNs; it is drawn square instead.
    const double aspect = view.height > 0 ? static_cast<double>(view.width) / view.height : 1.0;
    gluPerspective(90.0, aspect, 1.0, 20.0);
    glMatrixMode(GL_MODELVIEW);
    // The view from 5.5 units sees 11 units of the plane z = 0 from top to
    // bottom; its half diagonal there, a little more, is beyond every corner.
    const double halfDiagonal = 5.5 * std::sqrt(1.0 + aspect * aspect);
    wedgeOwnership.setView(1.05 * halfDiagonal, 11.0 / (view.height > 0 ? view.height : 1));
}

void Scene::advance() {
    clock.tickClock();
    signField->update();
}

// Pass i fills wedge i (270 degrees to 270 + angle, rotated by i angles) and,
// reflected, wedge i - 1; with mirrors off the signs are drawn once, as they
// are. The logo strip drawn by beginDraw stays outside every wedge transform.
void Scene::drawWedges(const MirrorSet& set, bool marking) {
    glPushMatrix();
    if (!mirrorsEnabled) {
        signField->beginDraw();
        signField->selectSignsIn(nullptr);
        signField->drawSigns(); // unrotated and unclipped
        glPopMatrix();
        signField->endDraw();
        return;
    }
    const bool exactEdges = wedgeOwnership.exactEdges;
    if (marking) {
        wedgeOwnership.mark(set);
    }
    // The logo strip is drawn before the copies' stencil test goes on.
    signField->beginDraw();
    signField->selectSignsIn(&set);
    if (exactEdges) {
        wedgeOwnership.beginCopies();
    }
    glEnable(GL_CLIP_PLANE0);
    glEnable(GL_CLIP_PLANE1);
    for (int32_t i = 0; i < set.wedgeCount; i += 2) {
        glPushMatrix();
        glRotatef(static_cast<float>(i) * set.wedgeAngle, 0.0f, 0.0f, 1.0f);
        glFrontFace(GL_CCW);
        cutCopy(set, i, false, exactEdges);
        signField->drawSigns();
        glScalef(-1.0f, 1.0f, 1.0f);
        glFrontFace(GL_CW); // the reflection reverses the winding
        cutCopy(set, i, true, exactEdges);
        signField->drawSigns();
        glPopMatrix();
    }
    if (exactEdges) {
        wedgeOwnership.finish();
    }
    glDisable(GL_CLIP_PLANE0);
    glDisable(GL_CLIP_PLANE1);
    glFrontFace(GL_CCW);
    glPopMatrix();
    signField->endDraw();
}

// The clip planes of the set, in the frame of the copy; where the owner of
// every pixel is marked, only the owned pixels are drawn.
void Scene::cutCopy(const MirrorSet& set, int32_t pass, bool reflected, bool exactEdges) const {
    if (exactEdges) {
        wedgeOwnership.selectCopy(set, pass, reflected);
        return;
    }
    glClipPlane(GL_CLIP_PLANE0, set.plane0);
    glClipPlane(GL_CLIP_PLANE1, set.plane1);
}
