#include "store_writer.h"

#include <system_error>
#include <utility>

namespace orvanel {

bool WriteOutcome::Finished() const {
  const std::lock_guard lock(mutex_);
  return done_;
}

std::optional<FileFailure> WriteOutcome::Fault() const {
  const std::lock_guard lock(mutex_);
  return fault_;
}

bool WriteOutcome::FinishedBy(std::chrono::steady_clock::time_point deadline) const {
  std::unique_lock lock(mutex_);
  return finished_.wait_until(lock, deadline, [this] { return done_; });
}

void WriteOutcome::Finish(std::optional<FileFailure> fault) {
  const std::lock_guard lock(mutex_);
  fault_ = fault;
  done_ = true;
  finished_.notify_all();
}

void StoreWriter::Run(Write write, std::chrono::steady_clock::time_point deadline) {
  if (inFlight_ && !inFlight_->FinishedBy(deadline)) {
    throw HistoryError(location_, FileFailure{FileFailure::Kind::kNoAnswer, 0});
  }
  const auto outcome = Begin(std::move(write));
  if (!outcome->FinishedBy(deadline)) {
    throw HistoryError(location_, FileFailure{FileFailure::Kind::kUnfinished, 0});
  }
  if (const auto fault = outcome->Fault()) throw HistoryError(location_, *fault);
}

std::shared_ptr<const WriteOutcome> StoreWriter::Begin(Write write) {
  if (Busy()) return nullptr;
  auto outcome = std::make_shared<WriteOutcome>();
  try {
    start_([outcome, write = std::move(write)] {
      std::optional<FileFailure> fault;
      try {
        fault = write();
      } catch (...) {
        fault = FileFailure{FileFailure::Kind::kRefused, 0};
      }
      outcome->Finish(fault);
    });
  } catch (const std::system_error&) {
    throw HistoryError(location_, FileFailure{FileFailure::Kind::kNoThread, 0});
  }
  inFlight_ = outcome;
  return outcome;
}

}  // namespace orvanel
