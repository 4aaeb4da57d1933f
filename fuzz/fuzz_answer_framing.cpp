// Fuzz target of the answer framing: feeds the input in pieces and compares
// every step with a plain model that looks for the length line from the start
// of what is held on each arrival and removes it at once.
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
#include "link/AnswerFraming.h"

namespace {

using velta::AnswerFraming;

struct Model {
  std::string held;
  std::uint64_t expected = 0;
  bool reported = false;
  bool failed = false;

  // The answer this arrival completes; sets `failed` where the framing must throw.
  std::optional<std::string> feed(std::string_view piece) {
    if (reported || failed) return std::nullopt;
    held += piece;
    if (expected == 0) {
      const std::size_t at = held.find("\n00|//");
      if (at != std::string::npos && at > 0) {
        std::size_t digits = 0;
        while (digits < at && held[digits] >= '0' && held[digits] <= '9') ++digits;
        std::size_t first = 0;
        while (first < digits && held[first] == '0') ++first;
        if (digits - first > 8) {  // more than 8 digits: above 16777216 in any case
          failed = true;
          return std::nullopt;
        }
        expected = digits == first ? 0 : std::stoull(held.substr(first, digits - first));
        if (expected > AnswerFraming::kLimit) {
          failed = true;
          return std::nullopt;
        }
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

void check(bool condition) {
  if (!condition) std::abort();
}

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
    }
    check(framing.buffered() <= AnswerFraming::kLimit);
  }
  return 0;
}
