#include "tiling/core/template_store.hpp"

#include <algorithm>

#include "platform/file_io.hpp"
#include "platform/system_log.hpp"
#include "platform/xdg_paths.hpp"

namespace tavorin {

namespace {

const std::filesystem::path relativeStatePath =
    std::filesystem::path("Tavorin") / "Tiling" / "state.json";

void logSaveFailure(const std::string& description) {
  SystemLog::line("TilingKit: şablonlar kaydedilemedi: " + description);
}

}  // namespace

std::filesystem::path TemplateStore::defaultURL(const ProcessInfo& process) {
  std::filesystem::path folder = xdgDataHome(process);
  if (!folder.is_absolute()) {
    std::error_code ec;
    folder = std::filesystem::temp_directory_path(ec);
    if (ec) folder = "/tmp";
  }
  return folder / relativeStatePath;
}

TemplateStore::TemplateStore(std::optional<std::filesystem::path> url) : url_(std::move(url)) {
  if (!url_) return;
  auto bytes = readFile(*url_);
  if (!bytes) {
    // Something is there that cannot be read: it gets the same protection as a broken file.
    std::error_code ec;
    unreadableFileOnDisk_ = std::filesystem::exists(std::filesystem::symlink_status(*url_, ec));
    return;
  }
  if (auto decoded = decodeTilingState(*bytes)) {
    state_ = std::move(*decoded);
    if (state_.templates.empty()) state_.templates = LayoutTemplate::defaults();
  } else {
    unreadableFileOnDisk_ = true;
  }
}

std::optional<LayoutTemplate> TemplateStore::templateWithId(const Uuid& id) const {
  for (const auto& t : state_.templates) {
    if (t.id == id) return t;
  }
  return std::nullopt;
}

LayoutTemplate TemplateStore::templateForScreen(const std::string& screenKey) const {
  if (auto it = state_.assignments.find(screenKey); it != state_.assignments.end()) {
    if (auto assigned = templateWithId(it->second)) return *assigned;
  }
  return state_.templates.front();
}

LayoutTemplate TemplateStore::nextTemplateForScreen(const std::string& screenKey) const {
  const Uuid current = templateForScreen(screenKey).id;
  const auto& list = state_.templates;
  const auto it = std::find_if(list.begin(), list.end(),
                               [&](const LayoutTemplate& t) { return t.id == current; });
  const auto position = static_cast<std::size_t>(it - list.begin());
  return list[(position + 1) % list.size()];
}

void TemplateStore::assign(const Uuid& templateId, const std::string& toScreen) {
  if (!templateWithId(templateId)) return;
  state_.assignments[toScreen] = templateId;
  save();
}

void TemplateStore::upsert(const LayoutTemplate& layout) {
  auto& list = state_.templates;
  auto it = std::find_if(list.begin(), list.end(),
                         [&](const LayoutTemplate& t) { return t.id == layout.id; });
  if (it != list.end()) {
    *it = layout;
  } else {
    list.push_back(layout);
  }
  save();
}

bool TemplateStore::deleteTemplate(const Uuid& id) {
  auto& list = state_.templates;
  auto it =
      std::find_if(list.begin(), list.end(), [&](const LayoutTemplate& t) { return t.id == id; });
  if (it == list.end() || list.size() <= 1) return false;
  list.erase(it);
  std::erase_if(state_.assignments, [&](const auto& entry) { return entry.second == id; });
  save();
  return true;
}

int TemplateStore::importTemplates(const std::vector<LayoutTemplate>& templates) {
  auto& list = state_.templates;
  for (const auto& imported : templates) {
    auto it = std::find_if(list.begin(), list.end(), [&](const LayoutTemplate& t) {
      return t.id == imported.id || t.name == imported.name;
    });
    if (it != list.end()) {
      const Uuid keptId = it->id;
      *it = imported;
      it->id = keptId;
    } else {
      list.push_back(imported);
    }
  }
  save();
  return static_cast<int>(templates.size());
}

void TemplateStore::replaceSettings(const TilingSettings& settings) {
  state_.settings = settings;
  save();
}

void TemplateStore::updateSettings(const std::function<void(TilingSettings&)>& edit) {
  edit(state_.settings);
  save();
}

void TemplateStore::save() {
  if (!url_) return;
  std::string error;
  const auto encoded = encodeTilingState(state_, &error);
  if (!encoded) {
    logSaveFailure(error);
    return;
  }
  if (unreadableFileOnDisk_) {
    std::error_code ec;
    const bool stillThere = std::filesystem::exists(std::filesystem::symlink_status(*url_, ec));
    if (stillThere && !moveAside(*url_, ".corrupt")) {
      // Overwriting would destroy the only copy of the user's layouts.
      logSaveFailure(url_->string() + ": the unreadable file could not be moved aside");
      return;
    }
    unreadableFileOnDisk_ = false;
  }
  if (!writeFileAtomically(*url_, *encoded, &error)) logSaveFailure(error);
}

}  // namespace tavorin
