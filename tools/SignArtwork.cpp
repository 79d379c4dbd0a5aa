#include "tools/SignArtwork.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Point {
    double x;
    double y;
};

struct Colour {
    uint8_t r, g, b;
};

const Colour red{215, 25, 32};
const Colour white{248, 248, 248};
const Colour black{18, 18, 18};
const Colour yellow{255, 204, 0};
const Colour blue{0, 84, 200};
const Colour green{0, 150, 72};
const Colour orange{255, 118, 0};

enum class ShapeKind { Disc, Polygon, Stroke };

// One filled shape in sign units: the plate spans -1..1, y up.
struct Shape {
    ShapeKind kind;
    std::vector<Point> points; // disc: centre; polygon: convex corners; stroke: polyline
    double size;               // disc: radius; stroke: half width
};

struct Layer {
    Shape shape;
    Colour colour;
};

using Sign = std::vector<Layer>;

double length(double x, double y) {
    return std::sqrt(x * x + y * y);
}

double segmentDistance(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    double t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0;
    t = std::clamp(t, 0.0, 1.0);
    return length(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// Signed distance, negative inside. For polygons the largest edge distance,
// exact along the edges, which is where anti-aliasing needs it.
double signedDistance(const Shape& shape, Point p) {
    switch (shape.kind) {
    case ShapeKind::Disc:
        return length(p.x - shape.points[0].x, p.y - shape.points[0].y) - shape.size;
    case ShapeKind::Polygon: {
        double distance = -1e9;
        const size_t count = shape.points.size();
        double area = 0;
        for (size_t i = 0; i < count; ++i) {
            const Point a = shape.points[i], b = shape.points[(i + 1) % count];
            area += a.x * b.y - b.x * a.y;
        }
        const double orientation = area > 0 ? 1 : -1;
        for (size_t i = 0; i < count; ++i) {
            const Point a = shape.points[i], b = shape.points[(i + 1) % count];
            const double ex = b.x - a.x, ey = b.y - a.y;
            const double outward = orientation * (ex * (p.y - a.y) - ey * (p.x - a.x));
            distance = std::max(distance, -outward / length(ex, ey));
        }
        return distance;
    }
    case ShapeKind::Stroke: {
        double distance = 1e9;
        for (size_t i = 0; i + 1 < shape.points.size(); ++i) {
            distance = std::min(distance, segmentDistance(p, shape.points[i], shape.points[i + 1]));
        }
        return distance - shape.size;
    }
    }
    return 1e9;
}

Shape disc(double radius, Point centre = {0, 0}) {
    return {ShapeKind::Disc, {centre}, radius};
}

Shape regular(int corners, double radius, double rotationDegrees, Point centre = {0, 0}) {
    Shape shape{ShapeKind::Polygon, {}, 0};
    for (int i = 0; i < corners; ++i) {
        const double angle = (rotationDegrees + 360.0 * i / corners) * M_PI / 180.0;
        shape.points.push_back(
            {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    }
    return shape;
}

Shape polygon(std::vector<Point> points) {
    return {ShapeKind::Polygon, std::move(points), 0};
}

Shape box(double left, double bottom, double right, double top) {
    return polygon({{left, bottom}, {right, bottom}, {right, top}, {left, top}});
}

Shape stroke(std::vector<Point> points, double halfWidth) {
    return {ShapeKind::Stroke, std::move(points), halfWidth};
}

// Triangle scaled about its centroid.
Shape triangle(Point a, Point b, Point c, double scale = 1.0) {
    const Point centroid{(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3};
    auto scaled = [&](Point p) {
        return Point{centroid.x + (p.x - centroid.x) * scale,
                     centroid.y + (p.y - centroid.y) * scale};
    };
    return polygon({scaled(a), scaled(b), scaled(c)});
}

std::vector<Layer> arrow(Point tail, Point tip, double halfWidth, double headLength,
                         double headHalfWidth, Colour colour) {
    const double dx = tip.x - tail.x, dy = tip.y - tail.y;
    const double span = length(dx, dy);
    const double ux = dx / span, uy = dy / span;
    const Point base{tip.x - ux * headLength, tip.y - uy * headLength};
    const Point shaftEnd{base.x + ux * 0.02, base.y + uy * 0.02};
    return {{stroke({tail, shaftEnd}, halfWidth), colour},
            {polygon({tip,
                      {base.x - uy * headHalfWidth, base.y + ux * headHalfWidth},
                      {base.x + uy * headHalfWidth, base.y - ux * headHalfWidth}}),
             colour}};
}

Sign join(Sign sign, const std::vector<Layer>& more) {
    sign.insert(sign.end(), more.begin(), more.end());
    return sign;
}

const Point up{0, 1}, lowerLeft{-1, -0.78}, lowerRight{1, -0.78};
const Point down{0, -1}, upperLeft{-1, 0.78}, upperRight{1, 0.78};

std::vector<Sign> makeSigns() {
    std::vector<Sign> signs;
    // 0: octagonal stop plate with a white ring and bar.
    signs.push_back({{regular(8, 1, 22.5), red},
                     {regular(8, 0.9, 22.5), white},
                     {regular(8, 0.82, 22.5), red},
                     {box(-0.56, -0.15, 0.56, 0.15), white}});
    // 1: triangular warning sign with an exclamation mark.
    signs.push_back({{triangle(up, lowerLeft, lowerRight), red},
                     {triangle(up, lowerLeft, lowerRight, 0.72), white},
                     {stroke({{0, 0.32}, {0, -0.18}}, 0.085), black},
                     {disc(0.095, {0, -0.42}), black}});
    // 2: priority diamond, white rim, yellow centre, black line.
    signs.push_back(
        {{regular(4, 1, 0), white}, {regular(4, 0.8, 0), black}, {regular(4, 0.72, 0), yellow}});
    // 3: blue round sign with a white arrow straight ahead.
    signs.push_back(join({{disc(1), white}, {disc(0.92), blue}},
                         arrow({0, -0.62}, {0, 0.66}, 0.13, 0.48, 0.42, white)));
    // 4: no entry.
    signs.push_back({{disc(1), red}, {box(-0.66, -0.17, 0.66, 0.17), white}});
    // 5: give way, a triangle on its point.
    signs.push_back({{triangle(down, upperRight, upperLeft), red},
                     {triangle(down, upperRight, upperLeft, 0.66), white}});
    // 6: blue parking plate.
    signs.push_back({{regular(4, 1.34, 45), white},
                     {regular(4, 1.22, 45), blue},
                     {disc(0.34, {0.04, 0.22}), white},
                     {disc(0.17, {0.04, 0.22}), blue},
                     {stroke({{-0.26, -0.58}, {-0.26, 0.56}}, 0.12), white},
                     {box(-0.26, 0.44, 0.04, 0.56), white},
                     {box(-0.26, -0.12, 0.04, 0.0), white}});
    // 7: green direction plate with a white arrow to the right.
    signs.push_back(join({{regular(4, 1.34, 45), white}, {regular(4, 1.22, 45), green}},
                         arrow({-0.62, 0}, {0.66, 0}, 0.13, 0.48, 0.42, white)));
    // 8: no straight ahead: red ring, black arrow, red slash.
    signs.push_back(join(join({{disc(1), red}, {disc(0.78), white}},
                              arrow({0, -0.55}, {0, 0.58}, 0.1, 0.38, 0.32, black)),
                         {{stroke({{-0.55, -0.55}, {0.55, 0.55}}, 0.11), red}}));
    // 9: orange diamond with a black two-way arrow.
    signs.push_back(join(join({{regular(4, 1, 0), black}, {regular(4, 0.86, 0), orange}},
                              arrow({0, 0}, {0.6, 0}, 0.08, 0.26, 0.22, black)),
                         arrow({0, 0}, {-0.6, 0}, 0.08, 0.26, 0.22, black)));
    // 10: blue roundabout sign.
    {
        Sign sign{{disc(1), white}, {disc(0.92), blue}, {disc(0.56), white}, {disc(0.36), blue}};
        for (int i = 0; i < 3; ++i) {
            const double angle = (90 + 120 * i) * M_PI / 180;
            const Point centre{0.46 * std::cos(angle), 0.46 * std::sin(angle)};
            const double tangent = angle - M_PI / 2;
            const Point tip{centre.x + 0.28 * std::cos(tangent),
                            centre.y + 0.28 * std::sin(tangent)};
            const Point left{centre.x + 0.22 * std::cos(angle), centre.y + 0.22 * std::sin(angle)};
            const Point right{centre.x - 0.22 * std::cos(angle), centre.y - 0.22 * std::sin(angle)};
            sign.push_back({polygon({tip, left, right}), white});
        }
        signs.push_back(sign);
    }
    // 11: yellow warning triangle with a black bumpy-road zigzag.
    signs.push_back(
        {{triangle(up, lowerLeft, lowerRight), black},
         {triangle(up, lowerLeft, lowerRight, 0.8), yellow},
         {stroke({{-0.42, -0.36}, {-0.14, 0.02}, {0.06, -0.22}, {0.4, 0.22}}, 0.075), black}});
    // 12: green round information sign with a white "i".
    signs.push_back({{disc(1), green},
                     {disc(0.9), white},
                     {disc(0.82), green},
                     {disc(0.12, {0, 0.4}), white},
                     {stroke({{0, -0.5}, {0, 0.12}}, 0.11), white}});
    // 13: red square plate with a white cross.
    signs.push_back({{regular(4, 1.32, 45), white},
                     {regular(4, 1.2, 45), red},
                     {box(-0.16, -0.58, 0.16, 0.58), white},
                     {box(-0.58, -0.16, 0.58, 0.16), white}});
    // 14: yellow round sign with a black rim and a black cross.
    signs.push_back({{disc(1), black},
                     {disc(0.86), yellow},
                     {stroke({{-0.42, -0.42}, {0.42, 0.42}}, 0.12), black},
                     {stroke({{-0.42, 0.42}, {0.42, -0.42}}, 0.12), black}});
    // 15: blue octagon with a white rim and a white diagonal arrow.
    signs.push_back(join({{regular(8, 1, 22.5), white}, {regular(8, 0.9, 22.5), blue}},
                         arrow({-0.5, -0.5}, {0.56, 0.56}, 0.12, 0.44, 0.38, white)));
    return signs;
}

const std::vector<Sign>& allSigns() {
    static const std::vector<Sign> signs = makeSigns();
    return signs;
}

constexpr double pixelsPerUnit = 60.0; // the plate's radius in pixels
constexpr double rimReach = 3.0;       // pixels of rim colour beyond the edge
constexpr int subsamples = 4;          // per axis, for edges inside the plate

Point signPoint(double x, double y) {
    const double centre = signCellSize / 2.0;
    return {(x - centre) / pixelsPerUnit, (centre - y) / pixelsPerUnit};
}

uint8_t toByte(double value) {
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

} // namespace

SignSample sampleSign(int cell, int x, int y) {
    const Sign& sign = allSigns()[cell];
    SignSample sample{};
    const double plate = signedDistance(sign[0].shape, signPoint(x + 0.5, y + 0.5));
    const double platePixels = plate * pixelsPerUnit;
    sample.coverage = toByte(0.5 - platePixels / 1.5);
    if (platePixels > rimReach) {
        return sample; // black beyond the rim's reach
    }
    double sum[3] = {0, 0, 0};
    for (int sy = 0; sy < subsamples; ++sy) {
        for (int sx = 0; sx < subsamples; ++sx) {
            const Point p = signPoint(x + (sx + 0.5) / subsamples, y + (sy + 0.5) / subsamples);
            Colour colour = sign[0].colour;
            for (const Layer& layer : sign) {
                if (signedDistance(layer.shape, p) < 0) {
                    colour = layer.colour;
                }
            }
            sum[0] += colour.r;
            sum[1] += colour.g;
            sum[2] += colour.b;
        }
    }
    for (int c = 0; c < 3; ++c) {
        sample.colour[c] = toByte(sum[c] / (subsamples * subsamples * 255.0));
    }
    return sample;
}

namespace {

// Letters as polylines in a unit box, y up.
std::vector<std::vector<Point>> letterStrokes(char letter) {
    switch (letter) {
    case 'D':
        return {{{0, 0}, {0, 1}, {0.6, 1}, {0.88, 0.84}, {1, 0.5}, {0.88, 0.16}, {0.6, 0}, {0, 0}}};
    case 'R':
        return {{{0, 0}, {0, 1}, {0.78, 1}, {0.98, 0.86}, {0.98, 0.64}, {0.78, 0.5}, {0, 0.5}},
                {{0.5, 0.5}, {1, 0}}};
    case 'O': {
        std::vector<Point> ring;
        for (int i = 0; i <= 32; ++i) {
            const double angle = i * 2 * M_PI / 32;
            ring.push_back({0.5 + 0.5 * std::cos(angle), 0.5 + 0.5 * std::sin(angle)});
        }
        return {ring};
    }
    case 'W':
        return {{{0, 1}, {0.24, 0}, {0.5, 0.62}, {0.76, 0}, {1, 1}}};
    case 'S':
        return {{{1, 0.88},
                 {0.82, 1},
                 {0.18, 1},
                 {0, 0.86},
                 {0, 0.64},
                 {0.18, 0.5},
                 {0.82, 0.5},
                 {1, 0.36},
                 {1, 0.14},
                 {0.82, 0},
                 {0.18, 0},
                 {0, 0.12}}};
    case 'E':
        return {{{1, 1}, {0, 1}, {0, 0}, {1, 0}}, {{0, 0.5}, {0.72, 0.5}}};
    case 'L':
        return {{{0, 1}, {0, 0}, {1, 0}}};
    }
    return {};
}

} // namespace

uint8_t sampleLogo(int x, int y, int width, int height) {
    const char word[] = "DROWSEL";
    const int letters = sizeof word - 1;
    const double letterHeight = height * 0.7;
    const double letterWidth = width * 0.1;
    const double gap = (width * 0.92 - letters * letterWidth) / (letters - 1);
    const double left = (width - letters * letterWidth - (letters - 1) * gap) / 2;
    const double bottom = (height + letterHeight) / 2; // pixel row of the baseline
    const double halfWidth = height * 0.1;
    const Point p{x + 0.5, y + 0.5};
    double distance = 1e9;
    for (int i = 0; i < letters; ++i) {
        for (const auto& polyline : letterStrokes(word[i])) {
            std::vector<Point> pixels;
            for (Point q : polyline) {
                pixels.push_back({left + i * (letterWidth + gap) + q.x * letterWidth,
                                  bottom - q.y * letterHeight});
            }
            for (size_t k = 0; k + 1 < pixels.size(); ++k) {
                distance = std::min(distance, segmentDistance(p, pixels[k], pixels[k + 1]));
            }
        }
    }
    return toByte(halfWidth + 0.5 - distance);
}
