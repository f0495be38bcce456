#pragma once

#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/preference_store.hpp"

namespace tavorin::native {

// A preference domain kept as one typed JSON file.
//
// * Every write re-reads the file under an advisory lock and changes only its own key, so two
//   processes writing at once never lose each other's keys; the file is replaced atomically.
// * A file that cannot be parsed reads as empty and is renamed to "<file>.corrupt" before the
//   first write would replace it, so the user's data is never silently destroyed.
// * Changes written by another process are noticed through inotify and announced on the main
//   loop like local ones.
class FilePreferenceStore final : public PreferenceStore {
 public:
  FilePreferenceStore(std::filesystem::path file, NotificationCenter& notifications,
                      RunLoop& runLoop);
  ~FilePreferenceStore() override;

  std::optional<PreferenceValue> value(std::string_view key) const override;
  const std::filesystem::path& file() const { return file_; }

  // Re-reads the file and announces a change if its values differ from the ones held. The
  // watcher calls this; it is public for callers that must not wait for it.
  void reload();

 protected:
  void write(std::string_view key, std::optional<PreferenceValue> value) override;

 private:
  using Values = std::map<std::string, PreferenceValue, std::less<>>;
  void startWatching();
  void stopWatching();
  void watch(int inotifyFd, int wakeFd);

  const std::filesystem::path file_;
  RunLoop& runLoop_;
  mutable std::mutex mutex_;
  Values values_;
  std::shared_ptr<FilePreferenceStore*> alive_;
  std::thread watcher_;
  int wakeFd_ = -1;
  std::atomic<bool> reportedWriteFailure_{false};
};

}  // namespace tavorin::native
