#include "link/AnswerFraming.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/EngineError.h"
#include "link/RequestHeader.h"

namespace velta {
namespace {

const std::string kMessage = "00|//VELTA//855|||DIST|x\n01|ACK|PO123\n02|A|B|C\n";  // 47 bytes
const std::string kWire = "47\n" + kMessage;

// Feeds the pieces and gives the index of each piece after which an answer was
// reported, checking each answer against kMessage.
std::vector<std::size_t> reportsAfter(AnswerFraming& framing, const std::vector<std::string>& pieces) {
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (auto answer = framing.feed(pieces[i])) {
      EXPECT_EQ(answer->response, kMessage);
      EXPECT_EQ(answer->totByte, static_cast<std::int32_t>(kMessage.size()));
      at.push_back(i);
    }
  }
  return at;
}

std::vector<std::string> bytesOf(std::string_view text) {
  std::vector<std::string> pieces;
  for (char c : text) pieces.emplace_back(1, c);
  return pieces;
}

// The description of the -21 error that feeding `piece` raises.
std::string limitError(AnswerFraming& framing, std::string_view piece) {
  try {
    framing.feed(piece);
  } catch (const EngineError& e) {
    EXPECT_EQ(e.number(), err::AnswerTooLarge);
    EXPECT_EQ(e.source(), "Framing");
    EXPECT_TRUE(framing.failed());
    EXPECT_EQ(framing.buffered(), 0u);
    return e.description();
  }
  ADD_FAILURE() << "no limit error";
  return {};
}

constexpr std::size_t kLimit = 16 * 1024 * 1024;

TEST(AnswerFraming, WireMatchesTheLengthLineOfRequests) { ASSERT_EQ(kWire, lengthLine(kMessage) + kMessage); }

TEST(AnswerFraming, InOnePiece) {
  AnswerFraming framing;
  EXPECT_EQ(reportsAfter(framing, {kWire}), std::vector<std::size_t>{0});
  EXPECT_TRUE(framing.reported());
}

TEST(AnswerFraming, ByteByByteReportsOnceAtTheLastByte) {
  AnswerFraming framing;
  EXPECT_EQ(reportsAfter(framing, bytesOf(kWire)), std::vector<std::size_t>{kWire.size() - 1});
}

TEST(AnswerFraming, AnySplitInTwoOrThreePieces) {
  // Covers the length line and its "LF 00|//" split at every place.
  for (std::size_t a = 0; a <= kWire.size(); ++a) {
    for (std::size_t b = a; b <= kWire.size(); ++b) {
      AnswerFraming framing;
      const std::vector<std::string> pieces = {kWire.substr(0, a), kWire.substr(a, b - a), kWire.substr(b)};
      const std::size_t lastByteIn = b < kWire.size() ? 2 : a < kWire.size() ? 1 : 0;
      EXPECT_EQ(reportsAfter(framing, pieces), std::vector<std::size_t>{lastByteIn}) << a << " " << b;
    }
  }
}

TEST(AnswerFraming, NeverReportedTwice) {
  AnswerFraming framing;
  ASSERT_TRUE(framing.feed(kWire));
  EXPECT_FALSE(framing.feed(""));
  EXPECT_FALSE(framing.feed("more"));
  EXPECT_EQ(framing.buffered(), 0u);
}

TEST(AnswerFraming, WithoutALengthLineNeverReported) {
  AnswerFraming framing;
  EXPECT_TRUE(reportsAfter(framing, {kMessage.substr(0, 20), kMessage.substr(20)}).empty());
  EXPECT_EQ(framing.expected(), 0);
  EXPECT_EQ(framing.buffered(), kMessage.size());
  // A second message behind it makes the first one a length line, without
  // digits: it goes, its final LF with it.
  EXPECT_TRUE(reportsAfter(framing, {kMessage}).empty());
  EXPECT_EQ(framing.expected(), 0);
  EXPECT_EQ(framing.buffered(), kMessage.size());
}

TEST(AnswerFraming, CountLargerThanTheMessageWaits) {
  AnswerFraming framing;
  EXPECT_FALSE(framing.feed("49\n" + kMessage));
  EXPECT_EQ(framing.expected(), 49);
  EXPECT_EQ(framing.buffered(), kMessage.size());
  const auto answer = framing.feed("ab");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->response, kMessage + "ab");
  EXPECT_EQ(answer->totByte, 49);
}

TEST(AnswerFraming, TooManyBytesNeverReported) {
  const std::string wire = "46\n" + kMessage;  // one byte more than announced
  AnswerFraming framing;
  EXPECT_TRUE(reportsAfter(framing, {wire, "x"}).empty());
  AnswerFraming twoPieces;
  EXPECT_TRUE(reportsAfter(twoPieces, {wire.substr(0, 20), wire.substr(20)}).empty());
  // Byte by byte the count is met on the way; equality reports the first 46 bytes.
  AnswerFraming slow;
  std::vector<std::size_t> reportedAt;
  for (std::size_t i = 0; i < wire.size(); ++i) {
    if (auto answer = slow.feed(wire.substr(i, 1))) {
      EXPECT_EQ(answer->response, kMessage.substr(0, 46));
      reportedAt.push_back(i);
    }
  }
  EXPECT_EQ(reportedAt, std::vector<std::size_t>{wire.size() - 2});
}

TEST(AnswerFraming, OverrunIsKnownAtTheArrivalThatPassesTheCount) {
  struct Case {
    const char* name;
    std::vector<std::string> pieces;
    std::vector<bool> overrun;  // after each piece
  };
  const std::string wire = "46\n" + kMessage;  // one byte more than announced
  const Case cases[] = {
      {"in one piece", {wire}, {true}},
      {"length line first", {"46\n00|//", kMessage.substr(5)}, {false, true}},
      {"exact answer", {kWire}, {false}},
      {"short so far", {"49\n" + kMessage}, {false}},
      {"no length line yet", {kMessage + kMessage}, {false}},
      {"more after a complete answer", {kWire, "xyz"}, {false, false}},
  };
  for (const Case& c : cases) {
    AnswerFraming framing;
    for (std::size_t i = 0; i < c.pieces.size(); ++i) {
      framing.feed(c.pieces[i]);
      EXPECT_EQ(framing.overrun(), c.overrun[i]) << c.name << " after piece " << i;
    }
    framing.reset();
    EXPECT_FALSE(framing.overrun()) << c.name;
  }
}

// The length line is read as the runtime reads a number: blanks skipped,
// digits with an optional fraction rounded half to even, the rest ignored.
TEST(AnswerFraming, LengthIsTheNumberAtTheStartOfTheLine) {
  const struct {
    const char* line;
    std::int32_t announced;
  } cases[] = {
      {"11", 11}, {"0011", 11}, {"11 bytes", 11}, {"000000000000000000000000011", 11},
      {" 23", 23}, {"   23", 23}, {"22.6", 23}, {"22.5", 22}, {"23.5", 24},
      {"22.50001", 23}, {"22.4999", 22}, {"23.", 23}, {"22.5x", 22}, {"11.0", 11},
      {"12 3", 12}, {"5.6", 6}, {"\t23", 0}, {"23,5", 23},
  };
  for (const auto& c : cases) {
    const std::string message = "00|//" + std::string(static_cast<std::size_t>(std::max(c.announced, 6)) - 6, 'x') + "\n";
    AnswerFraming framing;
    const auto answer = framing.feed(std::string(c.line) + "\n" + message);
    if (c.announced == 0) {
      EXPECT_FALSE(answer) << c.line;
      EXPECT_EQ(framing.expected(), 0) << c.line;
      continue;
    }
    EXPECT_EQ(framing.expected(), c.announced) << c.line;
    ASSERT_TRUE(answer) << c.line;
    EXPECT_EQ(answer->totByte, c.announced) << c.line;
    EXPECT_EQ(answer->response, message) << c.line;
  }
}

TEST(AnswerFraming, LineWithoutDigitsIsRemovedAndTheNextArrivalLooksAgain) {
  AnswerFraming framing;
  EXPECT_FALSE(framing.feed("x\n00|//a\n"));
  EXPECT_EQ(framing.expected(), 0);
  EXPECT_EQ(framing.buffered(), 7u);  // "x\n" is gone
  // The buffer now begins "00|//a\n"; the next length line is found after it.
  EXPECT_FALSE(framing.feed("5\n00|//"));
  EXPECT_EQ(framing.expected(), 0);  // its line is "00|//a\n5": leading digits "00"
  EXPECT_EQ(framing.buffered(), 5u);
}

TEST(AnswerFraming, LengthLineLookedForOncePerArrival) {
  AnswerFraming framing;
  const std::string piece = "x\n00|//\n12\n00|//abcd\n";
  EXPECT_FALSE(framing.feed(piece));
  EXPECT_EQ(framing.buffered(), piece.size() - 2);  // only "x\n" went
  EXPECT_FALSE(framing.feed(""));
  EXPECT_EQ(framing.buffered(), piece.size() - 2 - 9);  // then "00|//\n12\n", leading digits "00"
  EXPECT_EQ(framing.expected(), 0);
}

TEST(AnswerFraming, EmptyArrivalIsNeverAnAnswer) {
  AnswerFraming framing;
  EXPECT_FALSE(framing.feed(""));
  EXPECT_FALSE(framing.feed("0\n00|//"));
  EXPECT_FALSE(framing.feed(""));
  EXPECT_EQ(framing.expected(), 0);
}

TEST(AnswerFraming, PatternAtTheFirstByteStaysTheFirstOccurrence) {
  AnswerFraming framing;
  EXPECT_FALSE(framing.feed("\n00|//"));
  EXPECT_FALSE(framing.feed("x\n" + kWire));
  EXPECT_FALSE(framing.feed(""));
  EXPECT_EQ(framing.expected(), 0);
  EXPECT_EQ(framing.buffered(), 6 + 2 + kWire.size());
}

TEST(AnswerFraming, PatternIsByteExact) {
  AnswerFraming framing;
  // A CR before the LF belongs to the length line, whose leading digits still read 47.
  const auto answer = framing.feed("47\r\n" + kMessage);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->response, kMessage);
  AnswerFraming other;
  EXPECT_FALSE(other.feed("47\n00|/\\x"));
  EXPECT_FALSE(other.feed("47\n00!//"));
  EXPECT_EQ(other.expected(), 0);
}

TEST(AnswerFraming, ResetStartsANewExchange) {
  AnswerFraming framing;
  ASSERT_TRUE(framing.feed(kWire));
  framing.reset();
  EXPECT_FALSE(framing.reported());
  EXPECT_EQ(reportsAfter(framing, bytesOf(kWire)), std::vector<std::size_t>{kWire.size() - 1});
  // A half-received answer is forgotten.
  framing.reset();
  EXPECT_FALSE(framing.feed(kWire.substr(0, 10)));
  framing.reset();
  EXPECT_EQ(framing.buffered(), 0u);
  EXPECT_EQ(reportsAfter(framing, {kWire}), std::vector<std::size_t>{0});
}

TEST(AnswerFramingLimit, AnswerOfExactlySixteenMebibytes) {
  std::string message = "00|//";
  message.resize(kLimit, 'x');
  AnswerFraming framing;
  const auto answer = framing.feed(lengthLine(message) + message);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->totByte, static_cast<std::int32_t>(kLimit));
  EXPECT_EQ(answer->response.size(), kLimit);
}

TEST(AnswerFramingLimit, AnnouncedLengthAboveTheLimit) {
  AnswerFraming framing;
  EXPECT_EQ(limitError(framing, "16777300\n00|//"),
            "the answer announces 16777300 bytes, 84 more than the limit of 16777216 bytes (16 MiB)");
  EXPECT_FALSE(framing.feed("abc"));
  AnswerFraming justAbove;
  EXPECT_EQ(limitError(justAbove, "16777217\n00|//"),
            "the answer announces 16777217 bytes, 1 more than the limit of 16777216 bytes (16 MiB)");
  AnswerFraming atLimit;
  EXPECT_FALSE(atLimit.feed("16777216\n00|//"));
  EXPECT_EQ(atLimit.expected(), static_cast<std::int32_t>(kLimit));
}

TEST(AnswerFramingLimit, AnnouncedLengthOfManyDigits) {
  AnswerFraming framing;
  EXPECT_EQ(limitError(framing, "1234567890123456789012345\n00|//"),
            "the answer announces a length of 25 digits, far more than the limit of 16777216 bytes (16 MiB)");
  AnswerFraming twenty;
  EXPECT_EQ(limitError(twenty, "18446744073709551616\n00|//"),  // 2^64 would wrap to 0
            "the answer announces a length of 20 digits, far more than the limit of 16777216 bytes (16 MiB)");
}

TEST(AnswerFramingLimit, TooMuchWithoutALengthLine) {
  AnswerFraming framing;
  EXPECT_FALSE(framing.feed(std::string(kLimit - 1, 'x')));
  EXPECT_FALSE(framing.feed("x"));  // exactly at the limit is allowed
  EXPECT_EQ(limitError(framing, "xy"),
            "16777218 bytes of the answer held with no length announced, 2 more than the limit of 16777216 bytes "
            "(16 MiB)");
  EXPECT_FALSE(framing.feed(kWire));
  framing.reset();
  EXPECT_TRUE(framing.feed(kWire));
}

TEST(AnswerFramingLimit, PeerThatAnnouncesLittleAndKeepsSending) {
  AnswerFraming framing;
  EXPECT_FALSE(framing.feed("10\n00|//"));
  EXPECT_FALSE(framing.feed(std::string(kLimit - 5, 'x')));  // 16 MiB held, more than announced
  EXPECT_EQ(limitError(framing, "x"),
            "16777217 bytes of the answer held against an announced length of 10, 1 more than the limit of "
            "16777216 bytes (16 MiB)");
}

TEST(AnswerFramingLimit, LengthLineCountsTowardsTheLimitUntilFound) {
  // A length line so long that what is held passes the limit before its end arrives.
  AnswerFraming framing;
  EXPECT_FALSE(framing.feed(std::string(kLimit, '1')));
  EXPECT_EQ(limitError(framing, "\n00|//"),
            "the answer announces a length of 16777216 digits, far more than the limit of 16777216 bytes (16 MiB)");
}

}  // namespace
}  // namespace velta
