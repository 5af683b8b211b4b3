// GlHarness.h -- a fixture giving each test a fresh headless 1024x768 GL context.
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
