// The console line the program must print for the model's eye, for the tests that drive the
// real program and follow it with the model.
#ifndef ORVENA_TESTS_CONSOLE_MODEL_H
#define ORVENA_TESTS_CONSOLE_MODEL_H

#include <cstdio>
#include <string>

#include "scene_model.h"

inline std::string expected_line(const scene_model& model)
{
    char line[256];
    std::snprintf(line, sizeof line, "Camera: %f, %f, %f", model.eye[0], model.eye[1],
                  model.eye[2]);
    return line;
}

#endif
