#pragma once

// A 2-D affine map in footage pixels (x right, y down):
// (u, v) -> (xx*u + xy*v + x, yx*u + yy*v + y).
struct Transform {
    double x = 0;
    double y = 0;
    double xx = 1;
    double xy = 0;
    double yx = 0;
    double yy = 1;

    bool isIdentity() const { return x == 0 && y == 0 && xx == 1 && xy == 0 && yx == 0 && yy == 1; }
    double determinant() const { return xx * yy - xy * yx; }

    // The image of the point (u, v).
    void apply(double u, double v, double& outX, double& outY) const {
        outX = xx * u + xy * v + x;
        outY = yx * u + yy * v + y;
    }

    friend bool operator==(const Transform& a, const Transform& b) {
        return a.x == b.x && a.y == b.y && a.xx == b.xx && a.xy == b.xy && a.yx == b.yx && a.yy == b.yy;
    }
    friend bool operator!=(const Transform& a, const Transform& b) { return !(a == b); }
};

// f after i: apply i first, then f.
inline Transform compose(const Transform& f, const Transform& i) {
    Transform r;
    r.xx = f.xx * i.xx + f.xy * i.yx;
    r.xy = f.xx * i.xy + f.xy * i.yy;
    r.yx = f.yx * i.xx + f.yy * i.yx;
    r.yy = f.yx * i.xy + f.yy * i.yy;
    r.x = f.xx * i.x + f.xy * i.y + f.x;
    r.y = f.yx * i.x + f.yy * i.y + f.y;
    return r;
}

// The determinant is not tested: a singular transform yields non-finite values,
// which the export models detect before anything reaches the host.
inline Transform inverse(const Transform& t) {
    const double k = 1.0 / t.determinant();
    Transform r;
    r.xx = t.yy * k;
    r.xy = -t.xy * k;
    r.yx = -t.yx * k;
    r.yy = t.xx * k;
    r.x = (t.xy * t.y - t.yy * t.x) * k;
    r.y = (t.yx * t.x - t.xx * t.y) * k;
    return r;
}
