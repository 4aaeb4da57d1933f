// Compressed text: word arithmetic on hand-computed bytes, padding in the
// caller's variable, the two-character words from 64000 up, and an alphabet
// changed by Stma 10.
#include <gtest/gtest.h>

#include "base/BaseState.h"
#include "base/CompressedText.h"
#include "support/Raised.h"

namespace velta {
namespace {

using namespace std::string_literals;
using test::raised;

class CompressedText : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = baseState().compressionAlphabet; }
  void TearDown() override { baseState().compressionAlphabet = saved_; }

 private:
  std::string saved_;
};

TEST_F(CompressedText, ThreeCharactersMakeOneBigEndianWord) {
  std::string abc = "ABC";
  EXPECT_EQ(Crm(abc), "\x59\xE8"s);  // 14 * 1600 + 15 * 40 + 16 = 23016
  std::string word = "\x59\xE8"s;
  EXPECT_EQ(Ucm(word), "ABC");

  // Indexes 0 1 2 | 3 4 13 | 14 39 and a padding blank 0:
  // 0*1600 + 1*40 + 2 = 42, 3*1600 + 4*40 + 13 = 4973, 14*1600 + 39*40 + 0 = 23960.
  std::string text = " ,/.09AZ";
  EXPECT_EQ(Crm(text), "\x00\x2A\x13\x6D\x5D\x98"s);
}

TEST_F(CompressedText, CrmPadsTheCallersTextWithBlanks) {
  std::string ab = "AB";
  EXPECT_EQ(Crm(ab), "\x59\xD8"s);  // 14 * 1600 + 15 * 40 + 0 = 23000
  EXPECT_EQ(ab, "AB ");
  std::string four = "ABCD";
  EXPECT_EQ(Crm(four).size(), 4u);
  EXPECT_EQ(four, "ABCD  ");
  std::string empty;
  EXPECT_EQ(Crm(empty), "");
  EXPECT_EQ(empty, "");
}

TEST_F(CompressedText, CharactersOutsideTheAlphabetBecomeBlanks) {
  std::string lower = "abc";
  EXPECT_EQ(Crm(lower), "\x00\x00"s);
  EXPECT_EQ(lower, "abc");
  std::string word = "\x00\x00"s;
  EXPECT_EQ(Ucm(word), "   ");
  std::string mixed = "A\xE9\n";
  std::string onlyA = "A  ";
  EXPECT_EQ(Crm(mixed), Crm(onlyA));
}

TEST_F(CompressedText, UcmPadsAnOddSourceWithNulAndWordsFrom64000HaveTwoCharacters) {
  std::string ffff = "\xFF\xFF"s;
  EXPECT_EQ(Ucm(ffff), "YB");  // (65535 / 40) % 40 = 38, 65535 % 40 = 15
  std::string w64000 = "\xFA\x00"s;
  EXPECT_EQ(Ucm(w64000), "  ");  // 64000: (1600 % 40) = 0, 0
  std::string w63999 = "\xF9\xFF"s;
  EXPECT_EQ(Ucm(w63999), "ZZZ");  // 39 * 1600 + 39 * 40 + 39

  std::string odd = "\x59"s;  // 59 00 = 22784 = 14 * 1600 + 9 * 40 + 24
  EXPECT_EQ(Ucm(odd), "A5K");
  EXPECT_EQ(odd, "\x59\x00"s);

  std::string empty;
  EXPECT_EQ(Ucm(empty), "");
  EXPECT_EQ(empty, "");
}

TEST_F(CompressedText, EveryWordBelow64000RoundTrips) {
  for (unsigned v = 0; v < 64000; v += 7) {
    std::string word{static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
    std::string text = Ucm(word);
    ASSERT_EQ(text.size(), 3u);
    EXPECT_EQ(Crm(text), word) << v;
  }
}

TEST_F(CompressedText, TheAlphabetIsEngineState) {
  baseState().compressionAlphabet.replace(0, 4, "-*#@");
  std::string word = "\x00\x43"s;  // indexes 0, 1, 27
  EXPECT_EQ(Ucm(word), "-*N");
  std::string text = "-*N";
  EXPECT_EQ(Crm(text), "\x00\x43"s);
  // The blank is no longer in the alphabet: it counts as index 0.
  std::string blanks = "   ";
  EXPECT_EQ(Crm(blanks), "\x00\x00"s);
}

TEST(CompressTextWithAlphabet, ShortGroupsCountAsPaddedAndTheSourceStays) {
  const std::string alphabet(kDefaultCompressionAlphabet);
  EXPECT_EQ(compressText("AB", alphabet), "\x59\xD8"s);
  // With the blank moved to index 2, padding still means blanks.
  const std::string moved = "ab " + alphabet.substr(3);
  EXPECT_EQ(compressText("A", moved), "\x57\xD2"s);  // 14 * 1600 + 2 * 40 + 2 = 22482
  EXPECT_EQ(expandText("\x59"s, alphabet), "A5K");
  EXPECT_EQ(raised([] { compressText("A", "short"); }).number(), 5);
  EXPECT_EQ(raised([] { expandText("\x00\x00"s, "short"); }).source(), "Ucm");
}

}  // namespace
}  // namespace velta
