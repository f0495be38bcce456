#include <gtest/gtest.h>

#include "folderpreview/byte_count_format.hpp"
#include "folderpreview/file_name_collator.hpp"
#include "platform/sim/sim_process_info.hpp"

namespace tavorin {
namespace {

TEST(FileNameCollatorTest, ComparesLikeAFileManager) {
  struct Case {
    const char* locale;
    const char* a;
    const char* b;
    int expected;
  };
  const Case cases[] = {
      {"", "File 9", "File 10", -1},
      {"", "file2", "file10", -1},
      {"", "file010", "file10", 0},
      {"", "apple", "Banana", -1},
      {"", "Report", "report", 0},
      {"", "resume", "résumé", -1},
      {"", "b", "a", 1},
      {"de_DE", "Äpfel", "Zebra", -1},
      {"sv_SE", "Äpfel", "Zebra", 1},  // Swedish sorts Ä after Z
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.locale) + ": " + c.a + " / " + c.b);
    const auto collator = FileNameCollator::forLocale(c.locale);
    EXPECT_EQ(collator->compare(c.a, c.b), c.expected);
    const int byKeys = collator->sortKey(c.a).compare(collator->sortKey(c.b));
    EXPECT_EQ((byKeys > 0) - (byKeys < 0), c.expected);
  }
  EXPECT_EQ(FileNameCollator::forLocale("de_DE"), FileNameCollator::forLocale("de_DE"));
}

TEST(FileNameCollatorTest, UserLocaleComesFromTheEnvironment) {
  struct Case {
    std::optional<std::string> all, collate, lang;
    std::string expected;
  };
  const Case cases[] = {
      {{}, {}, {}, ""},
      {{}, {}, "de_DE.UTF-8", "de_DE"},
      {{}, "sv_SE.UTF-8@euro", "de_DE.UTF-8", "sv_SE"},
      {"C.UTF-8", "sv_SE.UTF-8", "de_DE", ""},
      {"", "", "fr_FR", "fr_FR"},
  };
  for (const Case& c : cases) {
    sim::SimProcessInfo process;
    process.setEnvironment("LC_ALL", c.all);
    process.setEnvironment("LC_COLLATE", c.collate);
    process.setEnvironment("LANG", c.lang);
    EXPECT_EQ(FileNameCollator::userLocale(process), c.expected);
  }
}

TEST(ByteCountFormatTest, WritesSizesInDecimalUnits) {
  struct Case {
    std::int64_t bytes;
    const char* locale;
    const char* expected;
  };
  const Case cases[] = {
      {0, "en", "0 bytes"},
      {1, "en", "1 byte"},
      {999, "en", "999 bytes"},
      {1000, "en", "1 kB"},
      {1499, "en", "1 kB"},
      {1500, "en", "2 kB"},
      {999'499, "en", "999 kB"},
      {999'500, "en", "1 MB"},
      {1'500'000, "en", "1.5 MB"},
      {1'234'567'890, "en", "1.23 GB"},
      {5'000'000'000'000, "en", "5 TB"},
      {1'500'000, "de", "1,5 MB"},
      {999, "fr", "999\u00A0octets"},  // French keeps number and unit together
      {-5, "en", "0 bytes"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(formatByteCount(c.bytes, c.locale), c.expected) << c.bytes << " " << c.locale;
}

}  // namespace
}  // namespace tavorin
