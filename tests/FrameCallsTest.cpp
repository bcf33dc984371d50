// Checks the whole GL call stream of real frames, traced with apitrace from the
// real game, against what the game's drawing rules say each frame must issue:
// every state call, uniform look-up and upload with its value, and every draw
// with its count and offset, in order.
//
// The expectation is written out here from the rules, independently of the
// render code: the scene's matrices and colours, the ring, the snake pass over
// the whole array, the composition, and the text pens with the font's widths.
// Only the World's state (walls, snake, food, score) comes from game/, by
// replaying the same moves with the same never-seeded rand(). Object names and
// uniform locations are the driver's choice, so the expectation names them
// (<sceneProgram>, <view>, ...) and the check binds each name to the value it
// first meets, then holds the trace to it; two names never share a value.
//
// usage: frame_calls_tests <waiting-dump> <game-over-dump> <folder holding data/>
//   each dump is `apitrace dump --call-nos=no --arg-names=no` of one run.
#include "game/World.h"
#include "render/SceneLook.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

std::string gWaitingDump, gGameOverDump, gSourceDir;

// ---------------------------------------------------------------------------
// The expectation, in apitrace's text: floats with 7 significant digits.

std::string num(float v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(v));
    return buffer;
}

std::string list(std::initializer_list<float> values) {
    std::string s = "{";
    for (const float v : values) s += (s.size() > 1 ? ", " : "") + num(v);
    return s + "}";
}

struct V3 {
    float x, y, z;
};
V3 sub(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
float dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
V3 normalized(V3 v) {
    const float length = static_cast<float>(std::sqrt(static_cast<double>(dot(v, v))));
    const float k = 1.0f / length;
    return {v.x * k, v.y * k, v.z * k};
}

// Column-major, as handed to glUniformMatrix4fv.
using M4 = std::array<float, 16>;

std::string matrix(const M4& m) {
    std::string s = "{";
    for (int i = 0; i < 16; ++i) s += (i ? ", " : "") + num(m[i]);
    return s + "}";
}

V3 v3(const Vec3& v) { return {v.x, v.y, v.z}; }
std::string list(const Vec3& v) { return list({v.x, v.y, v.z}); }

M4 view() {
    const V3 eye = v3(kSceneCamera.eye), centre = v3(kSceneCamera.centre), up = v3(kSceneCamera.up);
    const V3 f = normalized(sub(centre, eye));
    const V3 s = normalized(cross(f, up));
    const V3 u = cross(s, f);
    return {s.x, u.x, -f.x, 0, s.y,          u.y,          -f.y,        0,
            s.z, u.z, -f.z, 0, -dot(s, eye), -dot(u, eye), dot(f, eye), 1};
}

M4 projection() {
    const float fovy = kSceneCamera.fieldOfView, aspect = kSceneCamera.aspect, near = kSceneCamera.near,
                far = kSceneCamera.far;
    const float t = static_cast<float>(std::tan(static_cast<double>(fovy / 2.0f)));
    M4 m{};
    m[0] = 1.0f / (aspect * t);
    m[5] = 1.0f / t;
    m[10] = -(far + near) / (far - near);
    m[11] = -1.0f;
    m[14] = -(2.0f * far * near) / (far - near);
    return m;
}

M4 translation(float x, float y, float z) { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}; }

struct Frame {
    std::vector<std::string> calls;
    void add(std::string call) { calls.push_back(std::move(call)); }
};

// Mesh index ranges as glDrawElements prints them: count and byte offset.
constexpr const char* kFloorTile = "glDrawElements(GL_TRIANGLES, 30, GL_UNSIGNED_INT, NULL)";
constexpr const char* kWallBlock = "glDrawElements(GL_TRIANGLES, 30, GL_UNSIGNED_INT, 0x78)";
constexpr const char* kSegmentBlock = "glDrawElements(GL_TRIANGLES, 30, GL_UNSIGNED_INT, 0xf0)";
constexpr const char* kCeilingQuad = "glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, 0x168)";

void expectScene(Frame& f, const World& world) {
    const ScenePalette& palette = kScenePalette;
    const std::string floorGrey = list(palette.floor), wallBrown = list(palette.wall);
    f.add("glBindFramebuffer(GL_FRAMEBUFFER, <sceneFbo>)");
    f.add("glEnable(GL_DEPTH_TEST)");
    f.add("glClearColor(" + num(kClearColour.x) + ", " + num(kClearColour.y) + ", " + num(kClearColour.z) +
          ", 1)");
    f.add("glClear(GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT)");

    f.add("glEnable(GL_DEPTH_TEST)");
    f.add("glDepthMask(GL_TRUE)");
    f.add("glDepthFunc(GL_LEQUAL)");
    f.add("glDepthRange(0, 1)");
    f.add("glEnable(GL_CULL_FACE)");
    f.add("glCullFace(GL_BACK)");
    f.add("glBindVertexArray(<sceneVao>)");
    f.add("glBindBuffer(GL_ARRAY_BUFFER, <sceneVbo>)");
    f.add("glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, <sceneIbo>)");
    f.add("glUseProgram(<sceneProgram>)");
    f.add("glGetUniformLocation(<sceneProgram>, \"view\") = <view>");
    f.add("glUniformMatrix4fv(<view>, 1, GL_FALSE, " + matrix(view()) + ")");
    f.add("glGetUniformLocation(<sceneProgram>, \"proj\") = <proj>");
    f.add("glUniformMatrix4fv(<proj>, 1, GL_FALSE, " + matrix(projection()) + ")");
    f.add("glGetUniformLocation(<sceneProgram>, \"color\") = <color>");
    f.add("glGetUniformLocation(<sceneProgram>, \"lightPos\") = <lightPos>");
    f.add(
        "glUniform3fv(<lightPos>, 1, " +
        list({static_cast<float>(world.foodX) + 0.5f, kLightHeight, static_cast<float>(world.foodY) + 0.5f}) +
        ")");
    f.add("glGetUniformLocation(<sceneProgram>, \"lightInt\") = <lightInt>");
    f.add("glUniform3fv(<lightInt>, 1, " + list(kLightIntensity) + ")");
    f.add("glGetUniformLocation(<sceneProgram>, \"trans\") = <trans>");
    f.add("glUniform3fv(<color>, 1, " + floorGrey + ")");

    auto trans = [&](const M4& m) { f.add("glUniformMatrix4fv(<trans>, 1, GL_FALSE, " + matrix(m) + ")"); };
    auto cell = [](int x, int y) {
        return translation(static_cast<float>(x) + 0.5f, 0.0f, static_cast<float>(y) + 0.5f);
    };
    for (int x = 0; x < World::width; ++x) {
        for (int y = 0; y < World::height; ++y) {
            trans(cell(x, y));
            f.add(kFloorTile);
            trans(cell(x, y));
            f.add(kCeilingQuad);
            if (world.board[y * World::width + x] == 1) {
                f.add("glUniform3fv(<color>, 1, " + wallBrown + ")");
                trans(cell(x, y));
                f.add(kWallBlock);
                f.add("glUniform3fv(<color>, 1, " + floorGrey + ")");
            }
        }
    }

    f.add("glUniform3fv(<color>, 1, " + wallBrown + ")");
    for (int i = 0; i <= World::width + 1; ++i) {
        for (int j = 0; j <= World::height + 1; ++j) {
            if (i == 0 || i == World::width + 1 || j == 0 || j == World::height + 1) {
                trans(translation(static_cast<float>(i) - 0.5f, 0.0f, static_cast<float>(j) - 0.5f));
                f.add(kWallBlock);
            }
        }
    }

    for (int k = 0; k < World::width * World::height; ++k) {
        const int index = world.snake[k];
        if (index == -1) continue;
        const int x = index % World::width, y = (index - x) / World::width;
        f.add("glUniform3fv(<color>, 1, " + list(k == 0 ? palette.head : palette.body) + ")");
        trans(cell(x, y));
        f.add(kSegmentBlock);
    }

    f.add("glUniform3fv(<color>, 1, " + list(palette.food) + ")");
    // scale(translate(identity, (foodX + 0.5, -0.5, foodY + 0.5)), (0.5, 1.5, 0.5))
    M4 food =
        translation(static_cast<float>(world.foodX) + 0.5f, -0.5f, static_cast<float>(world.foodY) + 0.5f);
    food[0] = 0.5f;
    food[5] = 1.5f;
    food[10] = 0.5f;
    trans(food);
    f.add(kSegmentBlock);
}

void expectComposition(Frame& f, bool gameOver) {
    f.add("glBindFramebuffer(GL_FRAMEBUFFER, 0)");
    f.add("glBindBuffer(GL_ARRAY_BUFFER, <quadVbo>)");
    f.add("glBindVertexArray(<quadVao>)");
    f.add("glDisable(GL_DEPTH_TEST)");
    f.add(gameOver ? "glUseProgram(<blurProgram>)" : "glUseProgram(<plainProgram>)");
    f.add("glActiveTexture(GL_TEXTURE0)");
    f.add("glBindTexture(GL_TEXTURE_2D, <sceneTexture>)");
    f.add("glDrawArrays(GL_TRIANGLES, 0, 6)");
}

// The font's advance widths, one integer a line up to END; entries past the
// list are 0.
std::array<int, 256> readWidths() {
    std::array<int, 256> widths{};
    std::ifstream in(gSourceDir + "/data/font.csv");
    std::string line;
    for (int i = 0; i < 256 && std::getline(in, line) && line.rfind("END", 0) != 0; ++i)
        widths[i] = std::atoi(line.c_str());
    return widths;
}

class TextExpectation {
public:
    explicit TextExpectation(Frame& frame) : f(frame), widths(readWidths()) {}

    void left(const std::string& text, float x, float y, float size, V3 c) {
        f.add("glBindBuffer(GL_ARRAY_BUFFER, <fontVbo>)");
        f.add("glBindVertexArray(<fontVao>)");
        f.add("glUseProgram(<textProgram>)");
        f.add("glActiveTexture(GL_TEXTURE0)");
        f.add("glBindTexture(GL_TEXTURE_2D, <fontTexture>)");
        f.add("glEnable(GL_BLEND)");
        f.add("glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA)");
        f.add("glGetUniformLocation(<textProgram>, \"color\") = <textColor>");
        f.add("glUniform3fv(<textColor>, 1, " + list({c.x, c.y, c.z}) + ")");
        const float w = static_cast<float>(kWindowWidth), h = static_cast<float>(kWindowHeight);
        const float sx = size * 2.0f / w, sy = size * 2.0f / h;
        f.add("glGetUniformLocation(<textProgram>, \"scale\") = <scale>");
        f.add("glUniform2f(<scale>, " + num(sx) + ", " + num(sy) + ")");
        float px = x * 2.0f / w - 1.0f;
        const float py = 1.0f - y * 2.0f / h - sy;
        f.add("glGetUniformLocation(<textProgram>, \"placement\") = <placement>");
        for (const char ch : text) {
            const int code = static_cast<unsigned char>(ch);
            if (code >= 32) {
                f.add("glUniform2f(<placement>, " + num(px) + ", " + num(py) + ")");
                f.add("glDrawArrays(GL_TRIANGLE_FAN, " + std::to_string(4 * (code - 32)) + ", 4)");
            }
            px = px + static_cast<float>(widths[code]) / 24.0f * sx;
        }
        f.add("glDisable(GL_BLEND)");
    }
    void centred(const std::string& text, float x, float y, float size, V3 c) {
        left(text, x - 0.5f * width(text, size), y, size, c);
    }
    void right(const std::string& text, float x, float y, float size, V3 c) {
        left(text, x - width(text, size), y, size, c);
    }

private:
    float width(const std::string& text, float size) const {
        float units = 0.0f;
        for (const char ch : text)
            units += static_cast<float>(widths[static_cast<unsigned char>(ch)]) / 24.0f;
        return units * size;
    }

    Frame& f;
    std::array<int, 256> widths;
};

Frame expectFrame(const World& world) {
    Frame f;
    expectScene(f, world);
    expectComposition(f, world.gameOver);
    TextExpectation text(f);
    text.left("Coilrun", 20, 16, 55, {0.35f, 0.35f, 0.35f});
    text.right(std::to_string(world.score), 780, 16, 55, {0.65f, 0.65f, 0.65f});
    if (world.gameOver) {
        text.centred("Game Over", 400, 275, 75, {0.75f, 0.15f, 0.05f});
        text.centred("Press SPACE to restart", 400, 350, 20, {0.5f, 0.5f, 0.5f});
    } else if (world.direction == Direction::None) {
        text.centred("Press LEFT, RIGHT or UP to start!", 400, 310, 20, {0.75f, 0.75f, 0.75f});
    }
    return f;
}

// ---------------------------------------------------------------------------
// The trace.

// The calls of each frame, split at the swaps. GLFW swaps once when it makes
// the window, so the first chunk is start-up; the second builds the Game
// and draws the first frame.
std::vector<Frame> readFrames(const std::string& path) {
    std::vector<Frame> frames(1);
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("glXSwapBuffers(", 0) == 0) {
            frames.emplace_back();
        } else if (line.rfind("gl", 0) == 0) {
            frames.back().add(line);
        }
    }
    frames.pop_back(); // shutdown, after the last swap
    return frames;
}

// Matches one traced call against one expected call, binding <names>.
class Bindings {
public:
    bool match(const std::string& expected, const std::string& actual) {
        std::size_t e = 0, a = 0;
        while (e < expected.size()) {
            if (expected[e] != '<') {
                if (a >= actual.size() || actual[a] != expected[e]) return false;
                ++e, ++a;
                continue;
            }
            const std::size_t close = expected.find('>', e);
            const std::string name = expected.substr(e + 1, close - e - 1);
            e = close + 1;
            // A value runs to the character that follows the name.
            const char stop = e < expected.size() ? expected[e] : '\0';
            std::size_t end = a;
            while (end < actual.size() && actual[end] != stop) ++end;
            const std::string value = actual.substr(a, end - a);
            a = end;
            auto [it, fresh] = values.try_emplace(name, value);
            if (!fresh && it->second != value) return false;
            if (fresh && !used.insert(value + '@' + kind(name)).second) return false;
        }
        return a == actual.size();
    }

    std::string describe() const {
        std::string s;
        for (const auto& [name, value] : values) s += " <" + name + ">=" + value;
        return s;
    }

private:
    // Uniform locations of different programs may coincide; object names of
    // one kind may not.
    static std::string kind(const std::string& name) {
        for (const char* object : {"Program", "Vao", "Vbo", "Ibo", "Fbo", "Texture"})
            if (name.find(object) != std::string::npos) return object;
        return name;
    }

    std::map<std::string, std::string> values;
    std::set<std::string> used;
};

void expectSameCalls(const Frame& expected, const Frame& traced, Bindings& bindings) {
    const std::size_t n = std::min(expected.calls.size(), traced.calls.size());
    for (std::size_t i = 0; i < n; ++i) {
        ASSERT_TRUE(bindings.match(expected.calls[i], traced.calls[i]))
            << "call " << i << " of the frame\n  expected: " << expected.calls[i]
            << "\n  traced:   " << traced.calls[i] << "\n  names so far:" << bindings.describe();
    }
    ASSERT_EQ(traced.calls.size(), expected.calls.size())
        << "the frame's calls agree up to call " << n << ", then "
        << (traced.calls.size() > n ? "the trace goes on with: " + traced.calls[n]
                                    : "the trace stops before: " + expected.calls[n]);
}

TEST(FrameCalls, WaitingFrameIssuesExactlyTheDesignedCalls) {
    const std::vector<Frame> frames = readFrames(gWaitingDump);
    ASSERT_GE(frames.size(), 4u) << "too few frames traced in " << gWaitingDump;
    // The game never seeds rand(), and glibc's unseeded sequence is that of
    // seed 1: start it again so this World's food is the game's first food.
    std::srand(1);
    const World world; // the first World, as the game built it: nothing has moved yet
    const Frame expected = expectFrame(world);
    Bindings bindings;
    // Every frame of the start screen is the same. The first one follows the
    // Game's construction in the same chunk, so it is its last calls.
    Frame first;
    const std::vector<std::string>& start = frames[1].calls;
    ASSERT_GE(start.size(), expected.calls.size());
    first.calls.assign(start.end() - static_cast<std::ptrdiff_t>(expected.calls.size()), start.end());
    {
        SCOPED_TRACE("the first frame");
        expectSameCalls(expected, first, bindings);
    }
    for (std::size_t i = 2; i < frames.size(); ++i) {
        SCOPED_TRACE("waiting frame " + std::to_string(i));
        expectSameCalls(expected, frames[i], bindings);
    }
}

TEST(FrameCalls, GameOverFrameIssuesExactlyTheDesignedCalls) {
    const std::vector<Frame> frames = readFrames(gGameOverDump);
    ASSERT_GE(frames.size(), 4u) << "too few frames traced in " << gGameOverDump;
    // The traced run pressed Left once: the snake runs left along its row
    // until it hits something. Replaying it needs only the rules' own steps.
    std::srand(1);
    World world;
    world.queueTurn(Direction::Left);
    for (int i = 0; i < 1000 && !world.gameOver; ++i) world.update(World::kStepPeriod);
    ASSERT_TRUE(world.gameOver);
    const Frame expected = expectFrame(world);
    Bindings bindings;
    // The last frame is the one that saw Escape; it is still drawn in full.
    expectSameCalls(expected, frames.back(), bindings);
    expectSameCalls(expected, frames[frames.size() - 2], bindings);
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <waiting-dump> <game-over-dump> <folder holding data/>\n", argv[0]);
        return 2;
    }
    gWaitingDump = argv[1];
    gGameOverDump = argv[2];
    gSourceDir = argv[3];
    return RUN_ALL_TESTS();
}
