// The light-calls panel against a trace of the frame's real GL calls (shim/gl_trace.cpp):
// the same calls in the same order with the same numbers, and the matrix the last line names.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cmath>
#include <cstdio>
#include <iostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/orvena.h"
#include "app/panels.h"
#include "frame_support.h"
#include "input/commands.h"
#include "render/light_calls.h"

namespace {

constexpr int GL_MODELVIEW_MODE = 0x1700;

struct call {
    std::string name;
    std::vector<double> args;
    std::string line;  // as recorded
};

std::vector<call> frame_calls()
{
    using take = const char* (*)();
    const auto take_trace = reinterpret_cast<take>(dlsym(RTLD_DEFAULT, "orvena_take_gl_trace"));
    if (take_trace == nullptr) {
        ADD_FAILURE() << "the trace shim is not preloaded (LD_PRELOAD)";
        return {};
    }
    take_trace();
    draw(500, 500);
    std::istringstream lines(take_trace());
    std::vector<call> calls;
    bool in_frame = false;
    int mode = GL_MODELVIEW_MODE;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        call c;
        c.line = line;
        words >> c.name;
        for (double v; words >> v;) {
            c.args.push_back(v);
        }
        // The frame starts at its clear; reshape's calls come before it. Only the modelview
        // stack places the light.
        in_frame = in_frame || c.name == "glClear";
        if (c.name == "glMatrixMode") {
            mode = static_cast<int>(c.args.at(0));
        } else if (in_frame && c.name != "glClear" && mode == GL_MODELVIEW_MODE) {
            calls.push_back(c);
        }
    }
    return calls;
}

// The numbers with a decimal point in a line of the panel, as shown.
std::vector<std::string> shown_numbers(const std::string& text)
{
    const std::regex number(R"(-?\d+\.\d+)");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), number);
         it != std::sregex_iterator(); ++it) {
        found.push_back(it->str());
    }
    return found;
}

std::string two_places(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

// What one line of the panel stands for in the trace: calls by name, each with the numbers
// the panel shows for it.
struct expected_call {
    std::string name;
    std::vector<std::string> args;  // compared to two places; empty: not compared
};

std::vector<expected_call> expected_from(const std::string& text)
{
    const std::vector<std::string> n = shown_numbers(text);
    const auto starts = [&text](const char* prefix) { return text.rfind(prefix, 0) == 0; };
    if (starts("glLoadIdentity")) {
        return {{"glLoadIdentity", {}}};
    }
    if (starts("glPushMatrix")) {
        return {{"glPushMatrix", {}}};
    }
    if (starts("glPopMatrix")) {
        return {{"glPopMatrix", {}}};
    }
    if (starts("glRotatef")) {
        return {{"glRotatef", n}};
    }
    if (starts("glLightfv")) {
        // GL_LIGHT0 is 0x4000 and GL_POSITION 0x1203.
        std::vector<std::string> args = {"16384.00", "4611.00"};
        args.insert(args.end(), n.begin(), n.end());
        return {{"glLightfv", args}};
    }
    if (starts("gluLookAt")) {
        // GLU's gluLookAt turns the view with one matrix, then moves the eye to the origin.
        std::vector<std::string> back;
        for (std::size_t i = 0; i < 3; ++i) {
            back.push_back(two_places(-std::stod(n.at(i))));
        }
        return {{"glMultMatrixf", {}}, {"glTranslated", back}};
    }
    ADD_FAILURE() << "a line the test does not know: " << text;
    return {};
}

mat4 replayed(const std::vector<call>& calls, std::size_t until)
{
    std::vector<mat4> stack = {identity()};
    for (std::size_t i = 0; i < until; ++i) {
        const call& c = calls[i];
        mat4& top = stack.back();
        if (c.name == "glLoadIdentity") {
            top = identity();
        } else if (c.name == "glPushMatrix") {
            stack.push_back(top);
        } else if (c.name == "glPopMatrix") {
            stack.pop_back();
        } else if (c.name == "glMultMatrixf" || c.name == "glMultMatrixd") {
            mat4 m{};
            std::copy(c.args.begin(), c.args.end(), m.begin());
            top = multiply(top, m);
        } else if (c.name == "glTranslatef" || c.name == "glTranslated") {
            top = multiply(top, translation(c.args[0], c.args[1], c.args[2]));
        } else if (c.name == "glRotatef" || c.name == "glRotated") {
            top = multiply(top, rotation(c.args[0], c.args[1], c.args[2], c.args[3]));
        } else if (c.name == "glScalef" || c.name == "glScaled") {
            mat4 m = identity();
            m[0] = c.args[0];
            m[5] = c.args[1];
            m[10] = c.args[2];
            top = multiply(top, m);
        } else if (c.name == "glLoadMatrixf" || c.name == "glLoadMatrixd") {
            std::copy(c.args.begin(), c.args.end(), top.begin());
        }
    }
    return stack.back();
}

// The matrix that the panel's last line says the position was taken under; the angle and the
// axis are the ones its rotation line shows.
mat4 named_by(const std::vector<panel_line>& lines)
{
    const std::string& text = lines.back().text;
    if (text == "taken in eye coordinates: the light moves with the eye") {
        return identity();
    }
    const mat4 view = camera_view(cam_x, cam_y, cam_z);
    if (text == "taken in world coordinates") {
        return view;
    }
    EXPECT_EQ(text, "taken in world coordinates turned by the angle about the axis");
    for (const panel_line& line : lines) {
        if (line.text.rfind("glRotatef(", 0) == 0) {
            const std::vector<std::string> n = shown_numbers(line.text);
            EXPECT_EQ(n.size(), 4U) << line.text;
            return multiply(view, rotation(std::stod(n.at(0)), std::stod(n.at(1)),
                                           std::stod(n.at(2)), std::stod(n.at(3))));
        }
    }
    ADD_FAILURE() << "no rotation shown for: " << text;
    return view;
}

struct trace_case {
    const char* name;
    const char* keys;
    float light_angle;
};

void PrintTo(const trace_case& c, std::ostream* os) { *os << c.name; }

class LightCallsTrace : public Frame, public testing::WithParamInterface<trace_case> {};

TEST_P(LightCallsTrace, PanelShowsTheCallsTheFrameMakesInTheirOrderWithTheirValues)
{
    for (const char* k = GetParam().keys; *k != '\0'; ++k) {
        apply_key(static_cast<unsigned char>(*k));
    }
    light_angle = GetParam().light_angle;
    panel_shown[PANEL_CALLS] = true;
    const std::vector<panel_line> lines = light_call_lines();
    const std::vector<call> calls = frame_calls();
    ASSERT_FALSE(calls.empty());

    std::cout << GetParam().name << ":\n";
    std::size_t next = 0;
    std::size_t light_call = calls.size();
    // The title is not a call, and the last line says where the position was taken.
    for (std::size_t l = 1; l + 1 < lines.size(); ++l) {
        const std::string& text = lines[l].text;
        for (const expected_call& want : expected_from(text)) {
            // Between the panel's calls the frame may draw something between a push and its
            // pop (the light's marker); that leaves the matrix as it was.
            while (next < calls.size() && calls[next].name == "glPushMatrix" &&
                   want.name != "glPushMatrix") {
                int depth = 0;
                do {
                    depth += calls[next].name == "glPushMatrix" ? 1 : 0;
                    depth -= calls[next].name == "glPopMatrix" ? 1 : 0;
                    ++next;
                } while (next < calls.size() && depth > 0);
            }
            ASSERT_LT(next, calls.size()) << "the trace ends before " << text;
            const call& got = calls[next];
            std::cout << "  " << (lines[l].marked ? "=> " : "   ") << text << "\n      "
                      << got.line.substr(0, 90) << "\n";
            ASSERT_EQ(got.name, want.name) << "the panel shows " << text;
            if (!want.args.empty()) {
                ASSERT_EQ(got.args.size(), want.args.size()) << got.line;
                for (std::size_t a = 0; a < want.args.size(); ++a) {
                    EXPECT_EQ(two_places(got.args[a]), want.args[a])
                        << "argument " << a << " of " << got.line << " shown in " << text;
                }
            }
            if (lines[l].marked) {
                EXPECT_EQ(got.name, "glLightfv");
                light_call = next;
            }
            ++next;
        }
    }
    ASSERT_LT(light_call, calls.size()) << "no line is marked";
    const mat4 in_force = replayed(calls, light_call);
    const mat4 named = named_by(lines);
    std::cout << "  " << lines.back().text << "\n";
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_NEAR(in_force[i], named[i], 1e-4) << "matrix element " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, LightCallsTrace,
    testing::Values(trace_case{"Fixed", "", 0}, trace_case{"FixedAfterTheEyeMoved", "XXXyZ2", 0},
                    trace_case{"Moving", "L", 37}, trace_case{"MovingAboutX", "L3T", 123},
                    trace_case{"Viewpoint", "LlOYY", 0}),
    [](const testing::TestParamInfo<trace_case>& info) { return std::string(info.param.name); });

}  // namespace
