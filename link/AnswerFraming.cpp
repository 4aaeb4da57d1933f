#include "link/AnswerFraming.h"

#include <algorithm>

#include "base/EngineError.h"

namespace velta {

namespace {

constexpr std::string_view kLengthLineEnd = "\n00|//";  // LF, then the message's first bytes
// A pattern that starts this far from the end may still be completed by the next piece.
constexpr std::size_t kOpenTail = kLengthLineEnd.size() - 1;
// The most decimal digits that cannot overflow 64 bits.
constexpr std::size_t kMaxExactDigits = 19;

const std::string kLimitText = "the limit of " + std::to_string(AnswerFraming::kLimit) + " bytes (16 MiB)";

std::string beyondLimit(std::uint64_t bytes) {
  return ", " + std::to_string(bytes - AnswerFraming::kLimit) + " more than " + kLimitText;
}

}  // namespace

std::optional<FramedAnswer> AnswerFraming::feed(std::string_view piece) {
  switch (state_) {
    case State::Reported:
    case State::TooLarge: return std::nullopt;
    case State::SeekingLengthLine:
    case State::NoLengthLine:
      buffer_.append(piece);
      if (state_ == State::SeekingLengthLine) findLengthLine();
      if (buffered() > kLimit) failBuffered(buffered());
      break;
    case State::ReadingMessage:
    case State::Overrun:
      // With a length known nothing more is removed, so a piece too many is refused before it is kept.
      if (buffered() + piece.size() > kLimit) failBuffered(buffered() + piece.size());
      buffer_.append(piece);
      break;
  }
  if (state_ != State::ReadingMessage) return std::nullopt;
  const auto announced = static_cast<std::size_t>(expected_);
  if (buffered() < announced) return std::nullopt;
  if (buffered() > announced) {
    state_ = State::Overrun;
    return std::nullopt;
  }

  state_ = State::Reported;
  FramedAnswer answer{head_ == 0 ? std::move(buffer_) : buffer_.substr(head_), expected_};
  std::string().swap(buffer_);
  head_ = scanFrom_ = 0;
  return answer;
}

void AnswerFraming::findLengthLine() {
  const std::size_t at = buffer_.find(kLengthLineEnd, scanFrom_);
  if (at == std::string::npos) {
    scanFrom_ = std::max(head_, buffer_.size() - std::min(buffer_.size(), kOpenTail));
    return;
  }
  if (at == head_) {
    // Nothing is removed, so this stays the first occurrence on every later arrival.
    state_ = State::NoLengthLine;
    return;
  }

  const std::uint64_t announced = announcedLength(std::string_view(buffer_).substr(head_, at - head_));
  expected_ = static_cast<std::int32_t>(announced);
  // A length of 0 removes its line all the same; the next arrival looks again.
  if (announced > 0) state_ = State::ReadingMessage;
  head_ = at + 1;
  scanFrom_ = head_;
  // Removing the front costs what stays; doing it only when more than half is
  // removed keeps the total cost in proportion to the bytes received.
  if (head_ > buffer_.size() / 2) {
    buffer_.erase(0, head_);
    scanFrom_ -= head_;
    head_ = 0;
  }
  // The whole answer in one allocation, not copied again as it grows (at most kLimit).
  buffer_.reserve(head_ + announced);
}

// The length line read as the business system's runtime reads a number from
// text: blanks before it skipped, decimal digits with an optional fraction,
// rounded to a whole number half to even (" 23" and "22.6" are 23, "22.5" is
// 22, "23.5" is 24); whatever follows is ignored, and no digits give 0.
std::uint64_t AnswerFraming::announcedLength(std::string_view line) {
  line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  const std::size_t digits = std::find_if_not(line.begin(), line.end(), isDigit) - line.begin();
  std::string_view fraction = line.substr(digits);
  if (!fraction.empty() && fraction.front() == '.') {
    fraction.remove_prefix(1);
    fraction = fraction.substr(0, std::find_if_not(fraction.begin(), fraction.end(), isDigit) - fraction.begin());
  } else {
    fraction = {};
  }
  const std::size_t zeros = std::min(line.find_first_not_of('0'), digits);
  const std::string_view value = line.substr(zeros, digits - zeros);
  if (value.size() > kMaxExactDigits) {
    fail("the answer announces a length of " + std::to_string(value.size()) + " digits, far more than " +
         kLimitText);
  }
  std::uint64_t announced = 0;
  for (char c : value) announced = announced * 10 + static_cast<std::uint64_t>(c - '0');
  if (!fraction.empty()) {
    const char first = fraction.front();
    const bool beyondHalf = fraction.find_first_not_of('0', 1) != std::string_view::npos;
    if (first > '5' || (first == '5' && (beyondHalf || announced % 2 != 0))) ++announced;
  }
  if (announced > kLimit) fail("the answer announces " + std::to_string(announced) + " bytes" + beyondLimit(announced));
  return announced;
}

void AnswerFraming::failBuffered(std::size_t bytes) {
  const std::string against =
      expected_ > 0 ? "against an announced length of " + std::to_string(expected_) : "with no length announced";
  fail(std::to_string(bytes) + " bytes of the answer held " + against + beyondLimit(bytes));
}

void AnswerFraming::fail(std::string description) {
  state_ = State::TooLarge;
  std::string().swap(buffer_);
  head_ = scanFrom_ = 0;
  throw EngineError(err::AnswerTooLarge, "Framing", std::move(description));
}

void AnswerFraming::reset() { *this = AnswerFraming(); }

}  // namespace velta
