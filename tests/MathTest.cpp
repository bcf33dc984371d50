#include "render/Math.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

void expectColumns(const Mat4& m, const float (&expected)[4][4], float tolerance) {
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_NEAR(m.at(c, r), expected[c][r], tolerance) << "m[" << c << "][" << r << "]";
}

TEST(MathTest, ConstructorsAndStorageOrder) {
    const float identity[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    const float zero[4][4] = {};
    expectColumns(Mat4(), identity, 0);
    expectColumns(Mat4(1.0f), identity, 0);
    expectColumns(Mat4(0.0f), zero, 0);
    expectColumns(Mat4::zero(), zero, 0);

    Mat4 m = Mat4::zero();
    m.at(3, 1) = 7.0f; // column 3, row 1 is the 14th float handed to GL
    EXPECT_EQ(m.data()[13], 7.0f);
}

TEST(MathTest, VectorOperations) {
    EXPECT_EQ(dot({1, 2, 3}, {4, -5, 6}), 12.0f);
    const Vec3 c = cross({1, 0, 0}, {0, 1, 0});
    EXPECT_EQ(c.x, 0.0f);
    EXPECT_EQ(c.y, 0.0f);
    EXPECT_EQ(c.z, 1.0f);
    const Vec3 n = normalize({3, 0, 4});
    EXPECT_FLOAT_EQ(n.x, 0.6f);
    EXPECT_FLOAT_EQ(n.z, 0.8f);
}

TEST(MathTest, TranslateAndScaleComposeAsModelMatrices) {
    const float translated[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {2.5f, 0, 3.5f, 1}};
    expectColumns(translate(Mat4(), {2.5f, 0, 3.5f}), translated, 0);

    const Mat4 food = scale(translate(Mat4(), {7.5f, -0.5f, 4.5f}), {0.5f, 1.5f, 0.5f});
    const float expected[4][4] = {{0.5f, 0, 0, 0}, {0, 1.5f, 0, 0}, {0, 0, 0.5f, 0}, {7.5f, -0.5f, 4.5f, 1}};
    expectColumns(food, expected, 0);
    // The food block's top corner lands at (7.725, 1.75, 4.725).
    const Vec4 p = food[0] * 0.45f + food[1] * 1.5f + food[2] * 0.45f + food[3];
    EXPECT_FLOAT_EQ(p.x, 7.725f);
    EXPECT_FLOAT_EQ(p.y, 1.75f);
    EXPECT_FLOAT_EQ(p.z, 4.725f);

    // translate multiplies on the right: the translation is scaled by m.
    const Mat4 scaledFirst = translate(scale(Mat4(), {2, 2, 2}), {1, 1, 1});
    EXPECT_EQ(scaledFirst.at(3, 0), 2.0f);
}

TEST(MathTest, OverviewCameraLookAt) {
    const Mat4 view = lookAt({15, 30, 19}, {15, 0, 9}, {0, 0.6f, -0.4f});
    const float expected[4][4] = {{1, 0, 0, 0},
                                  {0, 0.316228f, 0.948683f, 0},
                                  {0, -0.948683f, 0.316228f, 0},
                                  {-15, 8.53815f, -34.46883f, 1}};
    expectColumns(view, expected, 5e-6f * 35);
    // Six significant digits on the translation, where the values are large.
    EXPECT_NEAR(view.at(3, 1), 8.53815f, 5e-5f);
    EXPECT_NEAR(view.at(3, 2), -34.4688f, 5e-4f);
}

TEST(MathTest, PerspectiveMatchesSinglePrecisionValues) {
    const Mat4 proj = perspective(std::numbers::pi_v<float> / 4.0f, 4.0f / 3.0f, 0.1f, 50.0f);
    EXPECT_FLOAT_EQ(proj.at(0, 0), 1.8106601f);
    EXPECT_FLOAT_EQ(proj.at(1, 1), 2.4142134f);
    // Exactly the single-precision result, not the double -1.0040080.
    EXPECT_EQ(proj.at(2, 2), -1.0040079f);
    EXPECT_NE(proj.at(2, 2), -1.0040080f);
    EXPECT_FLOAT_EQ(proj.at(3, 2), -0.2004008f);
    EXPECT_EQ(proj.at(2, 3), -1.0f);
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            const bool set = (c == r && c < 3) || (c == 2 && r == 3) || (c == 3 && r == 2);
            if (!set) {
                EXPECT_EQ(proj.at(c, r), 0.0f) << c << "," << r;
            }
        }
    }
}

} // namespace
