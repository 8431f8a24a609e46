// A small shape renderer: models are lists of shaded primitives (domes, bevelled
// boxes and polygons, cylinders) in their own coordinates, pointing right at
// heading 0. Rendering rotates them into any heading and lights them from the
// top left of the screen, so every heading of a turret is lit the same way.
#pragma once

#include "art.h"

namespace art {

struct Vec {
    double x, y;
};

struct Prim {
    enum Kind { kEllipse, kBox, kPoly, kCapsule } kind = kEllipse;
    std::vector<Vec> pts;          // polygon corners, or the capsule's two ends
    double cx = 0, cy = 0;         // ellipse / box centre
    double rx = 1, ry = 1;         // ellipse radii, box half sizes
    double r = 1;                  // capsule radius
    double bevel = 1.5;            // width of the sloped rim of boxes and polygons
    double height = 1;             // how strongly the shape bulges (shading only)
    const Ramp* ramp = nullptr;    // shaded with this ramp ...
    int flat = -1;                 // ... or drawn in this one index
    double bias = 0;               // lighter (+) or darker (-) overall
};

struct Model {
    std::vector<Prim> prims;  // later primitives lie on top
    Model& Ellipse(double cx, double cy, double rx, double ry, const Ramp& r, double height = 1);
    Model& Box(double cx, double cy, double hw, double hh, const Ramp& r, double bevel = 1.5);
    Model& Poly(std::vector<Vec> pts, const Ramp& r, double bevel = 1.5);
    Model& Capsule(Vec a, Vec b, double radius, const Ramp& r);
    Model& Flat(int index);  // the last primitive becomes one flat colour
    Model& Bias(double b);   // the last primitive is lit lighter or darker
    // Adds the mirror image (y -> -y) of the last primitive: most craft are symmetric about their axis.
    Model& MirrorY() { return Reflect(1, -1); }
    // The same across the y axis (x -> -x), for pictures drawn as they stand on the screen.
    Model& MirrorX() { return Reflect(-1, 1); }
    Model& Reflect(double sx, double sy);

private:
    Prim& Add(Prim::Kind kind, const Ramp& r);
};

struct Layer {
    const Model* model;
    double angle;          // radians, clockwise on screen
    Vec offset{0, 0};      // screen offset of the model's origin from the image centre
    double scale = 1;
};

struct RenderOptions {
    bool dither = false;
    bool outline = true;
    int outline_colour = kOutline;  // the player's fire is rimmed in its own dark blue
};

Image Render(int w, int h, const std::vector<Layer>& layers, RenderOptions opt = {});
inline Image Render(int w, int h, const Model& m, double angle, RenderOptions opt = {}) {
    return Render(w, h, {Layer{&m, angle}}, opt);
}

constexpr double kPi = 3.14159265358979323846;

// The sea round a craft sailing bow down: foam in the clear pixels beside it,
// widest at the bow (`bow_y`) and thinning to a trace at the stern
// (`stern_y`), rows counted from the craft's centre, which lies `origin_y`
// rows below the picture's centre.
void SeaFoam(Image& img, double origin_y, double bow_y, double stern_y);
inline double Heading8(int h) { return h * kPi / 4; }
inline double Heading16(int h) { return h * kPi / 8; }

}  // namespace art
