// The EngineError a piece of code raises, for tests that check number, source and text:
//
//   const EngineError e = raised([&] { Pack("x", rec, 1, 1); });
//   EXPECT_EQ(e.number(), 100);
//
// Code that raises nothing, or something else, fails the test; the result is
// then an error numbered 0.
#pragma once

#include <gtest/gtest.h>

#include <exception>
#include <utility>

#include "base/EngineError.h"

namespace velta::test {

template <typename F>
EngineError raised(F&& f) {
  try {
    std::forward<F>(f)();
  } catch (const EngineError& e) {
    return e;
  } catch (const std::exception& e) {
    ADD_FAILURE() << "raised something other than an EngineError: " << e.what();
    return EngineError(0, "", "");
  }
  ADD_FAILURE() << "no error raised";
  return EngineError(0, "", "");
}

}  // namespace velta::test
