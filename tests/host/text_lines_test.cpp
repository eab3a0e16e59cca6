#include <gtest/gtest.h>

#include "platform/file_system.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

TEST(TextLines, LineEndsAtLineFeedAndCarriageReturnsAreNotPartOfIt) {
  EXPECT_EQ(SplitTextLines("run=a.exe\r\nload=b\nshell=c\r\n"),
            (Lines{"run=a.exe", "load=b", "shell=c"}));
  EXPECT_EQ(SplitTextLines("a\r\r\nb"), (Lines{"a", "b"}));
}

TEST(TextLines, LastLineWithoutLineEndCountsButNothingAfterTheLastLineEndDoesNot) {
  EXPECT_EQ(SplitTextLines("a\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitTextLines("a\n"), (Lines{"a"}));
  EXPECT_EQ(SplitTextLines("\n\n"), (Lines{"", ""}));
  EXPECT_EQ(SplitTextLines(""), Lines{});
}

TEST(TextLines, CtrlZEndsTheFile) {
  EXPECT_EQ(SplitTextLines("run=a\r\n\x1Arun=hidden\r\n"), (Lines{"run=a"}));
  EXPECT_EQ(SplitTextLines("run=a\x1A"), (Lines{"run=a"}));
}

TEST(TextLines, JoinEndsEveryLineWithCarriageReturnLineFeed) {
  EXPECT_EQ(JoinTextLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(JoinTextLines({}), "");
}

}  // namespace
}  // namespace corvane
