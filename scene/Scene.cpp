#include "scene/Scene.h"

#include "scene/OpenGL.h"

Scene::Scene(int width, int height) {
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    clock.startClock();
}

bool Scene::renderFrame(uint32_t) {
    glDrawBuffer(GL_BACK);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    clock.tickClock();
    glFlush();
    return true;
}
