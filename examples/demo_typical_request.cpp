// A 400 x 300 pixel layer, turned and tilted in 3D, seen by a camera that moves towards it and
// through it. For each camera position the layer goes to eye space and to an 800 x 600 screen,
// is clipped at the near plane, hit-tested on a grid of screen points and measured; the numbers
// are printed and drawn into an SVG picture per position.
#include "demo_typical_request.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tal/matrix.h"
#include "tal/poly.h"

namespace {

typedef Tal_Vector2T<double> V2;
typedef Tal_Vector3T<double> V3;

constexpr double kViewW = 800, kViewH = 600, kFocal = 400;
constexpr int kGridStep = 40;
const V2 kLayer[4] = {{0, 0}, {400, 0}, {400, 300}, {0, 300}};
const V2 kProbe = {430, 320};                                  // where the host's pointer is
const double kEyeDistances[] = {2.0, 0.55, 0.25, -0.3, -0.8};  // camera to layer centre

// Layer pixels to world units: centred, 400 pixels a unit, turned 60 degrees about y and
// tilted 20 degrees about x, so that one corner comes nearest the camera.
Tal_Matrix4 LayerToWorld() {
    Tal_Matrix4 m;
    m.SetIdentity().Translate(-200, -150, 0).Scale(0.0025, 0.0025, 0.0025).RotateXYZ(0.35, 1.05, 0);
    return m;
}

// Eye space to screen pixels: the perspective divide by z / focal, then the view centre.
Tal_Matrix4 EyeToScreen(const Tal_Matrix3& screen) {
    Tal_Matrix4 m;
    m.SetIdentity().Project(kFocal);
    m *= screen;
    return m;
}

struct Frame {
    int index = 0;
    double distance = 0;
    V3 eye[4] = {};            // the corners in eye space, for the side view
    bool behind[4] = {};       // GetPoint refuses the corners behind the near plane
    bool mappedAlone[4] = {};  // Tal_TransformPoint3DtoScreen agrees corner by corner
    std::vector<V2> outline;
    std::vector<std::pair<V2, V2>> edges;  // the visible part of each edge
    std::vector<bool> edgeSeen;
    std::vector<std::pair<V2, bool>> hits;
    int inside = 0;
    double area = 0, probeDistance = 0;
    bool visible = false, probeInside = false;
};

Frame Look(int index, double distance) {
    Frame f;
    f.index = index;
    f.distance = distance;
    Tal_Matrix4 toEye = LayerToWorld();
    toEye.Translate(0, 0, distance);  // the camera sits at the eye-space origin
    const Tal_Matrix4 projection = Tal_Matrix4().SetIdentity().Project(kFocal);
    const Tal_Matrix3 screen = Tal_Matrix3().SetIdentity().Translate(kViewW / 2, kViewH / 2);

    Tal_TransformPoly3D layer;
    for (long i = 0; i < 4; ++i) {
        layer.SetLayerPoint(i, kLayer[i]);
        f.eye[i] = {kLayer[i].x, kLayer[i].y, 0};
        toEye.TransformPoint(&f.eye[i]);
    }
    layer.TransformPointsToEye(toEye);
    layer.TransformPointsToScreen(EyeToScreen(screen));
    layer.InitPolyPoints();

    f.visible = layer.IsVisible();
    for (long i = 0; i < 4; ++i) {
        V2 p = kLayer[i];
        f.behind[i] = !layer.GetPoint(i, &p);
        p = kLayer[i];
        f.mappedAlone[i] = Tal_TransformPoint3DtoScreen(toEye, projection, screen, &p);
        std::pair<V2, V2> e;
        f.edgeSeen.push_back(layer.GetEdge(i, &e));
        f.edges.push_back(e);
    }
    f.outline.assign(layer.GetPolyPoints(), layer.GetPolyPoints() + layer.NumPolyPoints());
    f.area = Tal_SignedPolygonArea2D(f.outline.data(), long(f.outline.size()));
    for (int y = kGridStep / 2; y < kViewH; y += kGridStep) {
        for (int x = kGridStep / 2; x < kViewW; x += kGridStep) {
            const V2 q{double(x), double(y)};
            const bool in = layer.IsPointInside(&q, 0.0);
            f.hits.push_back({q, in});
            f.inside += in;
        }
    }
    f.probeInside = layer.IsPointInside(&kProbe, 4.0);
    f.probeDistance = layer.GetMinimumEdgeDistance(&kProbe);
    return f;
}

// ---- Summary ------------------------------------------------------------------------------------

void PrintFrame(const Frame& f) {
    std::printf("  camera %d: layer centre at eye depth %.2f\n", f.index, f.distance);
    std::string corners;
    int behind = 0;
    for (int i = 0; i < 4; ++i) {
        char buf[48];
        std::snprintf(buf, sizeof buf, "%s%d z=%.2f%s", i ? ", " : "", i, f.eye[i].z,
                      f.behind[i] ? " behind" : "");
        corners += buf;
        behind += f.behind[i];
    }
    std::printf("    eye-space corners: %s\n", corners.c_str());
    bool agree = true;
    for (int i = 0; i < 4; ++i)
        agree &= f.mappedAlone[i] == !f.behind[i];
    std::printf(
        "    %d behind the near plane z = 0.1 -> outline of %zu points, %s; single-point "
        "mapping %s\n",
        behind, f.outline.size(), f.visible ? "visible" : "nothing left to see",
        agree ? "refuses the same corners" : "DISAGREES");
    if (f.outline.empty()) return;
    std::string edges;
    for (int i = 0; i < 4; ++i) {
        const bool cut = f.behind[i] != f.behind[(i + 1) % 4];
        edges += std::string(i ? ", " : "") + (!f.edgeSeen[i] ? "hidden" : cut ? "cut" : "whole");
    }
    // Layer corners run clockwise on the y-down screen, which the area counts as positive.
    std::printf("    edges %s; signed area %.0f px^2 (%s face towards the camera)\n", edges.c_str(),
                f.area, f.area >= 0 ? "front" : "back");
    std::printf("    %d of %zu grid points inside\n", f.inside, f.hits.size());
    std::printf("    pointer at (%.0f, %.0f): %s, %.1f px from the nearest visible edge\n",
                kProbe.x, kProbe.y, f.probeInside ? "on the layer" : "off the layer",
                f.probeDistance);
}

// ---- Picture ------------------------------------------------------------------------------------
// The picture shows three screens' width and height around the screen itself, so that the
// clipped outline can be followed where it leaves the screen towards the near plane.

constexpr double kCanvasLeft = -kViewW, kCanvasTop = -kViewH;

void Polygon(std::FILE* out, const std::vector<V2>& v, const char* style) {
    std::fprintf(out, "<polygon points=\"");
    for (const V2& p : v)
        std::fprintf(out, "%.1f,%.1f ", p.x, p.y);
    std::fprintf(out, "\" %s/>\n", style);
}

void Line(std::FILE* out, V2 a, V2 b, const char* style) {
    std::fprintf(out, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" %s/>\n", a.x, a.y, b.x,
                 b.y, style);
}

void Text(std::FILE* out, double x, double y, int size, const char* text) {
    std::fprintf(out, "<text x=\"%g\" y=\"%g\" font-size=\"%d\">%s</text>\n", x, y, size, text);
}

// The layer seen from above in eye space: x across, depth z upwards from the eye.
void TopView(std::FILE* out, const Frame& f) {
    const double left = kCanvasLeft + 3 * kViewW - 520, top = kCanvasTop + 20, w = 500, h = 400;
    const double scale = 75;  // eye-space units to picture units
    auto at = [&](double x, double z) {
        return V2{left + w / 2 + x * scale, top + h - 110 - z * scale};
    };
    std::fprintf(out,
                 "<rect x=\"%g\" y=\"%g\" width=\"%g\" height=\"%g\" fill=\"#fafafa\" "
                 "stroke=\"#999\" stroke-width=\"3\"/>\n<clipPath id=\"top\"><rect x=\"%g\" "
                 "y=\"%g\" width=\"%g\" height=\"%g\"/></clipPath>\n<g clip-path=\"url(#top)\">\n",
                 left, top, w, h, left, top, w, h);
    Text(out, left + 15, top + 40, 30, "eye space from above");
    Line(out, at(-2.2, 0.1), at(2.2, 0.1),
         "stroke=\"#d33\" stroke-width=\"4\" stroke-dasharray=\"14 10\"");
    Text(out, left + 15, at(0, 0.1).y - 10, 24, "near plane z = 0.1");
    std::fprintf(out, "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"9\" fill=\"#333\"/>\n", at(0, 0).x,
                 at(0, 0).y);
    for (int i = 0; i < 4; ++i) {
        const V3 a = f.eye[i], b = f.eye[(i + 1) % 4];
        Line(out, at(a.x, a.z), at(b.x, b.z), "stroke=\"#36c\" stroke-width=\"5\"");
    }
    std::fprintf(out, "</g>\n");
}

// True when a-b is the visible part of an edge; the other outline segments run along the cut.
bool IsLayerEdge(const Frame& f, V2 a, V2 b) {
    for (size_t i = 0; i < f.edges.size(); ++i) {
        const V2 &e0 = f.edges[i].first, &e1 = f.edges[i].second;
        if (f.edgeSeen[i] && a.x == e0.x && a.y == e0.y && b.x == e1.x && b.y == e1.y) return true;
    }
    return false;
}

bool WritePicture(const std::string& path, const Frame& f) {
    // Binary mode: the same bytes on every platform, no CRLF on Windows.
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    std::fprintf(out,
                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%g\" height=\"%g\" "
                 "viewBox=\"%g %g %g %g\" font-family=\"sans-serif\">\n"
                 "<rect x=\"%g\" y=\"%g\" width=\"%g\" height=\"%g\" fill=\"#eee\"/>\n"
                 "<rect width=\"%g\" height=\"%g\" fill=\"white\" stroke=\"#666\" "
                 "stroke-width=\"4\"/>\n",
                 kViewW * 1.2, kViewH * 1.2, kCanvasLeft, kCanvasTop, 3 * kViewW, 3 * kViewH,
                 kCanvasLeft, kCanvasTop, 3 * kViewW, 3 * kViewH, kViewW, kViewH);
    if (!f.outline.empty())
        Polygon(out, f.outline, "fill=\"#9cf\" fill-opacity=\"0.45\" stroke=\"none\"");
    for (size_t i = 0; i < f.edges.size(); ++i) {
        if (f.edgeSeen[i])
            Line(out, f.edges[i].first, f.edges[i].second, "stroke=\"#36c\" stroke-width=\"5\"");
    }
    for (size_t k = 0; f.outline.size() > 2 && k < f.outline.size(); ++k) {
        const V2 a = f.outline[k], b = f.outline[(k + 1) % f.outline.size()];
        if (!IsLayerEdge(f, a, b))
            Line(out, a, b, "stroke=\"#d33\" stroke-width=\"5\" stroke-dasharray=\"16 10\"");
    }
    for (const auto& h : f.hits)
        std::fprintf(out, "<circle cx=\"%g\" cy=\"%g\" r=\"6\" fill=\"%s\"/>\n", h.first.x,
                     h.first.y, h.second ? "#2a2" : "#bbb");
    if (f.probeDistance >= 0)
        std::fprintf(out,
                     "<circle cx=\"%g\" cy=\"%g\" r=\"%.1f\" fill=\"none\" stroke=\"#e80\" "
                     "stroke-width=\"3\" stroke-dasharray=\"8 8\"/>\n",
                     kProbe.x, kProbe.y, f.probeDistance);
    std::fprintf(out, "<circle cx=\"%g\" cy=\"%g\" r=\"10\" fill=\"#e80\"/>\n", kProbe.x, kProbe.y);
    TopView(out, f);
    char title[160];
    std::snprintf(title, sizeof title,
                  "camera %d, layer centre at depth %.2f: %zu outline points, %d of %zu hits",
                  f.index, f.distance, f.outline.size(), f.inside, f.hits.size());
    Text(out, kCanvasLeft + 30, kCanvasTop + 60, 44, title);
    Text(out, kCanvasLeft + 30, kCanvasTop + 3 * kViewH - 30, 30,
         "white: the screen; blue: visible edges and clipped outline; red dashes: cut by the near "
         "plane; green: hit; orange: pointer and nearest-edge distance");
    std::fprintf(out, "</svg>\n");
    return std::fclose(out) == 0;
}

}  // namespace

int RunTypicalRequest(const char* outDir) {
    std::printf(
        "\nThe typical request: a 400 x 300 layer turned 60 deg about y and tilted 20 deg "
        "about x,\nseen on an 800 x 600 screen (focal length %.0f) by a camera moving "
        "through it\n",
        kFocal);
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    int failed = 0, index = 0;
    for (const double distance : kEyeDistances) {
        try {
            const Frame f = Look(++index, distance);
            PrintFrame(f);
            const std::string path =
                std::string(outDir) + "/camera-" + std::to_string(index) + ".svg";
            if (WritePicture(path, f)) {
                std::printf("    picture: %s\n", path.c_str());
            } else {
                std::printf("    could not write %s\n", path.c_str());
                failed = 1;
            }
        } catch (long code) {
            std::printf("    the library threw %ld\n", code);
            failed = 1;
        }
    }
    return failed;
}
