// GlHarness.h -- a GoogleTest fixture giving each test a fresh headless GL
// context (Mesa software GL, 1024x768), so that no GL state leaks from one
// test to the next.
#pragma once
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "headless/HeadlessContext.h"

class GlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(context.Create(1024, 768, error)) << "headless GL: " << error;
  }
  HeadlessContext context;
};
