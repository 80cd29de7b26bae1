// libFuzzer target: every input is a key sequence, one byte a key, with Escape (which would
// end the program) standing for a timer tick instead. After every step the scene state must
// agree with the independent model and keep its invariants.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/orvena.h"
#include "input/commands.h"
#include "scene_model.h"
#include "scene_start.h"

namespace {

void check(const scene_model& model, std::size_t step)
{
    const std::string wrong = differences(model) + broken_invariants();
    if (!wrong.empty()) {
        std::fprintf(stderr, "step %zu: %s\n", step, wrong.c_str());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    start_scene();
    light_mode = 0;
    light_angle = 0;
    scene_model model;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 27) {
            advance_animation();
            model.tick();
        } else {
            if (!apply_key(data[i])) {
                std::abort();
            }
            model.key(data[i]);
        }
        check(model, i);
    }
    return 0;
}
