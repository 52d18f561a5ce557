// The fixture of the tests that run importer code: a test platform, and a run begun on it
// before each case, so that nothing of an earlier case (a table, a cache, an open file, the
// heap) leaks into the next.
#pragma once

#include <gtest/gtest.h>

#include "driver/run.h"
#include "platform/testing/test_env.h"
#include "store/files.h"

namespace kzo::testing {

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override { driver::BeginRun(env); }
  void TearDown() override { store::CloseAllFiles(); }

  platform::TestEnv env;
};

}  // namespace kzo::testing
