#include "localization/format.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace tavorin {
namespace {

std::string fmt(std::string_view templ, std::vector<FormatArg> args,
                std::string_view locale = "en") {
  return formatLocalized(templ, args, locale);
}

TEST(FormatTest, FormatsEachConversion) {
  EXPECT_EQ(fmt("Cut %@ · Move %@", {"⌘X", "⌘V"}), "Cut ⌘X · Move ⌘V");
  EXPECT_EQ(fmt("%d zones, %ld more", {5, 7L}), "5 zones, 7 more");
  EXPECT_EQ(fmt("%.1f s", {0.75}), "0.8 s");
  EXPECT_EQ(fmt("100%% sure, %s", {"yes"}), "100% sure, yes");
  EXPECT_EQ(fmt("[%5d|%-4@|%03d]", {42, "ab", 7}), "[   42|ab  |007]");
  EXPECT_EQ(fmt("%x", {255}), "ff");
}

TEST(FormatTest, PositionalArgumentsMayReorder) {
  EXPECT_EQ(fmt("%2$@ before %1$@", {"one", "two"}), "two before one");
  EXPECT_EQ(fmt("最初の%1$d項目を表示中（合計%2$d）。", {3000, 12345}, "ja"),
            "最初の3,000項目を表示中（合計12,345）。");
}

TEST(FormatTest, NumbersAreWrittenTheWayTheLanguageWritesThem) {
  EXPECT_EQ(fmt("%d", {1234567}, "de"), "1.234.567");
  EXPECT_EQ(fmt("%.1f", {1234.56}, "de"), "1.234,6");
  EXPECT_EQ(fmt("%.1f", {1234.56}, "ja"), "1,234.6");
  EXPECT_EQ(fmt("%.1f", {0.5}, "fr"), "0,5");
  EXPECT_EQ(fmt("%d", {-12}, "en"), "-12");
}

TEST(FormatTest, MismatchedTemplatesNeverCrash) {
  EXPECT_EQ(fmt("%d and %d", {1}), "1 and ");
  EXPECT_EQ(fmt("%5$@", {"x"}), "");
  EXPECT_EQ(fmt("%d", {"12"}), "12");
  EXPECT_EQ(fmt("trailing %", {}), "trailing %");
  EXPECT_EQ(fmt("%y %", {1}), "%y %");
  EXPECT_EQ(fmt("%*d", {-4, 1}), "1   ");
  EXPECT_EQ(fmt("%99999999999d", {1}).size(), 1000u);
}

}  // namespace
}  // namespace tavorin
