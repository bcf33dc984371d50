#include "render/Math.h"

#include <cmath>

float dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3 normalize(const Vec3& v) {
    const float length = static_cast<float>(std::sqrt(static_cast<double>(dot(v, v))));
    if (length == 0.0f) return v;
    const float k = 1.0f / length;
    return {v.x * k, v.y * k, v.z * k};
}

Mat4 lookAt(const Vec3& eye, const Vec3& centre, const Vec3& up) {
    const Vec3 f = normalize(centre - eye);
    const Vec3 s = normalize(cross(f, up));
    const Vec3 u = cross(s, f);
    Mat4 m;
    m.at(0, 0) = s.x;
    m.at(1, 0) = s.y;
    m.at(2, 0) = s.z;
    m.at(0, 1) = u.x;
    m.at(1, 1) = u.y;
    m.at(2, 1) = u.z;
    m.at(0, 2) = -f.x;
    m.at(1, 2) = -f.y;
    m.at(2, 2) = -f.z;
    m.at(3, 0) = -dot(s, eye);
    m.at(3, 1) = -dot(u, eye);
    m.at(3, 2) = dot(f, eye);
    return m;
}

Mat4 perspective(float fovy, float aspect, float near, float far) {
    const float t = static_cast<float>(std::tan(static_cast<double>(fovy / 2.0f)));
    Mat4 m = Mat4::zero();
    m.at(0, 0) = 1.0f / (aspect * t);
    m.at(1, 1) = 1.0f / t;
    m.at(2, 2) = -(far + near) / (far - near);
    m.at(2, 3) = -1.0f;
    m.at(3, 2) = -(2.0f * far * near) / (far - near);
    return m;
}
