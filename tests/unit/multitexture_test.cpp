#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/multitexture.h"

namespace {

int lookups = 0;
void* driver_without_extension(const char*) {
  ++lookups;
  return nullptr;
}

// Keeps message boxes off any real display while the test runs.
class MultitextureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* d = std::getenv("DISPLAY")) saved_display_ = d;
    unsetenv("DISPLAY");
    lookups = 0;
    set_gl_proc_lookup(driver_without_extension);
  }
  void TearDown() override {
    set_gl_proc_lookup(nullptr);
    MULTITEXTURING = 1;
    if (!saved_display_.empty()) setenv("DISPLAY", saved_display_.c_str(), 1);
  }
  std::string saved_display_;
};

TEST_F(MultitextureTest, MissingEntryPointSwitchesMultitexturingOffWithOneMessage) {
  MULTITEXTURING = 1;
  ::testing::internal::CaptureStderr();
  glActiveTextureARB(GL_TEXTURE1_ARB);
  glActiveTextureARB(GL_TEXTURE0_ARB);
  std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(MULTITEXTURING, 0);
  EXPECT_EQ(lookups, 1);
  EXPECT_NE(said.find("Your graphics card or drivers does not support Multitexturing!"), std::string::npos);
  EXPECT_EQ(said.find("Multitexturing!"), said.rfind("Multitexturing!"));  // only once
}

TEST_F(MultitextureTest, DisabledByConfigurationNeverLooksUp) {
  MULTITEXTURING = 0;
  glActiveTextureARB(GL_TEXTURE1_ARB);
  glMultiTexCoord2fARB(GL_TEXTURE1_ARB, 0.5f, 0.5f);
  EXPECT_EQ(lookups, 0);
}

}  // namespace
