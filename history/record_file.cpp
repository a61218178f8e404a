#include "record_file.h"

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <system_error>
#include <utility>

#include "base/helper_thread.h"
#include "base/native_path.h"
#include "base/replace_file.h"

namespace orvanel {
namespace {

// Far more than the text of a record's few thousand points.
constexpr std::uintmax_t kLargestRecord = 1 << 20;

struct ReadBack {
  enum class Found { kNone, kText, kUnreadable };
  Found found = Found::kNone;
  std::string text;
};

// On a helper thread: what the file holds.
ReadBack ReadRecordFile(const std::string& path) {
  using Found = ReadBack::Found;
  std::error_code error;
  const std::filesystem::path native = NativePath(path);
  const auto status = std::filesystem::status(native, error);
  if (status.type() == std::filesystem::file_type::not_found) return ReadBack{};
  if (error || !std::filesystem::is_regular_file(status)) return ReadBack{Found::kUnreadable, {}};
  const auto size = std::filesystem::file_size(native, error);
  if (error) return ReadBack{Found::kUnreadable, {}};
  // Too long to be a record: read as none, and replaced by the next.
  if (size > kLargestRecord) return ReadBack{Found::kText, {}};
  std::ifstream in(native, std::ios::binary);
  if (!in) return ReadBack{Found::kUnreadable, {}};
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return ReadBack{Found::kUnreadable, {}};
  return ReadBack{Found::kText, std::move(text)};
}

}  // namespace

// The writes of one file, one at a time, on a helper thread that ends when
// nothing waits.
struct RecordFile::Writes {
  std::mutex mutex;
  std::condition_variable idle;
  std::optional<std::string> waiting;
  bool writing = false;
};

RecordFile::RecordFile(std::string path)
    : path_(std::move(path)), writes_(std::make_shared<Writes>()) {}

RecordFile::~RecordFile() = default;

std::optional<SavedRecord> RecordFile::Load(std::chrono::milliseconds patience) {
  if (path_.empty()) return std::nullopt;
  std::optional<ReadBack> read;
  try {
    read = RunWithPatience<ReadBack>(patience, [path = path_] { return ReadRecordFile(path); });
  } catch (const std::system_error&) {
  }
  writable_ = read && read->found != ReadBack::Found::kUnreadable;
  if (!read || read->found != ReadBack::Found::kText) return std::nullopt;
  return ReadRecordText(read->text);
}

void RecordFile::Save(const SavedRecord& record) {
  if (path_.empty() || !writable_) return;
  std::unique_lock lock(writes_->mutex);
  writes_->waiting = RecordText(record);
  if (writes_->writing) return;
  writes_->writing = true;
  lock.unlock();
  try {
    StartHelperThread([writes = writes_, path = path_] {
      std::unique_lock lock(writes->mutex);
      while (writes->waiting) {
        const std::string text = *std::exchange(writes->waiting, std::nullopt);
        lock.unlock();
        // Windows keeps it in a folder of its own, made here; elsewhere the
        // folder is the tally's, which its save made.
        std::error_code ignored;
        std::filesystem::create_directory(NativePath(path).parent_path(), ignored);
        // The tally is what counts: a record lost here is written anew with
        // the next save, and one that was not means only a shorter chart.
        (void)WriteWholeFile(path, text);
        lock.lock();
      }
      writes->writing = false;
      writes->idle.notify_all();
    });
  } catch (const std::system_error&) {
    lock.lock();
    writes_->writing = false;
  }
}

void RecordFile::Finish(std::chrono::milliseconds patience) {
  std::unique_lock lock(writes_->mutex);
  (void)writes_->idle.wait_for(lock, patience, [this] { return !writes_->writing; });
}

}  // namespace orvanel
