#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/process_info.hpp"
#include "tiling/core/templates.hpp"

namespace tavorin {

// Keeps the window layout state and writes the whole file again after every change. Without a
// file location the store lives in memory only. Used on the main thread only.
class TemplateStore {
 public:
  // $XDG_DATA_HOME (by default ~/.local/share) + "Tavorin/Tiling/state.json"; the temporary
  // folder stands in when there is no usable home folder.
  static std::filesystem::path defaultURL(const ProcessInfo& process);

  // Loads the file: a missing, unreadable or undecodable file gives the built-in templates, no
  // assignments and the default settings; nothing is written until the first change.
  explicit TemplateStore(std::optional<std::filesystem::path> url = std::nullopt);
  TemplateStore(const TemplateStore&) = delete;
  TemplateStore& operator=(const TemplateStore&) = delete;

  const std::optional<std::filesystem::path>& url() const { return url_; }
  const TilingState& state() const { return state_; }
  const std::vector<LayoutTemplate>& templates() const { return state_.templates; }
  const TilingSettings& settings() const { return state_.settings; }

  std::optional<LayoutTemplate> templateWithId(const Uuid& id) const;
  // The screen's assigned template while it still exists, otherwise the first template.
  LayoutTemplate templateForScreen(const std::string& screenKey) const;
  // The template after the screen's current one, wrapping to the first.
  LayoutTemplate nextTemplateForScreen(const std::string& screenKey) const;

  // Each of these saves at once.
  // Records the screen's template; does nothing for an unknown id.
  void assign(const Uuid& templateId, const std::string& toScreen);
  // Replaces the template with the same id in place, or appends it.
  void upsert(const LayoutTemplate& layout);
  // Removes the template and every assignment to it. False, changing nothing, for an unknown id
  // or the last template.
  bool deleteTemplate(const Uuid& id);
  // A template with the id or the name of an existing one replaces it and keeps the existing
  // id (so screens that use it keep it); others are appended. Answers the number given.
  int importTemplates(const std::vector<LayoutTemplate>& templates);
  void replaceSettings(const TilingSettings& settings);
  void updateSettings(const std::function<void(TilingSettings&)>& edit);

  // Writes the file (pretty JSON, keys sorted, atomically). A failure is logged and the state
  // stays in memory to be written with the next change.
  void save();

 private:
  std::optional<std::filesystem::path> url_;
  TilingState state_;
  // The file existed but could not be decoded: it is moved aside before the first save replaces
  // it, so that a single bad value never costs the user every layout they drew.
  bool unreadableFileOnDisk_ = false;
};

}  // namespace tavorin
