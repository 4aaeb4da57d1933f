// A token table for tests, other than the built-in one and easy to count in:
// character k is the code 33 + k, so "!" to "{" in code order.
//
//   char digit = velta::test::orderedTokenTable()[17];   // '2'
#pragma once

#include <string>

namespace velta::test {

inline std::string orderedTokenTable() {
  std::string table;
  for (int c = '!'; c <= '{'; ++c) table += static_cast<char>(c);  // 123 - 33 + 1 = 91
  return table;
}

}  // namespace velta::test
