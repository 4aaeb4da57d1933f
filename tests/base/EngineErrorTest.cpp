// The engine's error type: the fixed texts of the general numbers and what() as
// velta-data prints it.
#include <gtest/gtest.h>

#include "base/EngineError.h"

namespace velta {
namespace {

TEST(EngineError, GeneralNumbersCarryTheRuntimesTexts) {
  struct Case { int number; const char* text; };
  for (const Case& c : {Case{5, "Invalid procedure call or argument"}, Case{6, "Overflow"},
                        Case{9, "Subscript out of range"}, Case{11, "Division by zero"},
                        Case{13, "Type mismatch"}, Case{91, "Object variable or With block variable not set"}}) {
    const EngineError e = EngineError::general(c.number, "Sys");
    EXPECT_EQ(e.number(), c.number);
    EXPECT_EQ(e.source(), "Sys");
    EXPECT_EQ(e.description(), c.text);
    EXPECT_EQ(generalDescription(c.number), c.text);
  }
  EXPECT_EQ(generalDescription(100), "");
}

TEST(EngineError, WhatIsTheLineVeltaDataPrints) {
  const EngineError e(31, "Pack", "Invalid Subscript.  Pack \"C\", Data$, 48   Len(Data$) = 48");
  EXPECT_STREQ(e.what(), "error 31 Pack: Invalid Subscript.  Pack \"C\", Data$, 48   Len(Data$) = 48");
  EXPECT_STREQ(EngineError::general(-10, "x").what(), "error -10 x: ");
  // A detail keeps the runtime's description exact and follows it in what().
  const EngineError detailed = EngineError::general(9, "parseResponse", "record 3 of the answer has 24 fields");
  EXPECT_EQ(detailed.description(), "Subscript out of range");
  EXPECT_EQ(detailed.detail(), "record 3 of the answer has 24 fields");
  EXPECT_STREQ(detailed.what(), "error 9 parseResponse: Subscript out of range: record 3 of the answer has 24 fields");
  EXPECT_EQ(e.detail(), "");
}

TEST(EngineError, FileSystemFailuresNameThePath) {
  const EngineError e = EngineError::fileSystem(err::FileNotFound, "OpenFile", "\\\\SRV\\HBTSLNK\\X");
  EXPECT_EQ(e.number(), 53);
  EXPECT_EQ(e.description(), "File not found: \\\\SRV\\HBTSLNK\\X");
}

}  // namespace
}  // namespace velta
