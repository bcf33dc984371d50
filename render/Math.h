#pragma once

// Conventions: column vectors; Mat4 is stored column after column and handed to
// OpenGL untransposed; m[c][r] is column c, row r; angles in radians; eye space
// is right-handed and looks down -Z. Everything is single precision except the
// square root and the tangent, which are taken in double and rounded.

struct Vec3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

struct Vec4 {
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 0.0f;
};

inline Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec4 operator*(const Vec4& a, float s) { return {a.x * s, a.y * s, a.z * s, a.w * s}; }
inline Vec4 operator+(const Vec4& a, const Vec4& b) { return {a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w}; }

inline float& component(Vec4& v, int r) {
    switch (r) {
    case 0: return v.x;
    case 1: return v.y;
    case 2: return v.z;
    default: return v.w;
    }
}

struct Mat4 {
    Vec4 m[4]; // columns

    Mat4() : Mat4(1.0f) {}
    explicit Mat4(float s) : m{{s, 0, 0, 0}, {0, s, 0, 0}, {0, 0, s, 0}, {0, 0, 0, s}} {}
    static Mat4 zero() { return Mat4(0.0f); }

    Vec4& operator[](int c) { return m[c]; }
    const Vec4& operator[](int c) const { return m[c]; }
    float& at(int c, int r) { return component(m[c], r); }
    float at(int c, int r) const { return component(const_cast<Vec4&>(m[c]), r); }
    // The 16 floats, column-major, for glUniformMatrix4fv with transpose off.
    const float* data() const { return &m[0].x; }
};

static_assert(sizeof(Mat4) == 16 * sizeof(float), "Mat4 is handed to GL as 16 packed floats");

float dot(const Vec3& a, const Vec3& b);
Vec3 cross(const Vec3& a, const Vec3& b);
// Multiplies by the reciprocal length; a zero vector is returned unchanged.
Vec3 normalize(const Vec3& v);
Mat4 lookAt(const Vec3& eye, const Vec3& centre, const Vec3& up);
Mat4 perspective(float fovy, float aspect, float near, float far);

// m x T(v); only column 3 changes. Called once per drawn object, so it stays inline.
inline Mat4 translate(const Mat4& m, const Vec3& v) {
    Mat4 r = m;
    r[3] = m[0] * v.x + m[1] * v.y + m[2] * v.z + m[3];
    return r;
}

// m x S(v): after translate, the object is scaled about its own origin.
inline Mat4 scale(const Mat4& m, const Vec3& v) {
    Mat4 r = m;
    r[0] = m[0] * v.x;
    r[1] = m[1] * v.y;
    r[2] = m[2] * v.z;
    return r;
}
