#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "record_text.h"

namespace orvanel {

// The convergence record's own file beside the saved tally: read once at the
// start, written after each save of the tally that held. It never affects the
// tally, and nothing waits for it on the window's thread beyond a patience. A
// record that is missing or damaged only means the chart begins at the loaded
// tally; a file that is there but could not be read (or not within the
// patience) is never replaced, and nothing is written that run.
class RecordFile {
 public:
  // `path` (UTF-8) empty: no record is kept.
  explicit RecordFile(std::string path);
  ~RecordFile();
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  // The record saved last, read within `patience`; nothing when there is none
  // to use. Until it has been read, nothing is written.
  [[nodiscard]] std::optional<SavedRecord> Load(std::chrono::milliseconds patience);

  // Writes `record` in the background. While a write is under way, the newest
  // record waits and is written after it; one waiting before is dropped.
  void Save(const SavedRecord& record);
  // Waits at most `patience` for the writes under way and waiting (a way out).
  void Finish(std::chrono::milliseconds patience);

  struct Writes;

 private:
  std::string path_;
  bool writable_ = false;
  std::shared_ptr<Writes> writes_;
};

}  // namespace orvanel
