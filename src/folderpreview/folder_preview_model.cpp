#include "folderpreview/folder_preview_model.hpp"

#include <algorithm>
#include <numeric>
#include <unordered_map>

#include "folderpreview/byte_count_format.hpp"
#include "localization/localizer.hpp"
#include "preferences/preference_reading.hpp"

namespace tavorin {
namespace {

std::string displayNameOfFolder(const std::filesystem::path& folder) {
  std::filesystem::path normal = folder.lexically_normal();
  if (!normal.has_filename()) normal = normal.parent_path();
  std::string name = normal.filename().string();
  if (name.empty()) name = folder.string();
  return displayName(name);
}

int threeWay(const std::string& a, const std::string& b) {
  const int order = a.compare(b);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

template <typename T>
int threeWay(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

// A listing with everything sorting needs, prepared on the background thread.
struct FolderPreviewModel::Listing {
  std::vector<FolderItem> items;
  std::vector<std::string> nameKeys;
  std::vector<std::string> kindKeys;
  std::optional<ScanError> error;
};

std::string_view FolderPreviewModel::rawValue(Layout layout) {
  return layout == Layout::grid ? "grid" : "list";
}

FolderPreviewModel::Layout FolderPreviewModel::layoutFromRawValue(std::string_view raw) {
  return raw == "grid" ? Layout::grid : Layout::list;
}

std::string_view FolderPreviewModel::rawValue(SortKey key) {
  switch (key) {
    case SortKey::name:
      return "name";
    case SortKey::modified:
      return "modified";
    case SortKey::size:
      return "size";
    case SortKey::kind:
      return "kind";
  }
  return "name";
}

std::optional<FolderPreviewModel::SortKey> FolderPreviewModel::sortKeyFromRawValue(
    std::string_view raw) {
  for (SortKey key : allSortKeys) {
    if (rawValue(key) == raw) return key;
  }
  return std::nullopt;
}

std::string FolderPreviewModel::title(SortKey key) {
  switch (key) {
    case SortKey::name:
      return L("Name");
    case SortKey::modified:
      return L("Date Modified");
    case SortKey::size:
      return L("Size");
    case SortKey::kind:
      return L("Kind");
  }
  return {};
}

std::shared_ptr<FolderPreviewModel> FolderPreviewModel::make(const Platform& platform,
                                                             std::filesystem::path folderURL,
                                                             PreferenceStore& defaults) {
  return std::shared_ptr<FolderPreviewModel>(
      new FolderPreviewModel(platform, std::move(folderURL), defaults));
}

FolderPreviewModel::FolderPreviewModel(const Platform& platform, std::filesystem::path folderURL,
                                       PreferenceStore& defaults)
    : runLoop_(platform.runLoop),
      executor_(platform.executor),
      clock_(platform.clock),
      kinds_(platform.fileKinds),
      defaults_(defaults),
      collator_(FileNameCollator::forLocale(FileNameCollator::userLocale(platform.process))),
      folderURL_(std::move(folderURL)),
      folderName_(displayNameOfFolder(folderURL_)),
      layout_(layoutFromRawValue(read(defaults, prefs::folderPreviewLayout))),
      sortKey_(
          sortKeyFromRawValue(read(defaults, prefs::folderPreviewSortKey)).value_or(SortKey::name)),
      ascending_(read(defaults, prefs::folderPreviewAscending)),
      showHidden_(read(defaults, prefs::folderPreviewShowHidden)) {}

FolderPreviewModel::~FolderPreviewModel() {
  // Work still running has nothing to report to.
  cancel(loadTask_);
  cancel(measureTask_);
}

void FolderPreviewModel::cancel(std::optional<BackgroundTask>& task) {
  if (task) task->stop.request_stop();
  task.reset();
}

void FolderPreviewModel::load() {
  cancel(loadTask_);
  isLoading_ = true;

  BackgroundTask task{std::stop_source(), nextGeneration_++};
  executor_.submit(QualityOfService::userInitiated,
                   [weak = weak_from_this(), runLoop = &runLoop_, kinds = kinds_,
                    collator = collator_, folder = folderURL_, includeHidden = showHidden_,
                    token = task.stop.get_token(), generation = task.generation] {
                     FolderListing listed =
                         FolderScanner::listContents(folder, includeHidden, kinds);
                     if (token.stop_requested()) return;
                     auto listing = std::make_shared<Listing>();
                     listing->error = std::move(listed.error);
                     listing->items = std::move(listed.items);
                     // Collation keys are made here, once per item, so that every later sort on the
                     // main loop only compares bytes. Kinds repeat a lot: each distinct one is
                     // keyed once.
                     listing->nameKeys.reserve(listing->items.size());
                     listing->kindKeys.reserve(listing->items.size());
                     std::unordered_map<std::string, std::string> kindKeys;
                     for (const FolderItem& item : listing->items) {
                       listing->nameKeys.push_back(collator->sortKey(item.name));
                       auto [known, added] = kindKeys.try_emplace(item.kind);
                       if (added) known->second = collator->sortKey(item.kind);
                       listing->kindKeys.push_back(known->second);
                       if (token.stop_requested()) return;
                     }
                     runLoop->post([weak, token, generation, listing] {
                       if (token.stop_requested()) return;
                       auto self = weak.lock();
                       if (!self || !self->loadTask_ || self->loadTask_->generation != generation)
                         return;
                       self->applyListing(std::move(*listing));
                     });
                   });
  loadTask_ = std::move(task);
  publish();
}

void FolderPreviewModel::applyListing(Listing listing) {
  loadTask_.reset();
  if (listing.error) {
    allItems_.clear();
    nameKeys_.clear();
    kindKeys_.clear();
    errorMessage_ = listing.error->isPermissionDenied() ? L("No permission to read this folder.")
                                                        : listing.error->description;
  } else {
    allItems_ = std::move(listing.items);
    nameKeys_ = std::move(listing.nameKeys);
    kindKeys_ = std::move(listing.kindKeys);
    errorMessage_.reset();
  }
  totalCount_ = static_cast<std::int64_t>(allItems_.size());
  folderCount_ = std::count_if(allItems_.begin(), allItems_.end(),
                               [](const FolderItem& item) { return item.isDirectory; });
  resort();
  isLoading_ = false;
  publish();
}

void FolderPreviewModel::resort() {
  std::vector<std::uint32_t> order(allItems_.size());
  std::iota(order.begin(), order.end(), 0u);

  const auto byKey = [this](std::uint32_t a, std::uint32_t b) {
    const FolderItem& x = allItems_[a];
    const FolderItem& y = allItems_[b];
    switch (sortKey_) {
      case SortKey::name:
        return threeWay(nameKeys_[a], nameKeys_[b]);
      case SortKey::kind:
        return threeWay(kindKeys_[a], kindKeys_[b]);
      case SortKey::modified:
        // An absent date is the earliest of all.
        return threeWay(x.modified, y.modified);
      case SortKey::size:
        // An absent size counts as -1: below a file of zero bytes.
        return threeWay(x.size.value_or(-1), y.size.value_or(-1));
    }
    return 0;
  };
  const auto before = [&](std::uint32_t a, std::uint32_t b) {
    const FolderItem& x = allItems_[a];
    const FolderItem& y = allItems_[b];
    // Folders precede files and packages in either direction.
    if (x.isDirectory != y.isDirectory) return x.isDirectory;
    if (const int order = byKey(a, b); order != 0) return ascending_ ? order < 0 : order > 0;
    // Ties go by name, always ascending.
    if (const int order = threeWay(nameKeys_[a], nameKeys_[b]); order != 0) return order < 0;
    // Names equal to the collator ("a" and "A"): any fixed order will do.
    if (x.name != y.name) return x.name < y.name;
    return x.url < y.url;
  };

  const std::size_t shown = std::min(order.size(), displayLimit);
  if (shown < order.size()) {
    std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(shown),
                      order.end(), before);
  } else {
    std::sort(order.begin(), order.end(), before);
  }
  std::vector<FolderItem> sorted;
  sorted.reserve(shown);
  for (std::size_t i = 0; i < shown; ++i)
    sorted.push_back(allItems_[order[i]]);
  items_ = std::move(sorted);
}

void FolderPreviewModel::startMeasuring() {
  cancel(measureTask_);
  isMeasuring_ = true;
  sizeSummary_.reset();

  BackgroundTask task{std::stop_source(), nextGeneration_++};
  executor_.submit(
      QualityOfService::utility,
      [weak = weak_from_this(), runLoop = &runLoop_, clock = &clock_, folder = folderURL_,
       token = task.stop.get_token(), generation = task.generation] {
        const Deadline deadline = Deadline::in(*clock, measureTimeLimit);
        const SizeSummary summary = FolderScanner::measure(
            folder, deadline, measureItemLimit, [&token] { return token.stop_requested(); });
        if (token.stop_requested()) return;
        runLoop->post([weak, token, generation, summary] {
          if (token.stop_requested()) return;
          auto self = weak.lock();
          if (!self || !self->measureTask_ || self->measureTask_->generation != generation) return;
          self->applySummary(summary);
        });
      });
  measureTask_ = std::move(task);
  publish();
}

void FolderPreviewModel::applySummary(const SizeSummary& summary) {
  measureTask_.reset();
  sizeSummary_ = summary;
  isMeasuring_ = false;
  publish();
}

void FolderPreviewModel::stop() {
  cancel(loadTask_);
  isLoading_ = false;
  cancel(measureTask_);
  isMeasuring_ = false;
  publish();
}

void FolderPreviewModel::toggleSort(SortKey key) {
  if (key == sortKey_) {
    setAscending(!ascending_);
  } else {
    setSortKey(key);
  }
}

void FolderPreviewModel::setLayout(Layout layout) {
  layout_ = layout;
  defaults_.setString(prefs::folderPreviewLayout.name, std::string(rawValue(layout)));
  publish();
}

void FolderPreviewModel::setSortKey(SortKey key) {
  sortKey_ = key;
  defaults_.setString(prefs::folderPreviewSortKey.name, std::string(rawValue(key)));
  resort();
  publish();
}

void FolderPreviewModel::setAscending(bool ascending) {
  ascending_ = ascending;
  defaults_.setBool(prefs::folderPreviewAscending.name, ascending);
  resort();
  publish();
}

void FolderPreviewModel::setShowHidden(bool showHidden) {
  showHidden_ = showHidden;
  defaults_.setBool(prefs::folderPreviewShowHidden.name, showHidden);
  publish();
  load();
}

std::string FolderPreviewModel::countLine() const {
  if (errorMessage_ || isLoading_) return {};
  return L("%d folders, %d files", folderCount_, fileCount());
}

FolderPreviewModel::SizeLabel FolderPreviewModel::sizeLabel() const {
  return sizeLabel(errorMessage_.has_value(), sizeSummary_, isMeasuring_);
}

FolderPreviewModel::SizeLabel FolderPreviewModel::sizeLabel(
    bool hasError, const std::optional<SizeSummary>& summary, bool isMeasuring) {
  if (hasError) return {};
  if (summary) {
    std::string text = "· " + formatByteCount(summary->bytes, Localizer::currentLanguage().code);
    if (!summary->isComplete) text += "+";
    std::string tooltip = summary->isComplete
                              ? L("Total size (%d files)", summary->fileCount)
                              : L("The folder is very large; at least this much (%d files counted)",
                                  summary->fileCount);
    return SizeLabel{SizeLabel::Form::summary, std::move(text), std::move(tooltip)};
  }
  if (isMeasuring) return SizeLabel{SizeLabel::Form::measuring, L("calculating size…"), {}};
  return {};
}

FolderPreviewModel::Content FolderPreviewModel::content() const {
  if (isLoading_ && items_.empty()) return Content{Content::Kind::loading, {}, L("Loading…")};
  if (errorMessage_) return Content{Content::Kind::message, "lock", *errorMessage_};
  if (!items_.empty())
    return Content{layout_ == Layout::grid ? Content::Kind::grid : Content::Kind::list, {}, {}};
  return Content{Content::Kind::message, "folder", L("This folder is empty.")};
}

std::optional<std::string> FolderPreviewModel::truncationNote() const {
  if (!isTruncated()) return std::nullopt;
  return L("Showing the first %d items (%d in total).", items_.size(), totalCount_);
}

Subscription FolderPreviewModel::observe(std::function<void()> onChange) {
  return changed_.connect(std::move(onChange));
}

}  // namespace tavorin
