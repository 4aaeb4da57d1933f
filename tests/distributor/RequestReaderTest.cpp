// The request reader: when a request is complete, and what it refuses at once.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tools/velta-distributor/RequestReader.h"

namespace velta::distributor {
namespace {

using State = RequestReader::State;

struct ReaderCase {
  const char* name;
  std::vector<std::string> pieces;
  State state;
  std::string message;  // when complete
  int code;             // when refused
  std::string text;
};
void PrintTo(const ReaderCase& c, std::ostream* os) { *os << c.name; }

const std::vector<ReaderCase> kCases = {
    {"OnePiece", {"4\nab\nc"}, State::Complete, "ab\nc", 0, ""},
    {"LengthLineSplit", {"1", "1\n00|//VELT", "A\n"}, State::Complete, "00|//VELTA\n", 0, ""},
    {"EveryByteAlone", {"3", "\n", "a", "b", "\n"}, State::Complete, "ab\n", 0, ""},
    {"ShortWaits", {"10\n00|//"}, State::Reading, "", 0, ""},
    {"LengthLineAlone", {"12\n"}, State::Reading, "", 0, ""},
    {"NoLengthLine", {"00|//VELTA//850|||H-BRONTEK|8153\n"}, State::Refused, "", 100,
     "the request does not begin with a length line of decimal digits and LF: it begins \"00\\x7C//VELTA//850\\x7C\\x7C\\x7CH-BRON\""},
    {"CarriageReturn", {"12\r\n00|"}, State::Refused, "", 100,
     "the request does not begin with a length line of decimal digits and LF: it begins \"12\\x0D\\x0A00\\x7C\""},
    {"RefusedBeforeTheLineEnds", {"1x"}, State::Refused, "", 100,
     "the request does not begin with a length line of decimal digits and LF: it begins \"1x\""},
    {"LeadingZero", {"012\n"}, State::Refused, "", 100, "the length line \"012\" begins with a 0"},
    {"LeadingZeroSeenEarly", {"00"}, State::Refused, "", 100, "the length line \"00\" begins with a 0"},
    {"Zero", {"0\n"}, State::Refused, "", 100, "the length line announces 0 bytes; a request is never empty"},
    {"Empty", {"\n00|//"}, State::Refused, "", 100, "the length line is empty: the request begins with LF"},
    {"AboveTheLimit", {"16777217\n"}, State::Refused, "", 100,
     "the length line announces 16777217 bytes, more than the limit of 16777216 (16 MiB)"},
    {"NineDigits", {"100000000"}, State::Refused, "", 100,
     "the length line has more than 8 digits: it announces more than the limit of 16777216 (16 MiB) bytes"},
    {"MoreThanAnnounced", {"3\nab\ncd"}, State::Refused, "", 101,
     "the length line announces 3 bytes, but more followed: 5 at least"},
    {"MoreInALaterPiece", {"3\nab", "\nc"}, State::Refused, "", 101,
     "the length line announces 3 bytes, but more followed: 4 at least"},
};

class ReaderCases : public testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderCases, TellsCompleteOrRefused) {
  const ReaderCase& c = GetParam();
  RequestReader reader;
  std::size_t bytes = 0;
  for (const std::string& piece : c.pieces) {
    reader.feed(piece);
    bytes += piece.size();
  }
  EXPECT_EQ(reader.state(), c.state);
  EXPECT_EQ(reader.bytesSeen(), bytes);
  if (c.state == State::Complete) {
    EXPECT_EQ(reader.message(), c.message);
  }
  if (c.state == State::Refused) {
    EXPECT_EQ(reader.rejection(), (Rejection{c.code, c.text}));
    EXPECT_TRUE(reader.message().empty());  // nothing is held for a refused request
  }
}

INSTANTIATE_TEST_SUITE_P(Pieces, ReaderCases, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RequestReader, AStoppedClientRefusesAShortRequestOnlyWhenItsLengthIsKnown) {
  RequestReader short_;
  short_.feed("10\n00|//");
  EXPECT_EQ(short_.stop("before the client closed its side"), State::Refused);
  EXPECT_EQ(short_.rejection().code, 101);
  EXPECT_EQ(short_.rejection().message, "the length line announces 10 bytes, but 5 arrived before the client closed its side");

  RequestReader partLine;
  partLine.feed("1");
  EXPECT_EQ(partLine.stop("then"), State::Reading);  // nothing to answer: the simulator just closes

  RequestReader complete;
  complete.feed("2\na\n");
  EXPECT_EQ(complete.stop("then"), State::Complete);
}

TEST(RequestReader, LaterArrivalsAreNotKept) {
  RequestReader reader;
  reader.feed("xyz");
  ASSERT_EQ(reader.state(), State::Refused);
  reader.feed(std::string(1 << 20, 'a'));
  EXPECT_EQ(reader.state(), State::Refused);
  EXPECT_EQ(reader.bytesSeen(), 3u + (1u << 20));
  EXPECT_EQ(reader.message().capacity() < 1024, true);
}

TEST(RequestReader, TakesARequestOfExactlyTheLimit) {
  RequestReader reader;
  reader.feed("16777216\n");
  const std::string block(1 << 20, 'x');
  for (int i = 0; i < 16; ++i) reader.feed(block);
  EXPECT_EQ(reader.state(), State::Complete);
  EXPECT_EQ(reader.message().size(), RequestReader::kLimit);
}

}  // namespace
}  // namespace velta::distributor
