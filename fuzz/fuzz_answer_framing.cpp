// Fuzz target of the answer framing: feeds the input in pieces and compares
// every step with a plain model that looks for the length line from the start
// of what is held on each arrival and removes it at once, and reads its number
// with the runtime's own routine (parseInt32 of base/).
//
// Input: byte 0 is the separator that splits the rest into pieces (the
// separator itself is not fed); bit 0 of byte 1 says whether the framing is
// reset after each answer and fed on. The remaining bytes, from byte 2, are the
// pieces.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "base/EngineError.h"
#include "base/Value.h"
#include "link/AnswerFraming.h"

namespace {

using velta::AnswerFraming;

void check(bool condition) {
  if (!condition) std::abort();
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The number at the start of a length line as the runtime reads one: the
// blanks, digits and fraction there, rounded half to even; no digits give 0.
// None when it is beyond the limit.
std::optional<std::uint64_t> lengthOf(std::string_view line) {
  std::size_t end = 0;
  while (end < line.size() && line[end] == ' ') ++end;
  while (end < line.size() && isDigit(line[end])) ++end;
  if (end < line.size() && line[end] == '.') {
    ++end;
    while (end < line.size() && isDigit(line[end])) ++end;
  }
  std::int32_t value = 0;
  try {
    value = velta::parseInt32(line.substr(0, end), "model");
  } catch (const velta::EngineError& e) {
    if (e.number() == velta::err::Overflow) return std::nullopt;
    check(e.number() == velta::err::TypeMismatch);  // nothing but blanks, or a lone "."
  }
  check(value >= 0);
  if (static_cast<std::uint64_t>(value) > AnswerFraming::kLimit) return std::nullopt;
  return static_cast<std::uint64_t>(value);
}

struct Model {
  std::string held;
  std::uint64_t expected = 0;
  bool reported = false;
  bool failed = false;

  bool overrun() const { return !reported && !failed && expected > 0 && held.size() > expected; }

  // The answer this arrival completes; sets `failed` where the framing must throw.
  std::optional<std::string> feed(std::string_view piece) {
    if (reported || failed) return std::nullopt;
    held += piece;
    if (expected == 0) {
      const std::size_t at = held.find("\n00|//");
      if (at != std::string::npos && at > 0) {
        const auto length = lengthOf(std::string_view(held).substr(0, at));
        if (!length) {
          failed = true;
          return std::nullopt;
        }
        expected = *length;
        held.erase(0, at + 1);
      }
    }
    if (held.size() > AnswerFraming::kLimit) {
      failed = true;
      return std::nullopt;
    }
    if (expected == 0 || held.size() != expected) return std::nullopt;
    reported = true;
    return held;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const char separator = static_cast<char>(data[0]);
  const bool resetAfterAnswer = data[1] & 1;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);

  AnswerFraming framing;
  Model model;
  std::size_t from = 0;
  while (from <= rest.size()) {
    std::size_t to = rest.find(separator, from);
    if (to == std::string_view::npos) to = rest.size();
    const std::string_view piece = rest.substr(from, to - from);
    from = to + 1;

    const bool failedBefore = model.failed;
    const auto expected = model.feed(piece);
    std::optional<velta::FramedAnswer> answer;
    try {
      answer = framing.feed(piece);
      check(model.failed == failedBefore);  // a passed limit throws once, then nothing
    } catch (const velta::EngineError& e) {
      check(model.failed && !failedBefore && e.number() == velta::err::AnswerTooLarge && e.source() == "Framing");
      check(framing.failed() && framing.buffered() == 0);
    }
    check(answer.has_value() == expected.has_value());
    if (answer) {
      check(answer->response == *expected);
      check(answer->totByte > 0 && static_cast<std::size_t>(answer->totByte) == answer->response.size());
      check(framing.reported());
      if (resetAfterAnswer) {
        framing.reset();
        model = Model();
      }
    } else if (!model.failed) {
      check(framing.buffered() == (model.reported ? 0 : model.held.size()));
      check(static_cast<std::uint64_t>(framing.expected()) == model.expected);
      check(framing.overrun() == model.overrun());
    }
    check(framing.buffered() <= AnswerFraming::kLimit);
  }
  return 0;
}
