#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "folderpreview/file_name_collator.hpp"
#include "folderpreview/folder_scanner.hpp"
#include "platform/platform.hpp"
#include "platform/signal.hpp"

namespace tavorin {

// The state behind one folder preview: the folder's children sorted and limited for display,
// its total size measured in the background, and the view options kept in the preference suite
// both programs share. Lives on the main loop; listing and measuring run on the executor and
// hand their results back to the main loop, holding the model weakly.
class FolderPreviewModel : public std::enable_shared_from_this<FolderPreviewModel> {
 public:
  enum class Layout { list, grid };
  enum class SortKey { name, modified, size, kind };
  static constexpr std::array<SortKey, 4> allSortKeys{SortKey::name, SortKey::modified,
                                                      SortKey::size, SortKey::kind};

  // At most this many items are handed to the views.
  static constexpr std::size_t displayLimit = 3000;
  // Bounds of the size measurement.
  static constexpr Seconds measureTimeLimit = 4.0;
  static constexpr std::int64_t measureItemLimit = 500'000;

  static std::string_view rawValue(Layout layout);
  // "grid" gives `grid`; anything else `list`.
  static Layout layoutFromRawValue(std::string_view raw);
  static std::string_view rawValue(SortKey key);
  static std::optional<SortKey> sortKeyFromRawValue(std::string_view raw);
  // The column or menu title in the current interface language.
  static std::string title(SortKey key);

  // The size label beside the counts in the header.
  struct SizeLabel {
    enum class Form {
      nothing,
      // A middle dot, a small busy indicator, then `text`.
      measuring,
      // `text` with `tooltip`.
      summary,
    };
    Form form = Form::nothing;
    std::string text;
    std::string tooltip;

    bool operator==(const SizeLabel&) const = default;
  };

  // What fills the space below the header.
  struct Content {
    enum class Kind {
      // A busy indicator with `text`.
      loading,
      // The symbol `symbol` above `text`.
      message,
      list,
      grid,
    };
    Kind kind = Kind::loading;
    std::string symbol;
    std::string text;

    bool operator==(const Content&) const = default;
  };

  // A model for `folderURL` whose options live in `defaults`. Reads the options; starts nothing.
  static std::shared_ptr<FolderPreviewModel> make(const Platform& platform,
                                                  std::filesystem::path folderURL,
                                                  PreferenceStore& defaults);
  FolderPreviewModel(const FolderPreviewModel&) = delete;
  FolderPreviewModel& operator=(const FolderPreviewModel&) = delete;
  ~FolderPreviewModel();

  // (Re)lists the children in the background; the current items stay until the result comes.
  void load();
  // (Re)starts the size measurement in the background.
  void startMeasuring();
  // Cancels both background tasks and clears the busy flags.
  void stop();
  // A column header's action: the current key flips the direction, another key becomes the key.
  void toggleSort(SortKey key);

  // Each assignment stores the option; a new sort order re-sorts, `showHidden` reloads.
  void setLayout(Layout layout);
  void setSortKey(SortKey key);
  void setAscending(bool ascending);
  void setShowHidden(bool showHidden);

  const std::filesystem::path& folderURL() const { return folderURL_; }
  const std::string& folderName() const { return folderName_; }
  const std::vector<FolderItem>& items() const { return items_; }
  std::int64_t totalCount() const { return totalCount_; }
  std::int64_t folderCount() const { return folderCount_; }
  // Files and packages.
  std::int64_t fileCount() const { return totalCount_ - folderCount_; }
  const std::optional<std::string>& errorMessage() const { return errorMessage_; }
  const std::optional<SizeSummary>& sizeSummary() const { return sizeSummary_; }
  bool isMeasuring() const { return isMeasuring_; }
  bool isLoading() const { return isLoading_; }
  bool isTruncated() const { return static_cast<std::int64_t>(items_.size()) < totalCount_; }
  Layout layout() const { return layout_; }
  SortKey sortKey() const { return sortKey_; }
  bool ascending() const { return ascending_; }
  bool showHidden() const { return showHidden_; }
  // Every child of the last successful listing, unsorted.
  const std::vector<FolderItem>& allItems() const { return allItems_; }

  // The header's count line: "%d folders, %d files" once loaded without error, else empty.
  std::string countLine() const;
  SizeLabel sizeLabel() const;
  static SizeLabel sizeLabel(bool hasError, const std::optional<SizeSummary>& summary,
                             bool isMeasuring);
  Content content() const;
  // "Showing the first %d items (%d in total)." while items are left out.
  std::optional<std::string> truncationNote() const;

  // Called on the main loop after any published value changed.
  [[nodiscard]] Subscription observe(std::function<void()> onChange);

 private:
  // One run of background work. Cancelling it keeps its result from ever being applied.
  struct BackgroundTask {
    std::stop_source stop;
    std::uint64_t generation = 0;
  };
  struct Listing;

  FolderPreviewModel(const Platform& platform, std::filesystem::path folderURL,
                     PreferenceStore& defaults);

  static void cancel(std::optional<BackgroundTask>& task);
  void applyListing(Listing listing);
  void applySummary(const SizeSummary& summary);
  void resort();
  void publish() { changed_.emit(); }

  RunLoop& runLoop_;
  Executor& executor_;
  const Clock& clock_;
  const FileKindProvider* kinds_;
  PreferenceStore& defaults_;
  std::shared_ptr<const FileNameCollator> collator_;

  const std::filesystem::path folderURL_;
  const std::string folderName_;
  std::vector<FolderItem> items_;
  std::int64_t totalCount_ = 0;
  std::int64_t folderCount_ = 0;
  std::optional<std::string> errorMessage_;
  std::optional<SizeSummary> sizeSummary_;
  bool isMeasuring_ = false;
  bool isLoading_ = true;
  Layout layout_;
  SortKey sortKey_;
  bool ascending_;
  bool showHidden_;

  std::vector<FolderItem> allItems_;
  // Collation keys of every item's name and kind, in `allItems_` order.
  std::vector<std::string> nameKeys_;
  std::vector<std::string> kindKeys_;

  std::optional<BackgroundTask> loadTask_;
  std::optional<BackgroundTask> measureTask_;
  std::uint64_t nextGeneration_ = 1;
  Signal<> changed_;
};

}  // namespace tavorin
