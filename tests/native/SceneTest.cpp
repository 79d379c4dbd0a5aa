#include "tests/native/support/SceneFixture.h"
#include "tests/native/support/UniformKaleidoscope.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

constexpr double pi = 3.14159265358979;

struct Rgb {
    int r, g, b;
    int brightest() const { return std::max({r, g, b}); }
};

class SceneRendering : public SceneFixture {
  protected:
    explicit SceneRendering(int width = 256, int height = 256) : SceneFixture(width, height) {}

    void SetUp() override {
        SceneFixture::SetUp();
        if (!HasFatalFailure()) {
            pixels = context.readPixels();
        }
    }

    void capture() { pixels = context.readPixels(); }

    Rgb at(int x, int y) const {
        const size_t i = (static_cast<size_t>(y) * context.width() + x) * 4;
        return {pixels[i], pixels[i + 1], pixels[i + 2]};
    }

    // Pixel of a point in the plane z = 0: the camera is 5.5 units away with
    // a 90-degree vertical field of view.
    void project(double x, double y, int& column, int& row) const {
        const double aspect = static_cast<double>(context.width()) / context.height();
        column = static_cast<int>((x / (5.5 * aspect) + 1.0) / 2.0 * context.width());
        row = static_cast<int>((y / 5.5 + 1.0) / 2.0 * context.height());
    }

    Rgb atPoint(double x, double y) const {
        int column, row;
        project(x, y, column, row);
        return at(column, row);
    }

    void placeSign(int k, double x, double y, double scale, int tile, double time) {
        ::placeSign(*scene, k, x, y, scale, tile, time);
    }

    // Signs at seeded places on their crossings, each with its own picture,
    // for the frame at `time`: the picture no longer depends on the seed the
    // scene took from the calendar time.
    void scatterSigns(double time) {
        SignField& f = field();
        f.driftLength = 1 << 30; // no retarget, so no change of mirror set
        frameAt(time);
        f.uniformMode = false;
        f.baseScale = 0.75f;
        f.baseSpin = 90.0f;
        std::srand(42);
        for (int k = 0; k < SignField::signCount; ++k) {
            f.signs[k].phase = 0.04f + k * 0.12f;
            f.signs[k].respawn();
        }
        frameAt(time);
    }

    // All signs above the centre, where no wedge reaches.
    void placeAllAboveTheCentre(double time) {
        for (int k = 0; k < SignField::signCount; ++k) {
            placeSign(k, 0.5, 1.5, 0.4, 4, time);
        }
    }

    // Fraction of pixels inside the central disc (which keeps clear of the
    // logo strip) whose counterpart under `map` differs visibly.
    template <typename Map> double mismatchInDisc(Map map) const {
        const double half = context.width() / 2.0;
        int compared = 0, differing = 0;
        for (int y = 0; y < context.height(); ++y) {
            for (int x = 0; x < context.width(); ++x) {
                const double dx = x + 0.5 - half, dy = y + 0.5 - half;
                if (std::hypot(dx, dy) > 0.8 * half) {
                    continue;
                }
                double mx, my;
                map(dx, dy, mx, my);
                const int ox = static_cast<int>(std::floor(mx + half));
                const int oy = static_cast<int>(std::floor(my + half));
                const Rgb a = at(x, y), b = at(ox, oy);
                ++compared;
                differing += std::abs(a.r - b.r) > 48 || std::abs(a.g - b.g) > 48 ||
                             std::abs(a.b - b.b) > 48;
            }
        }
        return static_cast<double>(differing) / compared;
    }

    double litFraction() const {
        int lit = 0;
        for (int y = 0; y < context.height(); ++y) {
            for (int x = 0; x < context.width(); ++x) {
                lit += at(x, y).brightest() > 40;
            }
        }
        return static_cast<double>(lit) / (context.width() * context.height());
    }

    std::vector<uint8_t> pixels;
};

TEST_F(SceneRendering, EveryFrameIsCleared) {
    glClear(GL_COLOR_BUFFER_BIT); // black from the field's clear colour
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_TEXTURE_2D);
    glRectf(-5.0f, -5.0f, 5.0f, 5.0f); // a leftover the next frame must clear
    placeAllAboveTheCentre(0.5);
    scene->renderFrame(Scene::mirrorFlag);
    capture();
    EXPECT_EQ(scene->sleepInterval(), 41);
    EXPECT_EQ(at(5, 250).brightest(), 0);
    EXPECT_EQ(at(128, 128).brightest(), 0);
}

TEST_F(SceneRendering, MirroredPictureIsSymmetricLeftRightAndUnderRotationByTwoWedges) {
    for (int set : {0, 3, 7}) {
        scene->selectMirrorSet(set, false);
        scatterSigns(12.0 + set);
        capture();
        ASSERT_GT(litFraction(), 0.005) << set; // something to compare
        const double mirror = mismatchInDisc([](double x, double y, double& mx, double& my) {
            mx = -x;
            my = y;
        });
        EXPECT_LT(mirror, 0.02) << set;
        const double angle = 2.0 * scene->currentMirrorSet->wedgeAngle * pi / 180.0;
        const double turn = mismatchInDisc([angle](double x, double y, double& mx, double& my) {
            mx = x * std::cos(angle) - y * std::sin(angle);
            my = x * std::sin(angle) + y * std::cos(angle);
        });
        EXPECT_LT(turn, 0.1) << set; // edges resampled; a wrong angle gives over 0.25
    }
}

TEST_F(SceneRendering, WithoutMirrorsTheSignsAreDrawnOnceUnclippedAndTheFlagsTakeEffectAtOnce) {
    scene->selectMirrorSet(0, false);
    placeAllAboveTheCentre(5.0);
    frameAt(5.0, 0);
    capture();
    EXPECT_GT(atPoint(0.5, 1.5).brightest(), 150); // outside every wedge, yet drawn
    EXPECT_EQ(atPoint(-0.5, 1.5).brightest(), 0);  // and not reflected
    placeAllAboveTheCentre(5.1);
    frameAt(5.1, Scene::mirrorFlag | 0x1u | 0x80000000u); // other bits mean nothing
    capture();
    EXPECT_EQ(atPoint(0.5, 1.5).brightest(), 0); // clipped away: it lies in no wedge
    EXPECT_LT(litFraction(), 0.001);
    placeAllAboveTheCentre(5.2);
    frameAt(5.2, 0xFFFEFFFFu); // every bit but 16: mirrors off
    capture();
    EXPECT_GT(atPoint(0.5, 1.5).brightest(), 150);
}

TEST_F(SceneRendering, DirectAndMirroredCopiesOfAWedgeAreBothVisible) {
    for (int set : {0, 7}) {
        scene->selectMirrorSet(set, false);
        const double wedge = scene->currentMirrorSet->wedgeAngle * pi / 180.0;
        const double radius = 2.6;
        const double time = 3.0 + set;
        // Every sign in the middle of the first wedge, 270 degrees + half a wedge.
        for (int k = 0; k < SignField::signCount; ++k) {
            placeSign(k, radius * std::sin(wedge / 2), -radius * std::cos(wedge / 2), 0.15, 4,
                      time);
        }
        frameAt(time);
        capture();
        const int count = scene->currentMirrorSet->wedgeCount;
        for (int j = 0; j < count; ++j) {
            const double direction = 1.5 * pi + wedge / 2 + j * wedge;
            EXPECT_GT(
                atPoint(radius * std::cos(direction), radius * std::sin(direction)).brightest(),
                150)
                << "set " << set << " wedge " << j;
        }
    }
}

TEST_F(SceneRendering, ASignReachingIntoTheWedgeByAFewPixelsIsStillDrawn) {
    scene->selectMirrorSet(0, false);
    placeAllAboveTheCentre(4.0);
    replaceTexture(field().textures->atlas.texture, {255, 255, 255, 255});
    // A white square left of plane 0 (x = 0) but for its right 0.1 units.
    placeSign(0, -0.5 + 0.1, -2.5, 0.5, 4, 4.0);
    frameAt(4.0);
    capture();
    EXPECT_GT(atPoint(0.05, -2.5).brightest(), 150);
    EXPECT_GT(atPoint(-0.05, -2.5).brightest(), 150); // and its reflection
}

TEST_F(SceneRendering, WithAFailedAtlasSignsShowAsPlainSquaresAndAZeroHeightSurfaceIsSafe) {
    TextureImage& atlas = field().textures->atlas;
    glDeleteTextures(1, &atlas.texture);
    atlas = TextureImage{};
    placeAllAboveTheCentre(2.0);
    for (int k = 0; k < SignField::signCount; ++k) {
        field().signs[k].u = field().signs[k].v = 0.0f; // as a respawn with no atlas leaves them
        field().signs[k].du = field().signs[k].dv = 0.0f;
    }
    frameAt(2.0, 0);
    capture();
    const Rgb plain = atPoint(0.5, 1.5);
    EXPECT_GE(std::min({plain.r, plain.g, plain.b}), 250); // texture 0 has no image: untextured

    Scene collapsed(64, 0); // builds and draws without a finite aspect ratio
    EXPECT_TRUE(collapsed.renderFrame(Scene::mirrorFlag));
}

// Every pixel of the kaleidoscope shows exactly one copy of each layer: with
// uniform pictures every layer adds a known grey, and a pixel on a wedge edge
// drawn by both neighbouring copies, or by neither, stands out from the
// pixels beside it. At every standard count, at angles of a transition
// (where the last pass may overlap the first), at several surface sizes and
// on a surface that two monitors show; in the frame that marks the edges and
// in the next, which reuses them; where the stencil buffer does not outlive a
// frame, and where it is damaged between frames (it must mend within a
// second). Without a stencil buffer the clip planes alone cut the wedges: the
// layers are still counted, the hairline seams are expected.
TEST_F(SceneRendering, WedgesMeetWithoutSeamsAtEveryCountAngleAndSize) {
    std::vector<float> angles;
    for (int wedges = 10; wedges <= 24; wedges += 2) {
        angles.push_back(360.0f / static_cast<float>(wedges));
    }
    // 15.5 degrees keeps the count of the 15 before it, not its edges.
    for (float during : {15.5f, 33.0f, 26.0f, 19.5f}) {
        angles.push_back(during);
    }
    struct Surface {
        int width, height;
        std::vector<Viewport> monitors; // none: the whole surface is one view
        int stencilBits;
        bool stencilLost; // cleared before every frame, as by a swap that drops it
        bool damaged;     // cleared once between frames, as under another window
    };
    const std::vector<Surface> surfaces = {
        {1024, 768, {}, 8, false, true},
        {1920, 1080, {}, 8, false, false},
        {1366, 768, {}, 8, false, false},
        {153, 113, {}, 8, true, false},
        {1824, 768, {{0, 0, 1024, 768}, {1024, 168, 800, 600}}, 8, false, false},
        {320, 240, {}, 0, false, false},
    };
    // Eight layers of alpha 40 over black, as the blending rounds them; sixteen
    // where the last pass reaches over the first. Copies left unclipped would
    // pile up to white.
    constexpr int eightLayers = 190, sixteenLayers = 238;
    scene.reset();
    for (const Surface& surface : surfaces) {
        OffscreenContext offscreen(surface.width, surface.height, surface.stencilBits);
        ASSERT_TRUE(offscreen.valid());
        const std::vector<Viewport> views =
            surface.monitors.empty() ? std::vector<Viewport>{{0, 0, surface.width, surface.height}}
                                     : surface.monitors;
        scene = std::make_unique<Scene>(surface.width, surface.height, views);
        double time = 10.0;
        for (float angle : angles) {
            time += 2.0;
            coverWedgesUniformly(*scene, time);
            // A transition between equal angles draws exactly that angle.
            mirrorTransition.active = true;
            mirrorTransition.fromAngle = mirrorTransition.toAngle = angle;
            mirrorTransition.startTime = static_cast<float>(time);
            mirrorTransition.duration = 2.0f;
            MirrorSet drawn;
            buildMirrorSet(drawn, angle);
            for (double later : {0.0, 0.5, 0.7, 1.6}) {
                if (later > 0.5 && !surface.damaged) {
                    break;
                }
                const bool damage = later == 0.7;
                if (surface.stencilLost || damage) {
                    glClear(GL_STENCIL_BUFFER_BIT);
                }
                frameAt(time + later);
                if (damage) {
                    continue; // it shows until the strips are marked anew
                }
                const std::vector<uint8_t> image = offscreen.readPixels();
                for (const Viewport& view : views) {
                    std::vector<uint8_t> shown;
                    for (int row = view.y; row < view.y + view.height; ++row) {
                        const auto from = image.begin() + (row * surface.width + view.x) * 4;
                        shown.insert(shown.end(), from, from + view.width * 4);
                    }
                    const size_t below =
                        view.height / 4 * static_cast<size_t>(view.width) + view.width / 2;
                    SCOPED_TRACE(testing::Message() << view.width << " x " << view.height << " at "
                                                    << angle << " degrees, " << later << " s");
                    EXPECT_GE(shown[below * 4], eightLayers - 3);
                    EXPECT_LE(shown[below * 4], sixteenLayers + 3);
                    if (surface.stencilBits > 0) {
                        EXPECT_EQ(seamPixels(shown, view.width, view.height, drawn), 0);
                    }
                }
            }
        }
        scene.reset();
    }
    context.makeCurrent();
}

class LogoStrip : public SceneRendering {
  protected:
    LogoStrip() : SceneRendering(320, 240) {}

    // A logo of one uniform mask value, so the strip's colour can be read
    // from any of its pixels.
    void useUniformLogo(uint8_t mask) { replaceTexture(field().textures->logo.texture, {mask}); }

    Rgb stripAt(double time) {
        placeAllAboveTheCentre(time);
        frameAt(time);
        capture();
        return atPoint(5.0, -5.0);
    }
};

TEST_F(LogoStrip, DrawnOnceAFrameYellowAtStartBlueAtTenPiAtATenthOfItsMask) {
    useUniformLogo(255);
    scene->selectMirrorSet(7, false); // 24 wedges: still one strip
    const Rgb start = stripAt(0.0);
    EXPECT_NEAR(start.r, 25.5, 1.5);
    EXPECT_NEAR(start.g, 25.5, 1.5);
    EXPECT_NEAR(start.b, 0, 1.5);
    const Rgb blue = stripAt(10 * pi);
    EXPECT_NEAR(blue.r, 0, 1.5);
    EXPECT_NEAR(blue.g, 0, 1.5);
    EXPECT_NEAR(blue.b, 25.5, 1.5);
    useUniformLogo(128);
    const Rgb half = stripAt(10 * pi + 0.1);
    EXPECT_NEAR(half.b, 12.8, 1.5);
    // Outside the strip nothing is drawn.
    EXPECT_EQ(atPoint(5.0, -4.0).brightest(), 0);
}

TEST_F(LogoStrip, TheEmbeddedLogoGlowsInTheLowerRightCorner) {
    placeAllAboveTheCentre(0.0);
    frameAt(0.0);
    capture();
    int glowing = 0, brightest = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 200; x < 320; ++x) {
            glowing += at(x, y).brightest() > 3;
            brightest = std::max(brightest, at(x, y).brightest());
        }
    }
    EXPECT_GT(glowing, 30);
    EXPECT_LE(brightest, 26); // never more than a tenth of full brightness
}

TEST_F(SceneRendering, BlinkDimsInOddOrEvenWholeSeconds) {
    scene->selectMirrorSet(0, false);
    struct Case {
        int blink;
        bool dimmedInEven;
        bool dimmedInOdd;
    };
    for (const Case& c :
         {Case{0, false, false}, Case{1, false, true}, Case{2, true, false}, Case{3, true, true}}) {
        int brightness[2];
        for (int second = 0; second < 2; ++second) {
            const double time = 20.0 + second + 0.5;
            placeAllAboveTheCentre(time);
            for (int k = 1; k < SignField::signCount; ++k) {
                field().signs[k].position.y = 100.0f; // out of view
            }
            field().signs[0].blink = c.blink;
            frameAt(time, 0);
            capture();
            brightness[second] = atPoint(0.5, 1.5).brightest();
        }
        const int bright = std::max(brightness[0], brightness[1]);
        EXPECT_EQ(brightness[0] < 0.3 * 255, c.dimmedInEven) << c.blink << " " << bright;
        EXPECT_EQ(brightness[1] < 0.3 * 255, c.dimmedInOdd) << c.blink << " " << bright;
    }
}

} // namespace
