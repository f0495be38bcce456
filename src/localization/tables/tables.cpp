#include "localization/tables/tables.hpp"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "localization/tables/group_tables.hpp"

namespace tavorin {

namespace {

[[noreturn]] void stopOnDefect(const std::string& message) {
  std::fprintf(stderr, "Translation data defect: %s\n", message.c_str());
  std::fflush(stderr);
  std::abort();
}

// One language's table of a group: the constant entries, turned into a table the first time
// someone asks for it.
class LazyTable {
 public:
  LazyTable(std::span<const TranslationEntry> entries, std::string name)
      : entries_(entries), name_(std::move(name)) {}

  const TranslationTable& get() {
    std::call_once(once_, [this] { table_ = Tables::build(entries_, name_); });
    return table_;
  }

 private:
  std::span<const TranslationEntry> entries_;
  std::string name_;
  std::once_flag once_;
  TranslationTable table_;
};

// A group's dictionary from language code to table.
class GroupTables {
 public:
  GroupTables(Tables::Group group, std::span<const LanguageEntries> languages) {
    for (const auto& language : languages) {
      if (find(language.code) != nullptr) {
        stopOnDefect("the group " + std::string(Tables::name(group)) + " has the language " +
                     std::string(language.code) + " twice");
      }
      codes_.push_back(language.code);
      tables_.push_back(std::make_unique<LazyTable>(
          language.entries, std::string(Tables::name(group)) + "/" + std::string(language.code)));
    }
  }

  LazyTable* find(std::string_view code) const {
    for (std::size_t i = 0; i < codes_.size(); ++i) {
      if (codes_[i] == code) return tables_[i].get();
    }
    return nullptr;
  }

 private:
  std::vector<std::string_view> codes_;
  std::vector<std::unique_ptr<LazyTable>> tables_;
};

// Each group's dictionary is made on first use; function-local statics make that safe when two
// threads ask at once.
GroupTables& groupTables(Tables::Group group) {
  switch (group) {
    case Tables::Group::app: {
      static GroupTables tables(group, translations::app());
      return tables;
    }
    case Tables::Group::cutPaste: {
      static GroupTables tables(group, translations::cutPaste());
      return tables;
    }
    case Tables::Group::folderPreview: {
      static GroupTables tables(group, translations::folderPreview());
      return tables;
    }
    case Tables::Group::pointer: {
      static GroupTables tables(group, translations::pointer());
      return tables;
    }
    case Tables::Group::tiling: {
      static GroupTables tables(group, translations::tiling());
      return tables;
    }
    case Tables::Group::smartDock: {
      static GroupTables tables(group, translations::smartDock());
      return tables;
    }
  }
  stopOnDefect("no translations for group " + std::to_string(static_cast<int>(group)));
}

}  // namespace

std::string_view Tables::name(Group group) {
  switch (group) {
    case Group::app:
      return "app";
    case Group::cutPaste:
      return "cutPaste";
    case Group::folderPreview:
      return "folderPreview";
    case Group::pointer:
      return "pointer";
    case Group::tiling:
      return "tiling";
    case Group::smartDock:
      return "smartDock";
  }
  return "unknown";
}

const TranslationTable* Tables::table(Group group, std::string_view code) {
  auto* lazy = groupTables(group).find(code);
  return lazy != nullptr ? &lazy->get() : nullptr;
}

TranslationTable Tables::merged(std::string_view code) {
  TranslationTable result;
  for (const Group group : features) {
    if (const auto* groupTable = table(group, code)) {
      for (const auto& [key, text] : *groupTable)
        result.insert_or_assign(key, text);
    }
  }
  return result;
}

TranslationTable Tables::build(std::span<const TranslationEntry> entries,
                               std::string_view tableName) {
  TranslationTable table;
  table.reserve(entries.size());
  for (const auto& entry : entries) {
    if (!table.emplace(entry.key, entry.text).second) {
      stopOnDefect("the table " + std::string(tableName) + " has the key \"" +
                   std::string(entry.key) + "\" twice");
    }
  }
  return table;
}

}  // namespace tavorin
