// The fixture of the tests that run importer code: a test platform, a run begun on it
// before each case, so that nothing of an earlier case (a table, a cache, an open file, the
// heap) leaks into the next, and ended after it, so that the platform goes with its memory.
#pragma once

#include <gtest/gtest.h>

#include "platform/testing/test_env.h"
#include "store/run.h"

namespace kzo::testing {

template <class Env>
class RunTestOn : public ::testing::Test {
 protected:
  void SetUp() override { store::BeginRun(env); }
  void TearDown() override { store::EndRun(); }

  Env env;
};
class RunTest : public RunTestOn<platform::TestEnv> {};

// A run on a platform of a test's own, ended when the object goes: declared after the
// platform, it goes first.
class ScopedRun {
 public:
  explicit ScopedRun(platform::Env& env) { store::BeginRun(env); }
  ~ScopedRun() { store::EndRun(); }
  ScopedRun(const ScopedRun&) = delete;
  ScopedRun& operator=(const ScopedRun&) = delete;
};

}  // namespace kzo::testing
