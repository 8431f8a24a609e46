// The shape renderer (see model.h).
#include "model.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace art {

Prim& Model::Add(Prim::Kind kind, const Ramp& r) {
    prims.emplace_back();
    prims.back().kind = kind;
    prims.back().ramp = &r;
    return prims.back();
}

Model& Model::Ellipse(double cx, double cy, double rx, double ry, const Ramp& r, double height) {
    Prim& p = Add(Prim::kEllipse, r);
    p.cx = cx, p.cy = cy, p.rx = rx, p.ry = ry, p.height = height;
    return *this;
}

Model& Model::Box(double cx, double cy, double hw, double hh, const Ramp& r, double bevel) {
    Prim& p = Add(Prim::kBox, r);
    p.cx = cx, p.cy = cy, p.rx = hw, p.ry = hh, p.bevel = bevel;
    return *this;
}

Model& Model::Poly(std::vector<Vec> pts, const Ramp& r, double bevel) {
    Prim& p = Add(Prim::kPoly, r);
    p.pts = std::move(pts), p.bevel = bevel;
    return *this;
}

Model& Model::Capsule(Vec a, Vec b, double radius, const Ramp& r) {
    Prim& p = Add(Prim::kCapsule, r);
    p.pts = {a, b}, p.r = radius;
    return *this;
}

Model& Model::Flat(int index) {
    prims.back().flat = index;
    return *this;
}

Model& Model::Bias(double b) {
    prims.back().bias = b;
    return *this;
}

// Appends the last primitive reflected by (sx, sy), each 1 or -1.
Model& Model::Reflect(double sx, double sy) {
    Prim p = prims.back();
    p.cx *= sx, p.cy *= sy;
    for (Vec& v : p.pts) v.x *= sx, v.y *= sy;
    if (p.kind == Prim::kPoly) std::reverse(p.pts.begin(), p.pts.end());  // keep the winding
    prims.push_back(p);
    return *this;
}

namespace {

// Does p cover (x, y)? If so, the slope of its surface there (dh/dx, dh/dy).
bool Hit(const Prim& p, double x, double y, double& gx, double& gy) {
    gx = gy = 0;
    switch (p.kind) {
        case Prim::kEllipse: {
            double u = (x - p.cx) / p.rx, v = (y - p.cy) / p.ry, d2 = u * u + v * v;
            if (d2 > 1) return false;
            double s = std::sqrt(std::fmax(1 - d2, 0.04));
            gx = -p.height * u / (p.rx * s) * p.rx / 2;
            gy = -p.height * v / (p.ry * s) * p.ry / 2;
            return true;
        }
        case Prim::kBox: {
            double dx = x - p.cx, dy = y - p.cy;
            double ex = p.rx - std::fabs(dx), ey = p.ry - std::fabs(dy);
            if (ex < 0 || ey < 0) return false;
            if (ex < p.bevel && ex <= ey) gx = -(dx > 0 ? 1 : -1) * 1.2;
            else if (ey < p.bevel) gy = -(dy > 0 ? 1 : -1) * 1.2;
            return true;
        }
        case Prim::kPoly: {
            bool inside = false;
            double best = std::numeric_limits<double>::max(), nx = 0, ny = 0;
            std::size_t n = p.pts.size();
            for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
                const Vec &a = p.pts[j], &b = p.pts[i];
                if ((b.y > y) != (a.y > y) && x < (a.x - b.x) * (y - b.y) / (a.y - b.y) + b.x) inside = !inside;
                double ex = b.x - a.x, ey = b.y - a.y, len2 = ex * ex + ey * ey;
                double t = len2 > 0 ? std::fmax(0.0, std::fmin(1.0, ((x - a.x) * ex + (y - a.y) * ey) / len2)) : 0;
                double qx = a.x + t * ex - x, qy = a.y + t * ey - y, d = std::sqrt(qx * qx + qy * qy);
                if (d < best) {
                    best = d;
                    double l = std::sqrt(len2);
                    nx = l > 0 ? ey / l : 0, ny = l > 0 ? -ex / l : 0;  // one of the edge normals
                    if (nx * -qx + ny * -qy > 0) nx = -nx, ny = -ny;     // make it point outward
                }
            }
            if (!inside) return false;
            if (best < p.bevel) gx = nx * 1.2, gy = ny * 1.2;
            return true;
        }
        case Prim::kCapsule: {
            const Vec &a = p.pts[0], &b = p.pts[1];
            double ex = b.x - a.x, ey = b.y - a.y, len2 = ex * ex + ey * ey;
            double t = len2 > 0 ? std::fmax(0.0, std::fmin(1.0, ((x - a.x) * ex + (y - a.y) * ey) / len2)) : 0;
            double qx = x - (a.x + t * ex), qy = y - (a.y + t * ey), d = std::sqrt(qx * qx + qy * qy);
            if (d > p.r) return false;
            double s = std::sqrt(std::fmax(p.r * p.r - d * d, 0.04 * p.r * p.r));
            gx = -qx / s, gy = -qy / s;
            return true;
        }
    }
    return false;
}

}  // namespace

Image Render(int w, int h, const std::vector<Layer>& layers, RenderOptions opt) {
    Image img(w, h);
    const double lx = -0.55, ly = -0.65, lz = 0.85;  // light from the top left, above
    const double ll = std::sqrt(lx * lx + ly * ly + lz * lz);
    // Each layer's rotation, worked out once rather than for every pixel.
    std::vector<Vec> turn;
    for (const Layer& l : layers) turn.push_back({std::cos(l.angle), std::sin(l.angle)});
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px) {
            double sx = px + 0.5 - w / 2.0, sy = py + 0.5 - h / 2.0;
            for (auto li = layers.rbegin(); li != layers.rend(); ++li) {
                const Vec& r = turn[std::size_t(layers.rend() - li - 1)];
                double c = r.x, s = r.y;
                double ox = (sx - li->offset.x) / li->scale, oy = (sy - li->offset.y) / li->scale;
                double x = c * ox + s * oy, y = -s * ox + c * oy;  // screen -> model
                const Prim* hit = nullptr;
                double gx = 0, gy = 0;
                for (auto pi = li->model->prims.rbegin(); pi != li->model->prims.rend(); ++pi)
                    if (Hit(*pi, x, y, gx, gy)) {
                        hit = &*pi;
                        break;
                    }
                if (!hit) continue;
                if (hit->flat >= 0) {
                    img.Set(px, py, std::uint8_t(hit->flat));
                } else {
                    double sgx = c * gx - s * gy, sgy = s * gx + c * gy;  // slope back on screen
                    double nx = -sgx, ny = -sgy, nz = 1, nl = std::sqrt(nx * nx + ny * ny + nz * nz);
                    double lit = (nx * lx + ny * ly + nz * lz) / (nl * ll);
                    double t = (lit - 0.15) / 0.85 + hit->bias;
                    img.Set(px, py, Tone(*hit->ramp, t, px, py, opt.dither));
                }
                break;
            }
        }
    if (opt.outline) Outline(img, std::uint8_t(opt.outline_colour));
    return img;
}

}  // namespace art
