// The drawing side of the sign field: the effect's state, the logo strip,
// the signs with their blink, and the clean-up after the mirror pass.
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

bool Sign::reaches(const MirrorSet& set) const {
    // The quad's corners lie within its half diagonal of the centre; a little
    // more covers the copies' clip margins and the rounding.
    const double reach = 1.4143 * scale + 0.05;
    const double outside0 = -(set.plane0[0] * position.x + set.plane0[1] * position.y);
    const double outside1 = -(set.plane1[0] * position.x + set.plane1[1] * position.y);
    return outside0 < reach && outside1 < reach;
}

void Sign::draw() const {
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glRotatef(-rotation, 0.0f, 0.0f, 1.0f); // positive turns clockwise on screen
    glScalef(scale, scale, scale);
    const int64_t wholeSeconds = static_cast<int64_t>(currentSignField->ownerScene->sceneTime());
    const bool odd = wholeSeconds % 2 != 0;
    // The colour is given inside glBegin, so it travels with the vertices: given
    // before, it is a constant to Mesa, and each change from sign to sign costs
    // llvmpipe a 28 KB state record, so a frame's memory would follow the blink.
    glBegin(GL_QUADS);
    if (((blink & 1) != 0 && odd) || ((blink & 2) != 0 && !odd)) {
        glColor4f(1.0f, 1.0f, 1.0f, 0.2f);
    } else {
        glColor3f(1.0f, 1.0f, 1.0f);
    }
    glTexCoord2f(u, v + dv);
    glVertex3f(-1.0f, -1.0f, 0.0f);
    glTexCoord2f(u + du, v + dv);
    glVertex3f(1.0f, -1.0f, 0.0f);
    glTexCoord2f(u + du, v);
    glVertex3f(1.0f, 1.0f, 0.0f);
    glTexCoord2f(u, v);
    glVertex3f(-1.0f, 1.0f, 0.0f);
    glEnd();
    glPopMatrix();
}
