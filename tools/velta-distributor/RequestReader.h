// Collects one request from the pieces that arrive on a connection, and tells
// when it is complete: when the bytes after the length line number what the
// length line announced.
//
//   RequestReader reader;
//   for each arrival: if (reader.feed(piece) != RequestReader::State::Reading) break;
//   on the client's silence or end: reader.stop("before the client closed its side");
//   if (reader.state() == RequestReader::State::Complete) check(reader.message());
//   else if (reader.state() == RequestReader::State::Refused) answer(reader.rejection());
//
// A request on the wire:
//
//   | bytes        | content                                                     |
//   |--------------|-------------------------------------------------------------|
//   | 0 .. p-2     | the length line: 1 to 8 decimal digits, no leading zero,    |
//   |              | from 1 to 16777216 (16 MiB)                                 |
//   | p-1          | LF                                                          |
//   | p .. p+n-1   | the message of n bytes, n the value of the length line     |
//
// Anything else in the length line is refused as soon as it shows, so no
// client can make the simulator wait for or hold more than the limit: at most
// 9 bytes of length line and 16 MiB of message are ever kept. Bytes beyond the
// announced length in the same arrival are refused too (the length line does
// not count the whole message); the request is complete only when its last
// announced byte ends the bytes received.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "link/AnswerFraming.h"
#include "tools/velta-distributor/Rejection.h"

namespace velta::distributor {

class RequestReader {
 public:
  static constexpr std::size_t kLimit = AnswerFraming::kLimit;  // 16 MiB, as the workstation's framing
  static constexpr std::size_t kMaxDigits = 8;                  // 16777216 has eight

  enum class State { Reading, Complete, Refused };

  // Adds one arrival. Once complete or refused, later arrivals are not kept.
  State feed(std::string_view piece);
  // The client sends no more (`when` says why: "before the client closed its
  // side"). A request whose length line is known and whose message is short
  // is refused; one with no complete length line stays Reading (nothing to answer).
  State stop(std::string_view when);

  State state() const noexcept { return state_; }
  bool lengthKnown() const noexcept { return lengthKnown_; }
  std::size_t announced() const noexcept { return announced_; }
  // Every byte that arrived, kept or not.
  std::size_t bytesSeen() const noexcept { return seen_; }
  // The message (without its length line), complete when the state is Complete.
  const std::string& message() const noexcept { return message_; }
  const Rejection& rejection() const noexcept { return rejection_; }

 private:
  State refuse(int code, std::string message);
  void readLengthLine(std::string_view& piece);

  State state_ = State::Reading;
  std::string lengthLine_;
  bool lengthKnown_ = false;
  std::size_t announced_ = 0;
  std::size_t seen_ = 0;
  std::string message_;
  Rejection rejection_;
};

}  // namespace velta::distributor
