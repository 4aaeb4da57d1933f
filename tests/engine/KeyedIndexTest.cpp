// Keyed index navigation on indexes written byte by byte: the exact cursor
// bytes, keys and record numbers of the edge cases, the reads each call makes,
// the index-range notice, and every corruption that must end a call with -20.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "base/EngineError.h"
#include "engine/KeyedIndex.h"
#include "support/EngineErrorMatch.h"
#include "support/IndexFixture.h"

namespace velta {
namespace {

using test::bigEndian;

constexpr int kE = 10;  // entry length: keys of 6 bytes
constexpr int kInner = 0;
constexpr int kLast = 65535;
const std::string kTop(6, '\xFF');

std::string key6(std::string_view text) {
  std::string key(text);
  key.resize(6, '\0');
  return key;
}

struct Entry {
  std::string key;
  int64_t pointer;
};

std::string padded(std::string bytes) {
  bytes.resize(512, '\0');
  return bytes;
}

//                 entry length        entries per block        LastRecord at initialisation
std::string header(int root, int entryLength = kE, int lastRecord = 0) {
  return padded(bigEndian(entryLength, 2) + bigEndian(entryLength ? 508 / entryLength : 0, 2) +
                bigEndian(lastRecord, 2) + bigEndian(0, 2) /* next unused */ + bigEndian(root, 2) +
                bigEndian(0, 2) /* fill target */ + bigEndian(0, 2) /* no duplicates */);
}

std::string node(int nextLeaf, std::initializer_list<Entry> entries) {
  std::string bytes = bigEndian(static_cast<int64_t>(entries.size()), 2) + bigEndian(nextLeaf, 2);
  for (const auto& e : entries) bytes += e.key + bigEndian(e.pointer, 4);
  return padded(bytes);
}

// A node whose count field says `count` whatever follows.
std::string nodeCounting(int count, int nextLeaf) { return padded(bigEndian(count, 2) + bigEndian(nextLeaf, 2)); }

unsigned byteAt(const std::string& buff, int position) { return static_cast<unsigned char>(buff[position - 1]); }
unsigned pathAt(const std::string& buff, int depth) {
  return byteAt(buff, 17 + 2 * depth) * 256 + byteAt(buff, 18 + 2 * depth);
}

class KeyedIndex : public test::IndexFixture {
 protected:
  // Keys A, B, C (records 11, 12, 13) and the sentinel in one leaf, block 1.
  LogicalFileHandle abc() {
    return indexFile("ABC", {header(1), node(kLast, {{key6("A"), 11}, {key6("B"), 12}, {key6("C"), 13}, {kTop, -1}})});
  }
  // Root 1 over leaf 2 (A, B) and leaf 3 (C, sentinel).
  LogicalFileHandle twoLeaves() {
    return indexFile("TWO", {header(1), node(kInner, {{key6("B"), 2}, {kTop, 3}}),
                             node(3, {{key6("A"), 11}, {key6("B"), 12}}), node(kLast, {{key6("C"), 13}, {kTop, -1}})});
  }
  // Root 1 over inner nodes 2 (leaves 4: A, 5: B) and 3 (leaves 6: C, 7: the sentinel alone).
  LogicalFileHandle threeLevels() {
    return indexFile("THREE", {header(1), node(kInner, {{key6("B"), 2}, {kTop, 3}}),
                               node(kInner, {{key6("A"), 4}, {key6("B"), 5}}), node(kInner, {{key6("C"), 6}, {kTop, 7}}),
                               node(5, {{key6("A"), 11}}), node(6, {{key6("B"), 12}}), node(7, {{key6("C"), 13}}),
                               node(kLast, {{kTop, -1}})});
  }

  // The entry reached, and the cursor: its entry index and the leaf in the path at `depth`.
  void expectAt(int32_t wantedRec, const std::string& wantedKey, unsigned index, int depth, unsigned leaf) {
    EXPECT_EQ(rec, wantedRec);
    EXPECT_EQ(key, wantedKey);
    EXPECT_EQ(byteAt(buff, 17), index);
    EXPECT_EQ(pathAt(buff, depth), leaf);
  }

  // A call that finds nothing more: Rec 0, the buffer and the key as they were.
  template <typename Call>
  void expectNoMove(Call call) {
    const std::string before = buff;
    key = "kept";
    rec = 99;
    call();
    EXPECT_EQ(rec, 0);
    EXPECT_EQ(buff, before);
    EXPECT_EQ(key, "kept");
  }

  std::string buff;
  std::string key;
  int32_t rec = 99;
};

TEST_F(KeyedIndex, SentinelOnlyIndexFindsNothing) {
  const auto idx = indexFile("EMPTY", {header(1), node(kLast, {{kTop, -1}})});
  key = "ACME";
  KFind(idx, buff, key, rec);
  EXPECT_EQ(rec, 0);
  EXPECT_EQ(key, kTop);
  EXPECT_EQ(KCount(idx), 0);
  KLast(idx, buff, key = "x", rec = 99);
  EXPECT_EQ(rec, 0);
  EXPECT_EQ(key, kTop);
  EXPECT_EQ(byteAt(buff, 17), 1u);  // the cursor stays on the sentinel
  KPrev(idx, buff, key, rec = 99);
  EXPECT_EQ(rec, 0);
}

TEST_F(KeyedIndex, FindGivesExactHitNextHigherKeyOrNothing) {
  const auto idx = abc();
  KFind(idx, buff, key = "B", rec);
  EXPECT_EQ(rec, 12);
  EXPECT_EQ(key, key6("B"));  // padded with NUL in the caller's variable

  KFind(idx, buff, key = "BA", rec);
  EXPECT_EQ(rec, -13);
  EXPECT_EQ(key, key6("C"));

  KFind(idx, buff, key = "D", rec);
  EXPECT_EQ(rec, 0);
  EXPECT_EQ(key, kTop);

  KFind(idx, buff, key = "", rec);
  EXPECT_EQ(rec, -11);
  EXPECT_EQ(key, key6("A"));
}

TEST_F(KeyedIndex, FindFillsTheBufferAsLaidOut) {
  const auto idx = abc();
  KFind(idx, buff, key = "B", rec);
  ASSERT_EQ(buff.size(), 544u);
  const std::string head = header(1);
  EXPECT_EQ(buff.substr(0, 16), head.substr(0, 16));
  EXPECT_EQ(byteAt(buff, 17), 2u);  // entry index
  EXPECT_EQ(byteAt(buff, 18), 1u);  // depth
  EXPECT_EQ(pathAt(buff, 1), 1u);
  EXPECT_EQ(buff.substr(20, 12), std::string(12, '\0'));
  EXPECT_EQ(buff.substr(32), node(kLast, {{key6("A"), 11}, {key6("B"), 12}, {key6("C"), 13}, {kTop, -1}}));
  // The header block and the leaf, nothing more.
  EXPECT_EQ(counts->offsets, (std::vector<uint64_t>{0, 512}));
  EXPECT_EQ(counts->bytesRead, 1024u);
}

TEST_F(KeyedIndex, BufferIsExtendedButNeverCut) {
  const auto idx = abc();
  buff = "short";
  KFind(idx, buff, key = "A", rec);
  EXPECT_EQ(buff.size(), 544u);
  buff = std::string(600, '\x5A');
  KFind(idx, buff, key = "A", rec);
  ASSERT_EQ(buff.size(), 600u);
  EXPECT_EQ(buff.substr(544), std::string(56, '\x5A'));
  EXPECT_EQ(rec, 11);
}

TEST_F(KeyedIndex, LongSearchKeyIsCutAndWrittenBack) {
  const auto idx = abc();
  key = key6("C") + "TAIL";
  KFind(idx, buff, key, rec);
  EXPECT_EQ(key, key6("C"));
  EXPECT_EQ(rec, 13);
}

TEST_F(KeyedIndex, NextAfterTheLastKeyGivesTheSentinelThenStays) {
  const auto idx = abc();
  KFind(idx, buff, key = "C", rec);
  KNext(idx, buff, key, rec);
  EXPECT_EQ(rec, 0);
  EXPECT_EQ(key, kTop);
  EXPECT_EQ(byteAt(buff, 17), 4u);
  expectNoMove([&] { KNext(idx, buff, key, rec); });
  EXPECT_EQ(counts->reads, 2u);  // only KFind's: a step inside the leaf reads nothing
}

TEST_F(KeyedIndex, PrevFromTheFirstKeyLeavesEverythingAsItWas) {
  const auto idx = abc();
  KFind(idx, buff, key = "B", rec);
  KPrev(idx, buff, key, rec);
  EXPECT_EQ(rec, 11);
  EXPECT_EQ(key, key6("A"));
  EXPECT_EQ(byteAt(buff, 17), 1u);
  expectNoMove([&] { KPrev(idx, buff, key, rec); });
}

TEST_F(KeyedIndex, RecordPointerMinusOneIsRecordZero) {
  const auto idx = indexFile("NOREC", {header(1), node(kLast, {{key6("M"), -1}, {kTop, -1}})});
  KFind(idx, buff, key = "M", rec);
  EXPECT_EQ(rec, 0);
  EXPECT_EQ(key, key6("M"));
  KFind(idx, buff, key = "A", rec = 99);
  EXPECT_EQ(rec, 0);  // the next higher key, without a record
  EXPECT_EQ(key, key6("M"));
}

TEST_F(KeyedIndex, NextAndPrevAcrossALeafBoundary) {
  const auto idx = twoLeaves();
  KFind(idx, buff, key = "A", rec);
  EXPECT_EQ(counts->offsets, (std::vector<uint64_t>{0, 512, 1024}));
  EXPECT_EQ(byteAt(buff, 18), 2u);
  EXPECT_EQ(pathAt(buff, 1), 1u);
  EXPECT_EQ(pathAt(buff, 2), 2u);
  KNext(idx, buff, key, rec);
  EXPECT_EQ(rec, 12);
  counts->reset();
  KNext(idx, buff, key, rec);
  expectAt(13, key6("C"), 1, 2, 3);
  EXPECT_EQ(buff.substr(32), node(kLast, {{key6("C"), 13}, {kTop, -1}}));
  EXPECT_EQ(counts->offsets, (std::vector<uint64_t>{1536}));  // the next leaf only

  counts->reset();
  KPrev(idx, buff, key, rec);
  expectAt(12, key6("B"), 2, 2, 2);
  EXPECT_EQ(counts->offsets, (std::vector<uint64_t>{512, 1024}));  // the parent, then the leaf before
}

TEST_F(KeyedIndex, FindFollowsTheLeafChainWhereALeafEndsBelowTheKey) {
  // The root still says C for leaf 2, which holds only A and B.
  const auto idx = indexFile("STALE", {header(1), node(kInner, {{key6("C"), 2}, {kTop, 3}}),
                                       node(3, {{key6("A"), 11}, {key6("B"), 12}}),
                                       node(kLast, {{key6("D"), 14}, {kTop, -1}})});
  KFind(idx, buff, key = "C", rec);
  EXPECT_EQ(rec, -14);
  EXPECT_EQ(key, key6("D"));
  EXPECT_EQ(pathAt(buff, 2), 3u);
  EXPECT_EQ(byteAt(buff, 17), 1u);
  EXPECT_EQ(counts->reads, 4u);
}

TEST_F(KeyedIndex, LastAndCountOverLevels) {
  const auto two = twoLeaves();
  KLast(two, buff, key, rec);
  EXPECT_EQ(rec, 13);
  EXPECT_EQ(key, key6("C"));
  EXPECT_EQ(byteAt(buff, 17), 1u);
  EXPECT_EQ(byteAt(buff, 18), 2u);
  EXPECT_EQ(KCount(two), 3);

  // The last leaf holds only the sentinel: the last key is in the leaf before.
  const auto three = threeLevels();
  KLast(three, buff = "", key, rec);
  EXPECT_EQ(rec, 13);
  EXPECT_EQ(key, key6("C"));
  EXPECT_EQ(pathAt(buff, 2), 3u);
  EXPECT_EQ(pathAt(buff, 3), 6u);
  EXPECT_EQ(KCount(three), 3);
  KNext(three, buff, key, rec);
  EXPECT_EQ(rec, 0);
  EXPECT_EQ(key, kTop);
}

TEST_F(KeyedIndex, PrevRebuildsThePathThatTheLeafChainLeftStale) {
  const auto idx = threeLevels();
  KFind(idx, buff, key = "A", rec);
  KNext(idx, buff, key, rec);
  KNext(idx, buff, key, rec);  // into leaf 6, under inner node 3; the path still says 2
  EXPECT_EQ(rec, 13);
  EXPECT_EQ(pathAt(buff, 2), 2u);
  KPrev(idx, buff, key, rec);
  EXPECT_EQ(rec, 12);
  EXPECT_EQ(key, key6("B"));
  EXPECT_EQ(pathAt(buff, 1), 1u);
  EXPECT_EQ(pathAt(buff, 2), 2u);
  EXPECT_EQ(pathAt(buff, 3), 5u);
  KPrev(idx, buff, key, rec);
  EXPECT_EQ(rec, 11);
  KPrev(idx, buff, key, rec = 99);
  EXPECT_EQ(rec, 0);

  // Forward to the sentinel alone in leaf 7, and back.
  KFind(idx, buff, key = "B", rec);
  KNext(idx, buff, key, rec);
  KNext(idx, buff, key, rec);
  EXPECT_EQ(key, kTop);
  KPrev(idx, buff, key, rec);
  EXPECT_EQ(rec, 13);
  EXPECT_EQ(pathAt(buff, 2), 3u);
  EXPECT_EQ(pathAt(buff, 3), 6u);
}

TEST_F(KeyedIndex, NextPassesLeavesWithoutEntries) {
  const auto idx = indexFile("HOLE", {header(1), node(2, {{key6("A"), 11}}), node(3, {}),
                                      node(kLast, {{key6("B"), 12}, {kTop, -1}})});
  KFind(idx, buff, key = "A", rec);
  KNext(idx, buff, key, rec);
  EXPECT_EQ(rec, 12);
  EXPECT_EQ(pathAt(buff, 1), 3u);
}

TEST_F(KeyedIndex, IndexInsideADataFile) {
  const auto idx =
      logicalIndex("PARTI", {header(1), node(kLast, {{key6("A"), 11}, {key6("B"), 12}, {kTop, -1}})}, 3, 1);
  ASSERT_TRUE(idx);
  KFind(idx, buff, key = "B", rec);
  EXPECT_EQ(rec, 12);
  EXPECT_EQ(counts->offsets, (std::vector<uint64_t>{3 * 512, 4 * 512}));
  EXPECT_EQ(KLength(idx), 6);
  EXPECT_EQ(KCount(idx), 2);
}

TEST_F(KeyedIndex, LengthIsTheHeadersEntryLengthLessFour) {
  EXPECT_EQ(KLength(abc()), 6);
  EXPECT_EQ(counts->reads, 1u);
  const auto wide = indexFile("WIDE", {header(1, 508), node(kLast, {{std::string(504, '\xFF'), -1}})});
  EXPECT_EQ(KLength(wide), 504);
  KFind(wide, buff, key = "Z", rec);
  EXPECT_EQ(rec, 0);
  EXPECT_EQ(key, std::string(504, '\xFF'));
}

// A node above the index's LastRecord on the way down: the notice, Rec 0, no error.
TEST_F(KeyedIndex, NodeBeyondLastRecordGivesTheRangeNotice) {
  const auto idx = logicalIndex("VNDRI", {header(1), node(kInner, {{kTop, 5}}), node(kLast, {{kTop, -1}})}, 0, 2);
  ASSERT_TRUE(idx);
  KFind(idx, buff, key = "A", rec);
  KFind(idx, buff, key = "A", rec);  // a second time on a filled buffer
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[0].text, "Index is returning information out of Range.  File: VNDRI LastRec:  2");
  EXPECT_EQ(notices[0].icon, Notice::Icon::Critical);
  EXPECT_EQ(notices[0].title, "");
  EXPECT_EQ(rec, 0);
  EXPECT_EQ(key, key6("A"));
  // The cursor bytes are as the copy of the header left them; the root is in the path.
  EXPECT_EQ(byteAt(buff, 17), 0u);
  EXPECT_EQ(byteAt(buff, 18), 0u);
  EXPECT_EQ(pathAt(buff, 1), 1u);
  EXPECT_EQ(counts->reads, 4u);  // header and root, twice

  notices.clear();
  EXPECT_EQ(KCount(idx), 0);
  EXPECT_EQ(notices.size(), 1u);
}

// -20 with the routine as source and a description naming the problem, the file and the block.
class CorruptIndex : public KeyedIndex {
 protected:
  template <typename Call>
  void expectCorrupt(Call call, const std::string& source, const std::string& description) {
    test::expectEngineError(call, err::IndexCorrupt, source, description);
  }
  std::string in(const std::string& name, int block) {
    return "Index corrupt in " + system.unc("HBTSLNK/D1/" + name) + ", block " + std::to_string(block) + ": ";
  }
};

TEST_F(CorruptIndex, BlockBeyondTheEndOfTheDataFile) {
  const auto idx = indexFile("SHORT", {header(1), node(kInner, {{kTop, 9}})}, 20);
  expectCorrupt([&] { KFind(idx, buff, key, rec); }, "KFind", in("SHORT", 9) + "the block lies beyond the end of the data file");
  expectCorrupt([&] { KLast(idx, buff, key, rec); }, "KLast", in("SHORT", 9) + "the block lies beyond the end of the data file");
  const auto none = indexFile("NOTHING", {}, 5);
  expectCorrupt([&] { KFind(none, buff, key, rec); }, "KFind",
                in("NOTHING", 0) + "the header lies beyond the end of the data file");
}

TEST_F(CorruptIndex, NextLeafPointerOutOfRange) {
  const auto zero = indexFile("ZERO", {header(1), node(0x0000, {{key6("A"), 11}})});
  // A next-leaf field of 0 makes the node an inner node: its keys end below the search key.
  expectCorrupt([&] { KFind(zero, buff, key = "B", rec); }, "KFind",
                in("ZERO", 1) + "every key of the inner node lies below the search key");
  const auto far = indexFile("FAR", {header(1), node(7, {{key6("A"), 11}}), node(kLast, {{kTop, -1}})});
  expectCorrupt([&] { KFind(far, buff, key = "B", rec); }, "KFind",
                in("FAR", 1) + "next-leaf pointer 7 lies outside the index (blocks 1 to 2)");
  KFind(far, buff, key = "A", rec);
  expectCorrupt([&] { KNext(far, buff, key, rec); }, "KNext",
                in("FAR", 1) + "next-leaf pointer 7 lies outside the index (blocks 1 to 2)");
  expectCorrupt([&] { KCount(far); }, "KCount", in("FAR", 1) + "next-leaf pointer 7 lies outside the index (blocks 1 to 2)");
}

TEST_F(CorruptIndex, LeafChainThatLoops) {
  const auto idx = indexFile("LOOP", {header(1), node(2, {{key6("A"), 11}}), node(1, {{key6("B"), 12}})});
  expectCorrupt([&] { KCount(idx); }, "KCount", in("LOOP", 2) + "the leaf chain loops back to block 1");
  expectCorrupt([&] { KFind(idx, buff, key = "C", rec); }, "KFind", in("LOOP", 2) + "the leaf chain loops back to block 1");
  const auto empty = indexFile("EMPTYLOOP", {header(1), node(2, {{key6("A"), 11}}), node(3, {}), node(2, {})});
  KFind(empty, buff, key = "A", rec);
  expectCorrupt([&] { KNext(empty, buff, key, rec); }, "KNext", in("EMPTYLOOP", 3) + "the leaf chain loops back to block 2");
}

TEST_F(CorruptIndex, PathDeeperThanSevenLevels) {
  std::vector<std::string> blocks{header(1)};
  for (int b = 1; b <= 7; ++b) blocks.push_back(node(kInner, {{kTop, b + 1}}));
  blocks.push_back(node(kInner, {{kTop, 9}}));
  blocks.push_back(node(kLast, {{kTop, -1}}));
  const auto idx = indexFile("DEEP", blocks);
  expectCorrupt([&] { KFind(idx, buff, key, rec); }, "KFind", in("DEEP", 8) + "the path from the root is deeper than 7 levels");
  expectCorrupt([&] { KLast(idx, buff, key, rec); }, "KLast", in("DEEP", 8) + "the path from the root is deeper than 7 levels");

  // Seven levels are within the format.
  std::vector<std::string> seven{header(1)};
  for (int b = 1; b <= 6; ++b) seven.push_back(node(kInner, {{kTop, b + 1}}));
  seven.push_back(node(kLast, {{kTop, -1}}));
  KFind(indexFile("SEVEN", seven), buff, key, rec);
  EXPECT_EQ(byteAt(buff, 18), 7u);
  EXPECT_EQ(pathAt(buff, 7), 7u);
}

TEST_F(CorruptIndex, EntryCountThatDoesNotFitItsBlock) {
  const auto idx = indexFile("COUNT", {header(1), nodeCounting(51, kLast)});  // 51 * 10 > 508
  expectCorrupt([&] { KFind(idx, buff, key, rec); }, "KFind", in("COUNT", 1) + "51 entries of 10 bytes do not fit in the block");
  const auto fits = indexFile("FITS", {header(1), nodeCounting(50, kLast)});  // 500 bytes of entries
  KFind(fits, buff, key, rec);
  EXPECT_EQ(rec, 0);
  // A buffer whose node has been tampered with.
  const auto three = abc();
  KFind(three, buff, key = "A", rec);
  buff[32] = '\x7F';
  expectCorrupt([&] { KNext(three, buff, key, rec); }, "KNext",
                in("ABC", 1) + "32516 entries of 10 bytes do not fit in the block");
}

TEST_F(CorruptIndex, EntryLengthOutsideFiveTo508) {
  for (int length : {0, 4, 509, 0x2020}) {
    const auto idx = indexFile("LEN", {header(1, length), node(kLast, {})});
    const std::string description =
        in("LEN", 0) + "entry length " + std::to_string(length) + " lies outside 5 to 508";
    expectCorrupt([&] { KFind(idx, buff, key, rec); }, "KFind", description);
    expectCorrupt([&] { KLast(idx, buff, key, rec); }, "KLast", description);
    expectCorrupt([&] { KCount(idx); }, "KCount", description);
  }
  const auto five = indexFile("FIVE", {header(1, 5), node(kLast, {{"A", 3}, {"\xFF", -1}})});
  KFind(five, buff, key = "A", rec);
  EXPECT_EQ(rec, 3);
}

TEST_F(CorruptIndex, InnerNodeWithoutEntries) {
  const auto idx = indexFile("HOLLOW", {header(1), node(kInner, {})});
  expectCorrupt([&] { KFind(idx, buff, key, rec); }, "KFind", in("HOLLOW", 1) + "an inner node holds no entries");
  expectCorrupt([&] { KLast(idx, buff, key, rec); }, "KLast", in("HOLLOW", 1) + "an inner node holds no entries");
}

TEST_F(CorruptIndex, ChildPointersOutsideTheIndex) {
  const auto zero = indexFile("CHILD0", {header(1), node(kInner, {{kTop, 0}}), node(kLast, {{kTop, -1}})});
  expectCorrupt([&] { KFind(zero, buff, key, rec); }, "KFind",
                in("CHILD0", 1) + "child pointer 0 lies outside the index (blocks 1 to 2)");
  const auto root = indexFile("ROOT0", {header(0), node(kLast, {{kTop, -1}})});
  expectCorrupt([&] { KLast(root, buff, key, rec); }, "KLast",
                in("ROOT0", 0) + "root block 0 lies outside the index (blocks 1 to 1)");
  const auto big = indexFile("CHILDBIG", {header(1), node(kInner, {{kTop, 70000}}), node(kLast, {{kTop, -1}})}, 100000);
  expectCorrupt([&] { KFind(big, buff, key, rec); }, "KFind",
                in("CHILDBIG", 1) + "child pointer 70000 lies outside the index (blocks 1 to 65534)");
}

TEST_F(CorruptIndex, BufferThatHoldsNoCursor) {
  const auto idx = abc();
  expectCorrupt([&] { KNext(idx, buff, key, rec); }, "KNext", in("ABC", 0) + "entry length 0 lies outside 5 to 508");
  KFind(idx, buff, key = "A", rec);
  buff[17] = 0;
  expectCorrupt([&] { KPrev(idx, buff, key, rec); }, "KPrev",
                in("ABC", 0) + "the navigation buffer holds depth 0, outside 1 to 7");
  buff[17] = 1;
  buff[16] = 9;
  expectCorrupt([&] { KPrev(idx, buff, key, rec); }, "KPrev",
                in("ABC", 1) + "the navigation buffer's entry index 9 lies outside 1 to 4");
}

TEST_F(CorruptIndex, LastLeafWithoutEntries) {
  const auto idx = indexFile("BARE", {header(1), node(kLast, {})});
  expectCorrupt([&] { KLast(idx, buff, key, rec); }, "KLast", in("BARE", 1) + "the last leaf holds no entries");
}

TEST_F(CorruptIndex, ParentThatDoesNotPointToTheLeaf) {
  // Leaf 3 is reached through the chain, but no inner node names it.
  const auto idx = indexFile("ORPHAN", {header(1), node(kInner, {{key6("A"), 2}, {kTop, 2}}),
                                        node(3, {{key6("A"), 11}}), node(kLast, {{kTop, -1}})});
  KFind(idx, buff, key = "A", rec);
  KNext(idx, buff, key, rec);
  expectCorrupt([&] { KPrev(idx, buff, key, rec); }, "KPrev", in("ORPHAN", 3) + "no path from the root leads to this leaf");
}

}  // namespace
}  // namespace velta
