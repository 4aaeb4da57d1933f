// Readable tagged values in GoogleTest failure messages: number 7, text "7", empty, date 1968-01-01.
#pragma once

#include <ostream>

#include "base/Value.h"

namespace velta {

inline void PrintTo(const Value& value, std::ostream* out) {
  switch (value.kind()) {
    case Value::Kind::Empty: *out << "empty"; break;
    case Value::Kind::Number: *out << "number " << value.toText(); break;
    case Value::Kind::Text: *out << "text \"" << value.text() << '"'; break;
    case Value::Kind::Date: *out << "date " << value.toText(); break;
  }
}

}  // namespace velta
