// The drawing side of a sign: whether it reaches into a copy's wedge, and its
// quad with its blink.
#include "effect/Sign.h"

#include "effect/SignField.h"
#include "scene/MirrorSet.h"
#include "scene/OpenGL.h"
#include "scene/Scene.h"

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
