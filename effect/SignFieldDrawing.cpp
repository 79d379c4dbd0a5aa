// The drawing side of the sign field: the effect's state, the logo strip,
// the signs of a copy, and the clean-up after the mirror pass.
#include "effect/SignField.h"

#include "scene/MirrorSet.h"
#include "scene/OpenGL.h"
#include "scene/Scene.h"

#include <cmath>

namespace {

// The logo strip: 4 x 0.25 units, centred at (5, -5) in camera space, which
// the 90-degree view from 5.5 units puts near the lower right corner.
void drawLogoStrip(GLuint logo, float sceneTime) {
    const float c = (std::cos(0.1f * sceneTime) + 1.0f) * 0.5f; // 1 at 0 s, 0 at 10 pi s
    glBindTexture(GL_TEXTURE_2D, logo);
    glPushMatrix();
    glTranslatef(5.0f, -5.0f, 0.0f);
    glColor4f(c, c, 1.0f - c, 0.1f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-2.0f, -0.125f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(2.0f, -0.125f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(2.0f, 0.125f, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-2.0f, 0.125f, 0.0f);
    glEnd();
    glPopMatrix();
}

} // namespace

void SignField::beginDraw() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glDisable(GL_DEPTH_TEST); // signs overlap in drawing order, whatever their z
    glEnable(GL_TEXTURE_2D);
    drawLogoStrip(textures->logo.texture, ownerScene->sceneTime());
    glBindTexture(GL_TEXTURE_2D, textures->atlas.texture);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void SignField::selectSignsIn(const MirrorSet* set) {
    for (int k = 0; k < signCount; ++k) {
        selected[k] = set == nullptr || signs[k].reaches(*set);
    }
}

void SignField::drawSigns() {
    for (int k = 0; k < signCount; ++k) {
        if (selected[k]) {
            signs[k].draw();
        }
    }
}

void SignField::endDraw() {
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}
