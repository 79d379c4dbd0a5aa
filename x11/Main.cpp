// Drowsel as an xscreensaver hack: the same Scene, drawn with GLX into the
// window the daemon hands it (XSCREENSAVER_WINDOW), the root window, a given
// window, or a window of its own. The daemon decides when it ends: SIGTERM or
// SIGINT ends it at the next frame, with the teardown in order; a window that
// goes away ends it too.
#include "scene/FrameLoop.h"
#include "scene/MonitorLayout.h"
#include "scene/OpenGL.h"
#include "scene/Scene.h"
#include "x11/FrameRateOverlay.h"
#include "x11/HackOptions.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>

#include <algorithm>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

// What the X errors said. Until the hack runs, a window that is not there is
// an answer, not a crash with an error trace; afterwards it is the window
// going away, and any other error is printed once.
struct XErrors {
    bool running = false;
    Window window = 0; // the one drawn into, once running
    int glxBase = -1;  // the GLX extension's first error number
    bool badWindow = false;
    bool reported = false;
};
XErrors errors;

// The GLX protocol's errors GLXBadDrawable and GLXBadWindow, after its base.
constexpr int glxBadDrawable = 2;
constexpr int glxBadWindow = 12;

void requestStop(int) {
    stopRequested = 1;
}

int noteError(Display* display, XErrorEvent* error) {
    const int code = error->error_code;
    const bool aboutWindow = code == BadWindow || code == BadDrawable ||
                             (errors.glxBase >= 0 && (code == errors.glxBase + glxBadDrawable ||
                                                      code == errors.glxBase + glxBadWindow));
    if (aboutWindow && (!errors.running || error->resourceid == errors.window)) {
        errors.badWindow = true;
    } else if (errors.running && !errors.reported) {
        errors.reported = true;
        char text[128] = {};
        XGetErrorText(display, code, text, sizeof text);
        std::fprintf(stderr, "drowsel: X error %s (request %d.%d)\n", text, error->request_code,
                     error->minor_code);
    }
    return 0;
}

// The display went away: nothing left to draw on.
int displayLost(Display*) {
    std::_Exit(1);
}

int fail(const char* message) {
    std::fprintf(stderr, "%s\n", message);
    return 1;
}

// Desktops that paint their own background set __SWM_VROOT on a child of the
// root window; hacks draw there, as the daemon's demo mode expects.
Window virtualRoot(Display* display) {
    const Window root = DefaultRootWindow(display);
    const Atom property = XInternAtom(display, "__SWM_VROOT", False);
    Window parent = 0, unused = 0, *children = nullptr;
    unsigned int count = 0;
    Window found = root;
    if (XQueryTree(display, root, &unused, &parent, &children, &count) != 0) {
        for (unsigned int k = 0; k < count && found == root; ++k) {
            Atom type = None;
            int format = 0;
            unsigned long items = 0, left = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(display, children[k], property, 0, 1, False, XA_WINDOW, &type,
                                   &format, &items, &left, &data) == Success &&
                type == XA_WINDOW && data != nullptr) {
                found = *reinterpret_cast<Window*>(data);
            }
            if (data != nullptr) {
                XFree(data);
            }
        }
        XFree(children);
    }
    return found;
}

bool doubleBufferedRgba(Display* display, XVisualInfo* visual) {
    int useGl = 0, rgba = 0, doubleBuffer = 0;
    glXGetConfig(display, visual, GLX_USE_GL, &useGl);
    glXGetConfig(display, visual, GLX_RGBA, &rgba);
    glXGetConfig(display, visual, GLX_DOUBLEBUFFER, &doubleBuffer);
    return useGl && rgba && doubleBuffer;
}

// The visual of that id, if OpenGL can draw double buffered with it.
XVisualInfo* glVisual(Display* display, VisualID identifier) {
    XVisualInfo wanted{};
    wanted.visualid = identifier;
    int count = 0;
    XVisualInfo* visual = XGetVisualInfo(display, VisualIDMask, &wanted, &count);
    if (visual != nullptr && !doubleBufferedRgba(display, visual)) {
        XFree(visual);
        return nullptr;
    }
    return visual;
}

// The visual of a window someone else made, if OpenGL can draw into it.
XVisualInfo* visualOf(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0) {
        return nullptr;
    }
    return glVisual(display, XVisualIDFromVisual(attributes.visual));
}

// A visual for the own window: 8 stencil bits where there are any, for the
// exact wedge edges; without, the scene cuts the wedges by clip planes alone.
XVisualInfo* bestVisual(Display* display) {
    int withStencil[] = {GLX_RGBA,
                         GLX_DOUBLEBUFFER,
                         GLX_RED_SIZE,
                         8,
                         GLX_GREEN_SIZE,
                         8,
                         GLX_BLUE_SIZE,
                         8,
                         GLX_STENCIL_SIZE,
                         8,
                         None};
    XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), withStencil);
    if (visual == nullptr) {
        int plain[] = {GLX_RGBA, GLX_DOUBLEBUFFER, None};
        visual = glXChooseVisual(display, DefaultScreen(display), plain);
    }
    return visual;
}

// -visual: the best one, the screen's default, or the one of that id, if
// OpenGL can draw double buffered with it.
XVisualInfo* chooseVisual(Display* display, const HackOptions& options) {
    if (options.visual == HackOptions::Visual::Best) {
        return bestVisual(display);
    }
    return glVisual(display,
                    options.visual == HackOptions::Visual::Default
                        ? XVisualIDFromVisual(DefaultVisual(display, DefaultScreen(display)))
                        : static_cast<VisualID>(options.visualId));
}

Window openOwnWindow(Display* display, XVisualInfo* visual, Atom closeAtom) {
    const Window root = RootWindow(display, visual->screen);
    // A colormap of its own, which is all -install asks for.
    XSetWindowAttributes attributes{};
    attributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    attributes.background_pixel = 0;
    attributes.border_pixel = 0;
    attributes.event_mask = KeyPressMask | StructureNotifyMask;
    const Window window =
        XCreateWindow(display, root, 0, 0, 1024, 768, 0, visual->depth, InputOutput, visual->visual,
                      CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
    XStoreName(display, window, "Drowsel");
    char name[] = "drowsel", className[] = "Drowsel";
    XClassHint windowClass{name, className};
    XSetClassHint(display, window, &windowClass);
    Atom protocols[] = {closeAtom};
    XSetWMProtocols(display, window, protocols, 1);
    XMapWindow(display, window);
    return window;
}

// On a root window that spans several monitors, one kaleidoscope each, as on
// Windows; anywhere else the whole window is one view.
std::vector<Viewport> monitorsOf(Display* display, Window window, int width, int height) {
    std::vector<ScreenRectangle> monitors;
    int count = 0;
    XineramaScreenInfo* screens = window == DefaultRootWindow(display) && XineramaIsActive(display)
                                      ? XineramaQueryScreens(display, &count)
                                      : nullptr;
    for (int k = 0; k < count; ++k) {
        monitors.push_back({screens[k].x_org, screens[k].y_org, screens[k].x_org + screens[k].width,
                            screens[k].y_org + screens[k].height});
    }
    if (screens != nullptr) {
        XFree(screens);
    }
    return monitorViewports({0, 0, width, height}, monitors);
}

// The frame loop's platform under X: the event queue, the GLX drawable and
// the signals that end the hack.
struct HackFrameHost {
    Display* display;
    Window window;
    bool ownWindow;
    Atom closeAtom;
    int randrEvents; // the first RandR event number, or -1 without RandR on this window
    uint32_t flags;
    int64_t delay; // microseconds, from -delay
    int width;
    int height;
    const Scene* scene = nullptr;
    FrameRateOverlay* frameRate = nullptr;
    bool layoutPending = false;
    bool lost = false;

    bool handleEvents() {
        while (XPending(display) > 0 && !stopRequested && !lost) {
            XEvent event;
            XNextEvent(display, &event);
            handle(event);
        }
        return !stopRequested;
    }

    void handle(XEvent& event) {
        if (event.type == DestroyNotify && event.xdestroywindow.window == window) {
            lost = true;
        } else if (event.type == ConfigureNotify && event.xconfigure.window == window) {
            layoutPending = true;
        } else if (randrEvents >= 0 && event.type == randrEvents + RRScreenChangeNotify) {
            XRRUpdateConfiguration(&event);
            layoutPending = true;
        } else if (ownWindow && event.type == KeyPress) {
            const KeySym key = XLookupKeysym(&event.xkey, 0);
            if (key == XK_q || key == XK_Escape) {
                stopRequested = 1;
            }
        } else if (ownWindow && event.type == ClientMessage &&
                   static_cast<Atom>(event.xclient.data.l[0]) == closeAtom) {
            stopRequested = 1;
        }
    }

    bool windowsStillThere() {
        lost = lost || errors.badWindow;
        return !lost;
    }

    bool displayOff() const { return false; }
    void waitWhileDark() {}

    // The size as the server has it now, and the monitors on it: a
    // rearrangement keeps the size but moves the views.
    bool layoutChanged(SurfaceLayout& layout) {
        XWindowAttributes attributes{};
        if (!layoutPending || XGetWindowAttributes(display, window, &attributes) == 0) {
            return false;
        }
        layoutPending = false;
        width = attributes.width;
        height = attributes.height;
        layout = {width, height, monitorsOf(display, window, width, height)};
        return true;
    }

    uint32_t frameFlags() const { return flags; }

    void present() {
        if (frameRate != nullptr) {
            frameRate->frameShown(scene->sceneTime());
            frameRate->draw(width, height);
        }
        glXSwapBuffers(display, window);
    }

    void sleep(int64_t microseconds) {
        timespec interval{static_cast<time_t>(microseconds / 1000000),
                          static_cast<long>(microseconds % 1000000) * 1000L};
        nanosleep(&interval, nullptr); // a signal cuts it short, as it should
    }

    int64_t delayMicroseconds() const { return delay; }
};

// Says which display was tried: the one -display named, DISPLAY's, or none.
int displayNotOpened(const std::string& named, const char* variable) {
    if (!named.empty()) {
        std::fprintf(stderr, "drowsel: cannot open the display \"%s\" (-display)\n", named.c_str());
    } else if (variable != nullptr && *variable != '\0') {
        std::fprintf(stderr, "drowsel: cannot open the display \"%s\" (the DISPLAY variable)\n",
                     variable);
    } else {
        std::fprintf(stderr, "drowsel: cannot open a display: the DISPLAY variable is not set "
                             "and no -display was given\n");
    }
    return 1;
}

int windowLost(Window window) {
    std::fprintf(stderr, "drowsel: the window 0x%lx went away\n",
                 static_cast<unsigned long>(window));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const HackOptions options = parseHackOptions(argc, argv, std::getenv("XSCREENSAVER_WINDOW"));
    if (options.help) {
        std::fputs(hackUsage, stdout);
        std::fputs(hackSwitches, stdout);
        return 0;
    }
    if (!options.error.empty()) {
        std::fprintf(stderr, "%s\n%s", options.error.c_str(), hackUsage);
        return 1;
    }
    Display* display = XOpenDisplay(options.display.empty() ? nullptr : options.display.c_str());
    if (display == nullptr) {
        return displayNotOpened(options.display, std::getenv("DISPLAY"));
    }
    XSetErrorHandler(noteError);
    XSetIOErrorHandler(displayLost);
    std::signal(SIGTERM, requestStop);
    std::signal(SIGINT, requestStop);
    int glxEvents = 0;
    glXQueryExtension(display, &errors.glxBase, &glxEvents);

    const bool ownWindow = options.target == HackOptions::Target::OwnWindow;
    Window window = options.target == HackOptions::Target::Root
                        ? virtualRoot(display)
                        : static_cast<Window>(options.window);
    XVisualInfo* visual = ownWindow ? chooseVisual(display, options) : visualOf(display, window);
    XSync(display, False);
    if (errors.badWindow) {
        std::fprintf(stderr, "drowsel: no window 0x%lx\n%s", static_cast<unsigned long>(window),
                     hackUsage);
        return 1;
    }
    if (visual == nullptr) {
        return fail("drowsel: no GLX visual with double-buffered RGBA for that window");
    }
    const Atom closeAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
    if (ownWindow) {
        window = openOwnWindow(display, visual, closeAtom);
    } else {
        XSelectInput(display, window, StructureNotifyMask);
    }
    // On the root, the monitors are asked again whenever RandR changes them.
    const Window root = DefaultRootWindow(display);
    int randrEvents = 0, randrErrors = 0;
    const bool randr = window == root && XRRQueryExtension(display, &randrEvents, &randrErrors);
    if (randr) {
        XRRSelectInput(display, root, RRScreenChangeNotifyMask);
    }
    GLXContext context = glXCreateContext(display, visual, nullptr, True);
    XFree(visual);
    if (context == nullptr || !glXMakeCurrent(display, window, context)) {
        return fail("drowsel: cannot make an OpenGL context current on the window");
    }
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    int width = attributes.width, height = attributes.height;
    auto scene = std::make_unique<Scene>(width, height, monitorsOf(display, window, width, height));
    std::unique_ptr<FrameRateOverlay> frameRate;
    if (options.showFrameRate) {
        frameRate = std::make_unique<FrameRateOverlay>(display);
    }
    HackFrameHost host{display,
                       window,
                       ownWindow,
                       closeAtom,
                       randr ? randrEvents : -1,
                       options.useMirrors ? Scene::mirrorFlag : 0u,
                       options.delayMicroseconds,
                       width,
                       height};
    host.scene = scene.get();
    host.frameRate = frameRate.get();
    XSync(display, False);
    errors.window = window;
    errors.running = true;

    runFrameLoop(host, *scene);
    const bool lost = !host.windowsStillThere();

    errors.running = false; // a window gone takes its drawable's errors with it
    frameRate.reset();
    scene.reset();
    glXMakeCurrent(display, None, nullptr);
    glXDestroyContext(display, context);
    if (ownWindow && !lost) {
        XDestroyWindow(display, window);
    }
    XCloseDisplay(display);
    return lost ? windowLost(window) : 0;
}
