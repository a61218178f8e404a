#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "base/file_failure.h"
#include "estimator/errors.h"

namespace orvanel {

// The store refused to keep the tally.
class HistoryError : public OrvanelError {
 public:
  HistoryError(std::string location, FileFailure why)
      : OrvanelError("cannot save the tally in " + location),
        location_(std::move(location)),
        why_(why) {}
  // Where the store keeps its values: a file path or a registry key.
  [[nodiscard]] const std::string& Location() const { return location_; }
  [[nodiscard]] const FileFailure& Why() const { return why_; }

 private:
  std::string location_;
  FileFailure why_;
};

// What reading the store found, beside the values themselves.
struct StoreCondition {
  enum class State {
    kReadable,    // absent values are simply absent
    kDamaged,     // it holds something, but no saved tally can be found in it
    kUnreadable,  // it could not be read at all; `fault` says why
  };
  State state = State::kReadable;
  FileFailure fault;
  // It holds lines of no use to the program (comments, other sections), which
  // the next save does not keep.
  bool holdsOtherLines = false;
  // It could not be read, and the next save keeps it under a name of its own
  // beside it rather than replace it.
  bool setAsideOnSave = false;
  // Why a save will fail, as far as can be told before one is tried.
  std::optional<FileFailure> unwritable;
  friend bool operator==(const StoreCondition&, const StoreCondition&) = default;
};

// A stored value of a kind that holds no number of the tally.
struct UnusableKind {
  enum class What {
    kBinary,     // bytes, or a value of no kind at all
    kTexts,      // a list of texts
    kWrongSize,  // a 32-bit or 64-bit number stored with another size
  };
  What what = What::kBinary;
  std::size_t bytes = 0;  // kWrongSize: the size stored
  friend bool operator==(const UnusableKind&, const UnusableKind&) = default;
};

class WriteOutcome;

// The per-user settings store of one application: text values addressed by
// section and key. Linux keeps them in a file of the program's own; Windows and
// macOS in the platform's store, through QSettings; tests use fakes and
// temporary files.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The stored text, or `fallback` when the value is absent.
  [[nodiscard]] virtual std::string Read(const std::string& section, const std::string& key,
                                         const std::string& fallback) = 0;
  // Why the value, though there, can hold no number whatever it holds (the
  // registry's binary data, say): it is then unusable, not absent. None for a
  // value that is text, or absent.
  [[nodiscard]] virtual std::optional<UnusableKind> UnusableKindOf(const std::string& /*section*/,
                                                                   const std::string& /*key*/) {
    return std::nullopt;
  }
  // What reading found; values read from a store that is not kReadable are
  // the fallbacks.
  [[nodiscard]] virtual StoreCondition Condition() = 0;
  // Creates or replaces the value.
  virtual void Write(const std::string& section, const std::string& key,
                     const std::string& value) = 0;
  // Makes the writes lasting, waiting at most `patience` for the system; throws
  // HistoryError when the store refuses them or the time runs out.
  virtual void Commit(std::chrono::milliseconds patience) = 0;
  // Begins to make the writes lasting on a thread of its own and returns at
  // once, with what will come of it (store_writer.h). Nothing when an earlier
  // write is still under way: nothing is begun, and the writes wait for the
  // next commit. Throws HistoryError when no thread can be started.
  [[nodiscard]] virtual std::shared_ptr<const WriteOutcome> CommitInBackground() = 0;
  // Where the values live, for messages: a file path or a registry key.
  [[nodiscard]] virtual std::string Location() const = 0;
};

}  // namespace orvanel
