#include <gtest/gtest.h>

#include <string>

#include "monitor/entry_table.h"

namespace corvane {
namespace {

TEST(EntryTable, KeepsAppendOrderAndCopiesExactlyTheCount) {
  EntryTable current, baseline;
  baseline.Append("3C:\\old.lnk");
  baseline.Append("4OldService");
  current.Append("2\\Run\\B");
  current.Append("2\\Run\\A");
  current.Append("2\\Run\\A");  // the same item found twice stays twice

  baseline.CopyFrom(current);
  EXPECT_EQ(baseline.Entries(), (std::vector<std::string>{"2\\Run\\B", "2\\Run\\A", "2\\Run\\A"}));
  current.Reset();
  EXPECT_EQ(current.Count(), 0u);
  EXPECT_EQ(baseline.Count(), 3u);
}

TEST(EntryTable, LookupIsByteForByteAndFollowsEveryChange) {
  EntryTable table;
  table.Append("3C:\\Start Menu\\Programs\\Startup\\a.lnk");
  EXPECT_TRUE(table.Contains("3C:\\Start Menu\\Programs\\Startup\\a.lnk"));
  EXPECT_FALSE(table.Contains("3C:\\Start Menu\\Programs\\startup\\a.lnk"));
  EXPECT_FALSE(table.Contains("3C:\\Start Menu\\Programs\\Startup\\a.lnk "));

  table.Append("8{CLSID}");
  EXPECT_TRUE(table.Contains("8{CLSID}"));
  EntryTable other;
  other.Append("4Svc");
  table.CopyFrom(other);
  EXPECT_FALSE(table.Contains("8{CLSID}"));
  EXPECT_TRUE(table.Contains("4Svc"));
  table.Reset();
  EXPECT_FALSE(table.Contains("4Svc"));
}

TEST(EntryTable, HoldsMoreThanNineHundredNinetyNineEntries) {
  EntryTable current, baseline;
  for (int i = 0; i < 5000; ++i) current.Append("2\\Run\\value" + std::to_string(i));
  baseline.CopyFrom(current);
  EXPECT_EQ(baseline.Count(), 5000u);
  EXPECT_EQ(baseline.At(4999), "2\\Run\\value4999");
  EXPECT_TRUE(baseline.Contains("2\\Run\\value1234"));
}

}  // namespace
}  // namespace corvane
