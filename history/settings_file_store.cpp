#include "settings_file_store.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <ctime>
#include <functional>
#include <system_error>

#include "base/helper_thread.h"
#include "settings_file_io.h"

namespace orvanel {

namespace {

// Whether a file may be there, holding a tally, although it could not be read:
// a name that cannot stand for any file (too long, a link loop, a file where a
// folder should be) has nothing to keep, and no regular file is never written.
bool MayHoldATally(const FileFailure& fault) {
  switch (fault.kind) {
    case FileFailure::Kind::kNotRegular:
      return false;
    case FileFailure::Kind::kSystem:
      return fault.systemError != ENOENT && fault.systemError != ENOTDIR &&
             fault.systemError != ENAMETOOLONG && fault.systemError != ELOOP;
    default:
      return true;
  }
}

// When a file was set aside, as its new name tells it: local time, to the second.
std::string Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

}  // namespace

SettingsFileStore::SettingsFileStore(std::string path, SavedSection kept, std::string base_folder,
                                     std::chrono::milliseconds read_patience,
                                     SettingsFileAccess access)
    : path_(std::move(path)),
      kept_(std::move(kept)),
      baseFolder_(std::move(base_folder)),
      readPatience_(read_patience),
      access_(std::move(access)),
      unreadableInPlace_(std::make_shared<std::atomic<bool>>(false)),
      writer_(path_) {}

// The file is read once, at the first question about it.
const SettingsFileStore::Loaded& SettingsFileStore::Load() {
  if (loaded_) return *loaded_;
  Loaded loaded;
  auto& condition = loaded.condition;
  // What is there, and whether a save could replace it: both asked of the file
  // system in one wait.
  struct Looked {
    SettingsFileRead read;
    std::optional<FileFailure> unwritable;
  };
  std::optional<SettingsFileRead> read;
  try {
    const auto looked = RunWithPatience<Looked>(
        readPatience_, [path = path_, base = baseFolder_, access = access_] {
          return Looked{access.read(path, kLargestFile), access.unwritable(path, base)};
        });
    if (looked) {
      read = looked->read;
      condition.unwritable = looked->unwritable;
    }
  } catch (const std::system_error&) {
    read = SettingsFileRead{
        SettingsFileRead::Outcome::kFailed, {}, FileFailure{FileFailure::Kind::kNoThread, 0}};
  }
  if (!read) {
    condition.state = StoreCondition::State::kUnreadable;
    condition.fault = FileFailure{FileFailure::Kind::kNoAnswer, 0};
  } else if (read->outcome == SettingsFileRead::Outcome::kFailed) {
    condition.state = StoreCondition::State::kUnreadable;
    condition.fault = read->fault;
  } else if (read->outcome == SettingsFileRead::Outcome::kRead) {
    loaded.contents = ReadSettingsFile(read->bytes, kept_.section, kept_.keys);
    condition.holdsOtherLines = loaded.contents.holdsOtherLines;
    if (loaded.contents.holdsAnything && !loaded.contents.foundSection) {
      condition.state = StoreCondition::State::kDamaged;
      loaded.contents.values.clear();
    }
  }
  // Whatever made it unreadable, the file may hold the only copy of a tally.
  if (condition.state == StoreCondition::State::kUnreadable && MayHoldATally(condition.fault)) {
    condition.setAsideOnSave = true;
    unreadableInPlace_->store(true);
  }
  return loaded_.emplace(std::move(loaded));
}

std::string SettingsFileStore::Read(const std::string& section, const std::string& key,
                                    const std::string& fallback) {
  if (section != kept_.section) return fallback;
  const auto& values = Load().contents.values;
  const auto found = values.find(key);
  return found == values.end() ? fallback : found->second;
}

StoreCondition SettingsFileStore::Condition() {
  return Load().condition;
}

void SettingsFileStore::Write(const std::string& section, const std::string& key,
                              const std::string& value) {
  auto in_section = std::find_if(pending_.begin(), pending_.end(),
                                 [&section](const auto& entry) { return entry.first == section; });
  if (in_section == pending_.end()) in_section = pending_.insert(pending_.end(), {section, {}});
  auto& values = in_section->second;
  const auto same_key = std::find_if(values.begin(), values.end(),
                                     [&key](const auto& kv) { return kv.first == key; });
  if (same_key == values.end()) {
    values.emplace_back(key, value);
  } else {
    same_key->second = value;
  }
}

// What a save writes, as a write of its own for the helper: everything it
// touches is its own or shared, as it may outlive the save that began it.
StoreWriter::Write SettingsFileStore::TakeWrite() {
  (void)Load();  // what could not be read must be known before anything is written
  return [set_aside = unreadableInPlace_, access = access_, path = path_,
          text = SettingsFileText(std::exchange(pending_, {})),
          base = baseFolder_]() -> std::optional<FileFailure> {
    if (set_aside->load()) {
      if (const auto refused = access.setAside(path, Now())) {
        return FileFailure{FileFailure::Kind::kUnreadableInPlace, refused->systemError};
      }
      set_aside->store(false);
    }
    return access.replace(path, text, base);
  };
}

void SettingsFileStore::Commit(std::chrono::milliseconds patience) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  writer_.Run(TakeWrite(), deadline);
}

std::shared_ptr<const WriteOutcome> SettingsFileStore::CommitInBackground() {
  if (writer_.Busy()) return nullptr;
  return writer_.Begin(TakeWrite());
}

}  // namespace orvanel
