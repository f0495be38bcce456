#include "app/desktop_entries.hpp"

#include <gtest/gtest.h>

#include "platform/file_io.hpp"

namespace tavorin {
namespace {

namespace fs = std::filesystem;

class DesktopEntriesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tavorin-entries-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    home = pattern;
    previewer = home / "bin dir" / "quillon";
    fs::create_directories(previewer.parent_path());
    writeFileAtomically(previewer, "#!/bin/sh\n");
  }
  void TearDown() override { fs::remove_all(home); }

  fs::path home;
  fs::path previewer;
};

TEST_F(DesktopEntriesTest, PreviewerRegistrationFollowsItsDesktopEntry) {
  const FolderPreviewRegistration registration(home / "applications", previewer);
  EXPECT_EQ(registration.current(), QuickLookExtensionStatus::disabled);

  ASSERT_TRUE(registration.setEnabled(true));
  EXPECT_EQ(registration.current(), QuickLookExtensionStatus::enabled);
  const std::string entry = readFile(registration.entryFile()).value_or("");
  EXPECT_NE(entry.find("MimeType=inode/directory;"), std::string::npos);
  EXPECT_NE(entry.find("Exec=\"" + previewer.string() + "\" %f"), std::string::npos) << entry;

  // Someone hid the entry by hand: that counts as switched off.
  writeFileAtomically(registration.entryFile(), entry + "Hidden=true\n");
  EXPECT_EQ(registration.current(), QuickLookExtensionStatus::disabled);

  ASSERT_TRUE(registration.setEnabled(false));
  EXPECT_FALSE(fs::exists(registration.entryFile()));

  fs::remove(previewer);
  EXPECT_EQ(registration.current(), QuickLookExtensionStatus::notRegistered);
}

TEST_F(DesktopEntriesTest, LoginItemIsAnAutostartEntryAndReportsWhyItFailed) {
  const LoginItem item(home / "autostart", previewer);
  EXPECT_FALSE(item.isEnabled());
  EXPECT_EQ(item.setEnabled(true), std::nullopt);
  EXPECT_TRUE(item.isEnabled());
  EXPECT_EQ(item.setEnabled(false), std::nullopt);
  EXPECT_FALSE(item.isEnabled());

  // A file where the folder should be: the change fails with a reason, nothing is lost.
  writeFileAtomically(home / "blocked", "keep me");
  const LoginItem blocked(home / "blocked", previewer);
  const auto error = blocked.setEnabled(true);
  ASSERT_TRUE(error.has_value());
  EXPECT_FALSE(error->empty());
  EXPECT_EQ(readFile(home / "blocked"), "keep me");
}

TEST(DesktopEntryExecQuoteTest, EscapesWhatTheExecKeyReserves) {
  EXPECT_EQ(desktopEntryExecQuote("/opt/my app/quillon"), "\"/opt/my app/quillon\"");
  EXPECT_EQ(desktopEntryExecQuote("/a\"b$c`d\\e%f"), "\"/a\\\"b\\$c\\`d\\\\e%%f\"");
}

}  // namespace
}  // namespace tavorin
