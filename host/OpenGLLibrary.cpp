#include "host/OpenGLLibrary.h"

#include "host/LibraryFunction.h"
#include "host/SystemLibrary.h"
#include "scene/OpenGL.h"

// The headers declare OpenGL's functions imported, so every call goes through
// the pointer __imp_<name>, which an import library would fill at start. The
// program defines these pointers itself instead; a function called anywhere
// but missing from this list fails the link.
// clang-format off
#define DROWSEL_OPENGL_FUNCTIONS(F) \
    F(glBegin) F(glBindTexture) F(glBlendFunc) F(glClear) F(glClearColor) F(glClearStencil) \
    F(glClipPlane) F(glColor3f) F(glColor4f) F(glColorMask) F(glCullFace) F(glDeleteTextures) \
    F(glDepthMask) F(glDisable) F(glDrawBuffer) F(glEnable) F(glEnd) F(glFlush) F(glFrontFace) \
    F(glGenTextures) F(glGetIntegerv) F(glHint) F(glLoadIdentity) F(glMatrixMode) \
    F(glPixelStorei) F(glPopAttrib) F(glPopMatrix) F(glPushAttrib) F(glPushMatrix) \
    F(glReadPixels) F(glRectd) F(glRotatef) F(glScalef) F(glScissor) F(glStencilFunc) \
    F(glStencilMask) F(glStencilOp) F(glTexCoord2f) F(glTexEnvf) F(glTexImage2D) \
    F(glTexParameteri) F(glTranslatef) F(glVertex3d) F(glVertex3f) F(glViewport) \
    F(wglCreateContext) F(wglDeleteContext) F(wglMakeCurrent)
// clang-format on

#define DROWSEL_DEFINE_POINTER(name) PROC __imp_##name = nullptr;
extern "C" {
DROWSEL_OPENGL_FUNCTIONS(DROWSEL_DEFINE_POINTER)
}

namespace {
// GLU's functions are declared plain, so the program defines them and forwards.
using LookAtFunction = void(APIENTRY*)(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble,
                                       GLdouble, GLdouble, GLdouble);
using PerspectiveFunction = void(APIENTRY*)(GLdouble, GLdouble, GLdouble, GLdouble);
LookAtFunction lookAt = nullptr;
PerspectiveFunction perspective = nullptr;

template <typename Function> bool bind(HMODULE library, const char* name, Function& function) {
    function = libraryFunction<Function>(library, name);
    return function != nullptr;
}
} // namespace

void APIENTRY gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX,
                        GLdouble centreY, GLdouble centreZ, GLdouble upX, GLdouble upY,
                        GLdouble upZ) {
    lookAt(eyeX, eyeY, eyeZ, centreX, centreY, centreZ, upX, upY, upZ);
}

void APIENTRY gluPerspective(GLdouble fieldOfView, GLdouble aspect, GLdouble nearPlane,
                             GLdouble farPlane) {
    perspective(fieldOfView, aspect, nearPlane, farPlane);
}

// The libraries stay loaded for the life of the process.
bool loadOpenGL() {
    const HMODULE openGL = loadSystemLibrary("opengl32.dll");
    const HMODULE glu = loadSystemLibrary("glu32.dll");
    if (openGL == nullptr || glu == nullptr) {
        return false;
    }
    bool bound = bind(glu, "gluLookAt", lookAt) && bind(glu, "gluPerspective", perspective);
#define DROWSEL_BIND_POINTER(name) bound = bound && bind(openGL, #name, __imp_##name);
    DROWSEL_OPENGL_FUNCTIONS(DROWSEL_BIND_POINTER)
    return bound;
}
