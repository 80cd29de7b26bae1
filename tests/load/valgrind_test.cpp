// The real program under valgrind's memcheck on a private X server, driven through the whole
// command table, the light modes and several window sizes, then ended with Escape. No error
// may pass through the program's own code, and no block it allocated may be lost.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "console_model.h"
#include "xvfb.h"

namespace {

// Under memcheck the program runs some twenty times slower than on its own.
const milliseconds patience(180000);

struct frame {
    std::string obj, fn, dir, file;
};

struct error {
    std::string kind;
    std::vector<std::vector<frame>> stacks;  // where it happened first, then any others
    std::string text;                        // the whole <error> element, for the report
};

// The text between <tag> and </tag> from position from, or "" if none.
std::string element(const std::string& xml, const std::string& tag, std::size_t from = 0,
                    std::size_t* end = nullptr)
{
    const std::size_t open = xml.find("<" + tag + ">", from);
    if (open == std::string::npos) {
        return "";
    }
    const std::size_t start = open + tag.size() + 2;
    const std::size_t close = xml.find("</" + tag + ">", start);
    if (close == std::string::npos) {
        return "";
    }
    if (end != nullptr) {
        *end = close + tag.size() + 3;
    }
    return xml.substr(start, close - start);
}

// Every <error> of memcheck's XML output, with the frames of each of its stacks.
std::vector<error> errors_in(const std::string& xml)
{
    std::vector<error> found;
    std::size_t at = 0;
    for (std::string text = element(xml, "error", at, &at); !text.empty();
         text = element(xml, "error", at, &at)) {
        error e{element(text, "kind"), {}, text};
        std::size_t stack_at = 0;
        for (std::string stack = element(text, "stack", 0, &stack_at); !stack.empty();
             stack = element(text, "stack", stack_at, &stack_at)) {
            std::vector<frame> frames;
            std::size_t frame_at = 0;
            for (std::string f = element(stack, "frame", 0, &frame_at); !f.empty();
                 f = element(stack, "frame", frame_at, &frame_at)) {
                frames.push_back(
                    {element(f, "obj"), element(f, "fn"), element(f, "dir"), element(f, "file")});
            }
            e.stacks.push_back(frames);
        }
        found.push_back(e);
    }
    return found;
}

bool in_program(const frame& f)
{
    const std::string src = std::string(ORVENA_SOURCE_DIR) + "/src";
    return f.obj == ORVENA_BINARY || f.dir.compare(0, src.size(), src) == 0;
}

bool touches_program(const std::vector<frame>& stack)
{
    for (const frame& f : stack) {
        if (in_program(f)) {
            return true;
        }
    }
    return false;
}

// A lost block is the program's own when the first frame past the allocator is its code.
bool allocated_by_program(const std::vector<frame>& stack)
{
    for (const frame& f : stack) {
        if (f.obj.find("vgpreload_memcheck") == std::string::npos) {
            return in_program(f);
        }
    }
    return false;
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Mesa's softpipe with LLVM switched off for vertices: no machine code generated at run time,
// so memcheck sees every instruction that draws, and start-up is not spent compiling
// shaders under valgrind.
TEST(Memcheck, TenSecondsOfKeysAndResizesLeaveNoErrorInTheProgram)
{
    xvfb server;
    x_client x{server.display()};
    const std::string xml_path =
        std::string(ORVENA_BUILD_DIR) + "/memcheck-" + std::to_string(getpid()) + ".xml";
    child_process program{
        {VALGRIND_PROGRAM, "--tool=memcheck", "--xml=yes", "--xml-file=" + xml_path,
         "--leak-check=full", "--show-leak-kinds=definite", "--errors-for-leak-kinds=definite",
         "--keep-debuginfo=yes", "--num-callers=30",
         "--suppressions=" ORVENA_SOURCE_DIR "/tests/sanitizer/valgrind.supp", ORVENA_BINARY},
        {{"DISPLAY", server.display()},
         {"LIBGL_ALWAYS_SOFTWARE", "1"},
         {"GALLIUM_DRIVER", "softpipe"},
         {"DRAW_USE_LLVM", "0"}}};
    const unsigned long window = x.wait_for_window("Orvena", patience);
    ASSERT_NE(window, 0UL);

    // Passes over the command table, each key waited for, with the window's size changed
    // between passes, until ten seconds have gone by.
    const std::string keys = "XxYyZzSsRrTtOo1234Ll a9\t";
    const std::pair<int, int> sizes[] = {{1, 1}, {800, 500}, {400, 500}, {1, 300}, {500, 500}};
    scene_model model;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int pass = 0;
    int typed = 0;
    while (std::chrono::steady_clock::now() < end || pass < 2) {
        // The teaching panels, shown in one pass and hidden in the next.
        for (const char* panel_key : {"F1", "F2", "F3"}) {
            x.press(panel_key);
        }
        for (char key : keys) {
            x.type(key);
            model.key(static_cast<unsigned char>(key));
            ASSERT_EQ(program.read_line(patience), expected_line(model)) << "key " << key;
            ++typed;
        }
        const auto [width, height] = sizes[pass % std::size(sizes)];
        x.resize(window, width, height);
        ASSERT_TRUE(x.wait_for_frames(1, patience));
        ++pass;
    }
    RecordProperty("keys", typed);
    RecordProperty("resizes", pass);

    x.type('\x1b');
    const std::optional<int> status = program.wait(patience);
    ASSERT_TRUE(status) << "no exit after Escape";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << program.err();

    const std::string xml = read_file(xml_path);
    ASSERT_NE(xml.find("</valgrindoutput>"), std::string::npos) << "incomplete " << xml_path;
    int third_party = 0;
    for (const error& e : errors_in(xml)) {
        const bool leak = e.kind.compare(0, 5, "Leak_") == 0;
        const bool ours = leak ? !e.stacks.empty() && allocated_by_program(e.stacks[0])
                               : !e.stacks.empty() && touches_program(e.stacks[0]);
        EXPECT_FALSE(ours) << e.text;
        third_party += ours ? 0 : 1;
    }
    RecordProperty("third_party_errors", third_party);
    std::remove(xml_path.c_str());
}

}  // namespace
