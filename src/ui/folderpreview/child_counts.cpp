#include "ui/folderpreview/child_counts.hpp"

#include "folderpreview/folder_scanner.hpp"

namespace tavorin::ui {

ChildCounts::ChildCounts(RunLoop& runLoop, Executor& executor,
                         std::function<void(const std::filesystem::path&)> updated)
    : runLoop_(runLoop),
      executor_(executor),
      updated_(std::move(updated)),
      self_(std::make_shared<ChildCounts*>(this)) {}

ChildCounts::~ChildCounts() {
  for (auto& [path, entry] : entries_) {
    if (entry.cancelled) *entry.cancelled = true;
  }
}

std::optional<std::int64_t> ChildCounts::count(const std::filesystem::path& folder) {
  const std::string id = folder.string();
  auto found = entries_.find(id);
  if (found != entries_.end()) {
    if (found->second.state == Entry::State::known) return found->second.count;
    return std::nullopt;
  }

  Entry entry;
  entry.cancelled = std::make_shared<std::atomic<bool>>(false);
  executor_.submit(QualityOfService::utility,
                   [weak = std::weak_ptr<ChildCounts*>(self_), runLoop = &runLoop_,
                    cancelled = entry.cancelled, folder, id] {
                     if (*cancelled) return;
                     const std::optional<std::int64_t> result = FolderScanner::shallowCount(folder);
                     runLoop->post([weak, cancelled, folder, id, result] {
                       auto self = weak.lock();
                       if (!self || *cancelled) return;
                       ChildCounts& counts = **self;
                       auto it = counts.entries_.find(id);
                       if (it == counts.entries_.end() || it->second.cancelled != cancelled) return;
                       it->second.cancelled.reset();
                       if (result) {
                         it->second.state = Entry::State::known;
                         it->second.count = *result;
                         if (counts.updated_) counts.updated_(folder);
                       } else {
                         it->second.state = Entry::State::unreadable;
                       }
                     });
                   });
  entries_.emplace(id, std::move(entry));
  return std::nullopt;
}

void ChildCounts::retain(const std::unordered_set<std::string>& onScreen) {
  std::erase_if(entries_, [&](auto& item) {
    auto& [id, entry] = item;
    if (entry.state != Entry::State::waiting || onScreen.contains(id)) return false;
    *entry.cancelled = true;
    return true;
  });
}

}  // namespace tavorin::ui
