// The frame tests share one GLUT window on a private X server for the whole process.
#include <gtest/gtest.h>

#include "frame_support.h"

namespace {

class gl_window : public ::testing::Environment {
  public:
    void SetUp() override { open_gl_window(); }
    void TearDown() override { close_gl_window(); }
};

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new gl_window);
    return RUN_ALL_TESTS();
}
