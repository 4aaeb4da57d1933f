// The framing of one answer from the distributor: fed the pieces of text as
// they arrive on the socket, it tells when the whole answer is there.
//
//   AnswerFraming framing;                  // or framing.reset() for a new exchange
//   for each arrival:
//     if (auto answer = framing.feed(piece)) parseResponse(answer->response, answer->totByte);
//
// An answer is a length line and the message it announces:
//
//   | bytes          | content                                                 |
//   |----------------|---------------------------------------------------------|
//   | 0 .. p-2       | the length line: decimal digits of the message's length |
//   | p-1            | LF                                                      |
//   | p ..           | the message, which begins "00|//"                       |
//
// The length line is found as the first LF followed by "00|//" (exact, case
// kept), and only where it is not the very first byte; its value is the
// number at its start, read as the runtime reads one: blanks skipped, decimal
// digits with an optional fraction rounded half to even ("22.5" is 22, "23.5"
// is 24, " 23" is 23; none gives 0). Until such a line has given a
// length above 0, each arrival looks for one once. The answer is complete when
// the bytes after the length line number exactly the announced length: a
// message shorter than announced waits, one longer is never reported. An
// answer is reported once; what arrives after it is dropped.
//
// A peer must not make the workstation hold memory without bound: an announced
// length above kLimit, or more than kLimit bytes held at any time, is
// EngineError -21 (err::AnswerTooLarge), source "Framing". The object then
// drops what it holds and reports nothing until reset().
//
// Its states (state()), from SeekingLengthLine after construction or reset():
//
//   SeekingLengthLine  no length known; each arrival looks for the length line
//                      once (a line whose number is 0 is removed, and the next
//                      arrival looks again)
//   NoLengthLine       the first LF + "00|//" is the very first byte held: it
//                      stays the first, so no length line can follow; what
//                      arrives is only counted against the limit
//   ReadingMessage     the length is known; fewer bytes than that have come
//   Overrun            more bytes than announced came before the count was met
//                      exactly: never reported, still counted against the limit
//   Reported           the answer was given; what arrives after it is dropped
//   TooLarge           a limit was passed and -21 raised; nothing more is taken
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velta {

// A complete answer, as the parsers take it.
struct FramedAnswer {
  std::string response;  // the message, without its length line
  std::int32_t totByte;  // its announced byte count (= response.size())
};

class AnswerFraming {
 public:
  static constexpr std::size_t kLimit = 16 * 1024 * 1024;  // 16 MiB

  enum class State { SeekingLengthLine, NoLengthLine, ReadingMessage, Overrun, Reported, TooLarge };

  // Adds one arrival; gives the answer when this arrival completes it.
  std::optional<FramedAnswer> feed(std::string_view piece);
  // Forgets everything: the state of a new exchange.
  void reset();

  // Where the framing stands (the table above).
  State state() const noexcept { return state_; }
  // The announced length, 0 while none is known.
  std::int32_t expected() const noexcept { return expected_; }
  // The bytes held: all received while no length is known, the message's bytes after.
  std::size_t buffered() const noexcept { return buffer_.size() - head_; }
  // Whether the answer was reported.
  bool reported() const noexcept { return state_ == State::Reported; }
  // Whether a limit was passed.
  bool failed() const noexcept { return state_ == State::TooLarge; }
  // Whether more bytes than announced arrived before the count was met: such
  // an answer can never complete, so the caller reports it at once instead of
  // waiting for its deadline.
  bool overrun() const noexcept { return state_ == State::Overrun; }

 private:
  void findLengthLine();
  std::uint64_t announcedLength(std::string_view line);
  [[noreturn]] void fail(std::string description);
  [[noreturn]] void failBuffered(std::size_t bytes);

  std::string buffer_;        // what arrived; the part before head_ is removed
  std::size_t head_ = 0;      // where the buffer begins in buffer_
  std::size_t scanFrom_ = 0;  // in buffer_: no length line starts before here
  std::int32_t expected_ = 0;  // the announced length, from ReadingMessage on
  State state_ = State::SeekingLengthLine;
};

}  // namespace velta
