#include "tools/velta-distributor/RequestReader.h"

#include <algorithm>

#include "tools/velta-distributor/WireText.h"

namespace velta::distributor {

namespace {

constexpr std::size_t kShownStart = 24;  // bytes of a request shown when it has no length line

bool isDigit(char c) { return c >= '0' && c <= '9'; }

const std::string kLimitText = std::to_string(RequestReader::kLimit) + " (16 MiB)";

}  // namespace

RequestReader::State RequestReader::refuse(int code, std::string message) {
  state_ = State::Refused;
  rejection_ = {code, std::move(message)};
  std::string().swap(message_);
  return state_;
}

void RequestReader::readLengthLine(std::string_view& piece) {
  const std::size_t lf = piece.find('\n');
  const std::string_view line = piece.substr(0, lf);
  const std::size_t kept = std::min(line.size(), kMaxDigits + 1 - lengthLine_.size());
  lengthLine_.append(line.substr(0, kept));

  if (!std::all_of(lengthLine_.begin(), lengthLine_.end(), isDigit)) {
    std::string start = lengthLine_ + std::string(piece.substr(kept, kShownStart));
    start.resize(std::min(start.size(), kShownStart));
    refuse(rejected::LengthLine,
           "the request does not begin with a length line of decimal digits and LF: it begins " + shown(start));
    return;
  }
  if (lengthLine_.size() > 1 && lengthLine_.front() == '0') {
    refuse(rejected::LengthLine, "the length line " + shown(lengthLine_) + " begins with a 0");
    return;
  }
  if (lengthLine_.size() > kMaxDigits) {
    refuse(rejected::LengthLine, "the length line has more than " + std::to_string(kMaxDigits) +
                                     " digits: it announces more than the limit of " + kLimitText + " bytes");
    return;
  }
  if (lf == std::string_view::npos) {
    piece = {};
    return;
  }
  piece.remove_prefix(lf + 1);
  if (lengthLine_.empty()) {
    refuse(rejected::LengthLine, "the length line is empty: the request begins with LF");
    return;
  }
  announced_ = static_cast<std::size_t>(*wholeNumber(lengthLine_, 99'999'999));
  if (announced_ == 0) {
    refuse(rejected::LengthLine, "the length line announces 0 bytes; a request is never empty");
  } else if (announced_ > kLimit) {
    refuse(rejected::LengthLine,
           "the length line announces " + lengthLine_ + " bytes, more than the limit of " + kLimitText);
  } else {
    lengthKnown_ = true;
  }
}

RequestReader::State RequestReader::feed(std::string_view piece) {
  seen_ += piece.size();
  if (state_ != State::Reading) return state_;
  if (!lengthKnown_) {
    readLengthLine(piece);
    if (state_ != State::Reading || !lengthKnown_) return state_;
  }
  const std::size_t room = announced_ - message_.size();
  if (piece.size() > room) {
    return refuse(rejected::LengthMismatch, "the length line announces " + std::to_string(announced_) +
                                                " bytes, but more followed: " +
                                                std::to_string(message_.size() + piece.size()) + " at least");
  }
  message_.append(piece);
  if (message_.size() == announced_) state_ = State::Complete;
  return state_;
}

RequestReader::State RequestReader::stop(std::string_view when) {
  if (state_ != State::Reading || !lengthKnown_) return state_;
  return refuse(rejected::LengthMismatch, "the length line announces " + std::to_string(announced_) +
                                              " bytes, but " + std::to_string(message_.size()) + " arrived " +
                                              std::string(when));
}

}  // namespace velta::distributor
