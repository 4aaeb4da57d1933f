// Checks that a call fails with one exact engine error.
//
//   expectEngineError([&] { LreadFile(file, 0); }, 81, "iLreadFile",
//                     "Illegal Record Number for File: VNDRL and Record:  0");
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "base/EngineError.h"
#include "support/Raised.h"

namespace velta::test {

template <typename Call>
void expectEngineError(Call call, int number, const std::string& source, const std::string& description) {
  const EngineError e = raised(call);
  EXPECT_EQ(e.number(), number) << "expected " << number << " " << source << ": " << description;
  EXPECT_EQ(e.source(), source) << e.what();
  EXPECT_EQ(e.description(), description) << e.what();
}

}  // namespace velta::test
