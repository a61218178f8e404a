#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "saved_section.h"
#include "settings_file.h"
#include "settings_file_io.h"
#include "settings_store.h"
#include "store_writer.h"

namespace orvanel {

// What the store asks of the file system (settings_file_io.h); tests put in
// calls that wait or fail as a file system may.
struct SettingsFileAccess {
  std::function<SettingsFileRead(const std::string& path, std::size_t limit)> read =
      ReadSettingsFileBytes;
  std::function<std::optional<FileFailure>(const std::string& path, const std::string& text,
                                           const std::string& base_folder)>
      replace = ReplaceSettingsFile;
  std::function<std::optional<FileFailure>(const std::string& path, const std::string& when)>
      setAside = SetAsideUnreadable;
  std::function<std::optional<FileFailure>(const std::string& path, const std::string& base_folder)>
      unwritable = SettingsFileUnwritable;
};

// The settings store as a file of the program's own (~/.config/Orvanel/Orvanel.conf
// on Linux), read leniently and written whole: a save keeps only the values it
// writes, so that nothing in the file can make a later run fail to read it. See
// settings_file.h for the form and settings_file_io.h for which files are used.
//
// A file that is there but could not be read (no permission, far too large, a
// file system that did not answer) is never replaced: the first save sets it
// aside under a name of its own, and fails when it cannot.
//
// The file system may stop answering (a network mount that went away): reading
// waits at most its patience, each save at most the patience it is given, and
// both report that. One write is in flight at a time: a save that finds one
// still waiting for the file system waits for it, within its patience, so that
// an older tally never lands after a newer one.
class SettingsFileStore final : public SettingsStore {
 public:
  // A file larger than this is not a settings file.
  static constexpr std::size_t kLargestFile = 16 << 20;
  static constexpr std::chrono::milliseconds kReadPatience{5000};

  // `kept`: the one section and its keys that are read and kept; every other
  // line of the file is dropped by the next save. `base_folder`: the folder that
  // must exist already, below which a save makes the file's folders.
  SettingsFileStore(std::string path, SavedSection kept, std::string base_folder,
                    std::chrono::milliseconds read_patience = kReadPatience,
                    SettingsFileAccess access = {});

  [[nodiscard]] std::string Read(const std::string& section, const std::string& key,
                                 const std::string& fallback) override;
  [[nodiscard]] StoreCondition Condition() override;
  void Write(const std::string& section, const std::string& key, const std::string& value) override;
  void Commit(std::chrono::milliseconds patience) override;
  [[nodiscard]] std::shared_ptr<const WriteOutcome> CommitInBackground() override;
  [[nodiscard]] std::string Location() const override { return path_; }

 private:
  struct Loaded {
    SettingsFileContents contents;
    StoreCondition condition;
  };
  const Loaded& Load();
  [[nodiscard]] StoreWriter::Write TakeWrite();

  std::string path_;
  SavedSection kept_;
  std::string baseFolder_;
  std::chrono::milliseconds readPatience_;
  SettingsFileAccess access_;
  std::optional<Loaded> loaded_;
  std::vector<SettingsSection> pending_;  // written, not yet committed
  // The file that could not be read is still where it was, to be set aside by
  // the next write, whichever thread it runs on.
  std::shared_ptr<std::atomic<bool>> unreadableInPlace_;
  StoreWriter writer_;
};

}  // namespace orvanel
