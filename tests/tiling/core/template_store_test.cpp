#include "tiling/core/template_store.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "platform/file_io.hpp"
#include "platform/sim/sim_process_info.hpp"
#include "platform/system_log.hpp"

namespace tavorin {
namespace {

namespace fs = std::filesystem;

class TemplateStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tavorin-tiling-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    file = folder / "Tavorin" / "Tiling" / "state.json";
  }
  void TearDown() override { fs::remove_all(folder); }

  void writeState(const std::string& text) { ASSERT_TRUE(writeFileAtomically(file, text)); }
  std::string readState() { return readFile(file).value_or("<missing>"); }

  static LayoutTemplate named(const std::string& name, LayoutNode root = LayoutNode::leaf()) {
    return {Uuid::random(), name, std::move(root)};
  }

  fs::path folder;
  fs::path file;
};

TEST_F(TemplateStoreTest, WithoutAFileEverythingIsDefaultAndNothingIsWritten) {
  TemplateStore store(file);
  EXPECT_EQ(store.state(), TilingState{});
  EXPECT_EQ(store.templates(), LayoutTemplate::defaults());
  EXPECT_EQ(store.templateForScreen("any screen").name, "İki sütun");
  EXPECT_FALSE(fs::exists(file));

  store.assign(Uuid::random(), "any screen");  // unknown id: nothing changes, nothing written
  EXPECT_FALSE(fs::exists(file));
  EXPECT_TRUE(store.state().assignments.empty());

  store.updateSettings([](TilingSettings& s) { s.gap = 20; });
  EXPECT_TRUE(fs::exists(file));
  EXPECT_EQ(TemplateStore(file).settings().gap, 20);
}

TEST_F(TemplateStoreTest, EmptyTemplateListLoadsTheBuiltInOnes) {
  writeState(R"({"templates": [], "settings": {"gap": 12}})");
  TemplateStore store(file);
  EXPECT_EQ(store.templates(), LayoutTemplate::defaults());
  EXPECT_EQ(store.settings().gap, 12);
  EXPECT_TRUE(store.settings().dragSnapEnabled);
}

TEST_F(TemplateStoreTest, ScreensFollowTheirAssignmentsAndCycle) {
  TemplateStore store;
  const auto list = store.templates();
  store.assign(list[4].id, "left");
  EXPECT_EQ(store.templateForScreen("left"), list[4]);
  EXPECT_EQ(store.nextTemplateForScreen("left"), list[0]);  // wraps after the last
  EXPECT_EQ(store.templateForScreen("right"), list[0]);
  EXPECT_EQ(store.nextTemplateForScreen("right"), list[1]);
  EXPECT_EQ(store.templateWithId(list[2].id), list[2]);
  EXPECT_EQ(store.templateWithId(Uuid::random()), std::nullopt);
}

TEST_F(TemplateStoreTest, UpsertReplacesInPlaceOrAppends) {
  TemplateStore store;
  auto changed = store.templates()[1];
  changed.name = "Renamed";
  store.upsert(changed);
  EXPECT_EQ(store.templates()[1], changed);
  const auto added = named("Mine");
  store.upsert(added);
  EXPECT_EQ(store.templates().size(), 6u);
  EXPECT_EQ(store.templates().back(), added);
}

TEST_F(TemplateStoreTest, DeleteRemovesAssignmentsAndNeverTheLastTemplate) {
  TemplateStore store(file);
  const auto list = store.templates();
  store.assign(list[2].id, "a");
  store.assign(list[2].id, "b");
  store.assign(list[3].id, "c");
  EXPECT_FALSE(store.deleteTemplate(Uuid::random()));
  EXPECT_TRUE(store.deleteTemplate(list[2].id));
  EXPECT_EQ(store.state().assignments, (std::map<std::string, Uuid>{{"c", list[3].id}}));
  EXPECT_EQ(store.templateForScreen("a"), list[0]);
  EXPECT_EQ(TemplateStore(file).state(), store.state());

  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i != 2) store.deleteTemplate(list[i].id);
  }
  ASSERT_EQ(store.templates().size(), 1u);
  const auto last = store.templates()[0];
  EXPECT_FALSE(store.deleteTemplate(last.id));
  EXPECT_EQ(store.templates(), std::vector<LayoutTemplate>{last});
}

TEST_F(TemplateStoreTest, ImportReplacesByIdOrNameAndKeepsTheExistingId) {
  TemplateStore store;
  const auto list = store.templates();
  store.assign(list[0].id, "screen");
  const auto quad = list[3].root;

  auto sameName = named("İki sütun", quad);
  auto sameId = list[1];
  sameId.name = "Three";
  auto fresh = named("Fresh");
  auto freshAgain = named("Fresh", quad);  // matches the one imported just before it
  const int count = store.importTemplates({sameName, sameId, fresh, freshAgain});

  EXPECT_EQ(count, 4);  // the number given, not the number added
  const auto& now = store.templates();
  ASSERT_EQ(now.size(), 6u);
  EXPECT_EQ(now[0], (LayoutTemplate{list[0].id, "İki sütun", quad}));
  EXPECT_EQ(now[1].name, "Three");
  EXPECT_EQ(now[5], (LayoutTemplate{fresh.id, "Fresh", quad}));
  EXPECT_EQ(store.templateForScreen("screen").root, quad);  // the screen keeps its template
}

TEST_F(TemplateStoreTest, SavedFileIsPrettyWithSortedKeys) {
  {
    TemplateStore store(file);
    store.assign(store.templates()[1].id, "1-2-id3");
  }
  const std::string text = readState();
  const auto assignments = text.find("\"assignments\"");
  const auto settings = text.find("\"settings\"");
  const auto templates = text.find("\"templates\"");
  EXPECT_LT(assignments, settings);
  EXPECT_LT(settings, templates);
  EXPECT_NE(templates, std::string::npos);
  const auto axis = text.find("\"axis\"", templates);
  const auto children = text.find("\"children\"", templates);
  const auto ratio = text.find("\"ratio\"", templates);
  EXPECT_LT(axis, children);
  EXPECT_LT(children, ratio);
  EXPECT_NE(
      text.find(
          "\n  \"assignments\": {\n    \"1-2-id3\": \"6F1C1D40-0000-4000-8000-000000000002\""),
      std::string::npos);
  EXPECT_NE(text.find("0.3333333333333333"), std::string::npos);
  EXPECT_NE(text.find("0.6666666666666666"), std::string::npos);
  EXPECT_EQ(TemplateStore(file).state(), TemplateStore(file).state());
  EXPECT_EQ(TemplateStore(file).state().assignments.size(), 1u);
}

TEST_F(TemplateStoreTest, UnreadableFileIsMovedAsideBeforeTheFirstSave) {
  const std::string broken = R"({"settings": {"dragSnapEnabled": "yes"}, "templates": []})";
  writeState(broken);
  {
    TemplateStore store(file);
    EXPECT_EQ(store.state(), TilingState{});  // loads as defaults
    EXPECT_EQ(readState(), broken);           // and touches nothing yet
    store.replaceSettings(TilingSettings{});
    store.replaceSettings(TilingSettings{});  // only the first save moves the file
  }
  EXPECT_EQ(readFile(fs::path(file) += ".corrupt"), broken);
  EXPECT_EQ(TemplateStore(file).state(), TilingState{});
  EXPECT_FALSE(fs::exists(fs::path(file) += ".corrupt.1"));

  writeState("{ truncated");
  TemplateStore(file).replaceSettings(TilingSettings{});
  EXPECT_EQ(readFile(fs::path(file) += ".corrupt"), broken);  // the earlier one is kept
  EXPECT_EQ(readFile(fs::path(file) += ".corrupt.1"), "{ truncated");
}

TEST_F(TemplateStoreTest, SomethingUnreadableInThePlaceOfTheFileIsKeptToo) {
  fs::create_directories(file / "inner");
  ASSERT_TRUE(writeFileAtomically(file / "inner" / "notes", "keep me"));
  TemplateStore store(file);
  EXPECT_EQ(store.state(), TilingState{});
  store.replaceSettings(TilingSettings{});
  EXPECT_EQ(readFile(fs::path(file) += ".corrupt/inner/notes"), "keep me");
  EXPECT_EQ(TemplateStore(file).state(), TilingState{});
  EXPECT_TRUE(fs::is_regular_file(file));
}

TEST_F(TemplateStoreTest, FailedSaveLogsAndKeepsTheStateInMemory) {
  std::vector<std::string> lines;
  auto subscription = SystemLog::observe([&](const LogEntry& e) { lines.push_back(e.message); });
  ASSERT_TRUE(writeFileAtomically(folder / "blocker", "a file where a folder should be"));
  TemplateStore store(folder / "blocker" / "state.json");
  store.updateSettings([](TilingSettings& s) { s.gap = 30; });
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("TilingKit: şablonlar kaydedilemedi: ", 0), 0u) << lines[0];
  EXPECT_EQ(store.settings().gap, 30);

  // A value that JSON cannot hold is an encoding failure, not a file that reads back wrong.
  TemplateStore other(file);
  other.updateSettings([](TilingSettings& s) { s.gap = std::numeric_limits<double>::infinity(); });
  EXPECT_EQ(lines.size(), 2u);
  EXPECT_FALSE(fs::exists(file));
}

TEST(TemplateStoreUrlTest, DefaultUrlFollowsTheDataHome) {
  sim::SimProcessInfo process;
  process.setEnvironment("HOME", "/home/ada");
  EXPECT_EQ(TemplateStore::defaultURL(process), "/home/ada/.local/share/Tavorin/Tiling/state.json");
  process.setEnvironment("XDG_DATA_HOME", "/data");
  EXPECT_EQ(TemplateStore::defaultURL(process), "/data/Tavorin/Tiling/state.json");
  process.setEnvironment("XDG_DATA_HOME", std::nullopt);
  process.setEnvironment("HOME", std::nullopt);
  EXPECT_EQ(TemplateStore::defaultURL(process),
            fs::temp_directory_path() / "Tavorin" / "Tiling" / "state.json");
}

}  // namespace
}  // namespace tavorin
