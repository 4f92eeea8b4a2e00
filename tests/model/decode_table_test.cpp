// Shape of the reply decoding table: size, terminator, node chains and match order.

#include "model/decode.h"
#include "model/decode_table.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

namespace tw::model {
namespace {

TEST(DecodeTable, Holds616EntriesThenAnEmptyTerminator) {
  ASSERT_EQ(kReplyTable.size(), 617u);
  for (std::size_t i = 0; i < kReplyEntryCount; ++i) {
    EXPECT_FALSE(kReplyTable[i].prefix.view().empty()) << "entry " << i;
  }
  EXPECT_TRUE(kReplyTable[kReplyEntryCount].prefix.view().empty());
  EXPECT_EQ(kReplyTable[kReplyEntryCount].nodeCount, 0);
}

TEST(DecodeTable, EveryEntryHasOneToThreeNodesOfOneKnownGroupAndKind) {
  for (std::size_t i = 0; i < kReplyEntryCount; ++i) {
    const ReplyEntry& entry = kReplyTable[i];
    ASSERT_GE(entry.nodeCount, 1) << "entry " << i;
    ASSERT_LE(entry.nodeCount, 3) << "entry " << i;
    for (const DecodeNode& node : entry.chain()) {
      EXPECT_EQ(node.group, entry.nodes[0].group) << "entry " << i;
      EXPECT_LT(node.kind, kDecodeKindCount) << "entry " << i;
      EXPECT_GT(node.number, 0) << "entry " << i;
      EXPECT_EQ(node.kind == kKindList, !node.values.empty()) << "entry " << i;
    }
  }
}

// First match is right only if no prefix begins a later one (which it would shadow).
TEST(DecodeTable, NoPrefixBeginsALaterOne) {
  for (std::size_t i = 0; i < kReplyEntryCount; ++i) {
    const std::string_view earlier = kReplyTable[i].prefix.view();
    for (std::size_t j = i + 1; j < kReplyEntryCount; ++j) {
      EXPECT_FALSE(kReplyTable[j].prefix.view().starts_with(earlier))
          << "entry " << i << " shadows entry " << j;
    }
  }
}

TEST(DecodeTable, LongerPrefixesComeBeforeTheShorterOnesTheyBeginWith) {
  auto indexOf = [](std::string_view body) {
    for (std::size_t i = 0; i < kReplyEntryCount; ++i) {
      if (kReplyTable[i].prefix.view() == "\x02" + std::string(body)) return static_cast<int>(i);
    }
    return -1;
  };
  for (auto [longer, shorter] : {std::pair{"002600", "0026"}, {"002700", "0027"}, {"00A200", "00A2"}}) {
    ASSERT_GE(indexOf(longer), 0) << longer;
    EXPECT_EQ(indexOf(longer) + 1, indexOf(shorter)) << shorter;
  }
}

// 125 standard entries, the 467 extended ones, then the iPod, System Memory and power
// reports (24 standard entries).
TEST(DecodeTable, ExtendedEntriesSitBetweenTheTwoStandardRuns) {
  for (std::size_t i = 0; i < kReplyEntryCount; ++i) {
    const char start = kReplyTable[i].prefix.view()[0];
    const bool extended = i >= 125 && i < 592;
    EXPECT_EQ(start, extended ? '\x14' : '\x02') << "entry " << i;
  }
  EXPECT_EQ(kReplyTable[591].prefix.view(),
            "\x14"
            "2006005001");
  EXPECT_EQ(kReplyTable[592].prefix.view(),
            "\x02"
            "009600");
  EXPECT_EQ(kReplyTable[600].prefix.view(),
            "\x02"
            "0030");
  EXPECT_EQ(kReplyTable[608].prefix.view(),
            "\x02"
            "002000");
  EXPECT_EQ(kReplyTable[615].prefix.view(),
            "\x02"
            "002007");
}

TEST(DecodeTable, ValuesOfExtendedRunsFollowTheirPrefix) {
  int distances = 0;
  for (const ReplyEntry& entry : kReplyTable) {
    if (entry.nodeCount == 0 || entry.nodes[0].group != kGroupSpeakerDistance) continue;
    ++distances;
    ASSERT_EQ(entry.nodeCount, 2);
    EXPECT_EQ(entry.nodes[0].number, 278);  // the unit
    EXPECT_EQ(entry.nodes[0].pos, 10);
    EXPECT_EQ(entry.nodes[0].len, 1);
    EXPECT_EQ(entry.nodes[1].pos, 11);
    EXPECT_EQ(entry.nodes[1].len, 3);
  }
  EXPECT_EQ(distances, 10);
}

}  // namespace
}  // namespace tw::model

namespace tw::model {
namespace {

// The lookup of the model's own table (indexed) finds exactly the entry that walking the
// table in order finds (a copy of the table is walked): for every prefix, the prefix with
// value characters behind it, and every shorter beginning of it.
TEST(DecodeTable, IndexedLookupFindsWhatTheOrderedWalkFinds) {
  const std::vector<ReplyEntry> copy(kReplyTable.begin(), kReplyTable.end());
  const std::span<const ReplyEntry> walked(copy);
  int compared = 0;
  for (const ReplyEntry& entry : kReplyTable) {
    const std::string prefix(entry.prefix.view());
    for (std::size_t length = 1; length <= prefix.size(); ++length) {
      for (const std::string& tail : {std::string(), std::string("00\x03"), std::string("FF7A\x03")}) {
        const std::string frame = prefix.substr(0, length) + tail;
        ASSERT_EQ(FindReplyEntry(frame), FindReplyEntry(frame, walked)) << frame;
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 5000);
}

}  // namespace
}  // namespace tw::model
