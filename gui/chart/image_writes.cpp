#include "image_writes.h"

#include <QTimer>

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <utility>

#include "base/helper_thread.h"
#include "base/replace_file.h"
#include "gui/messages/messages.h"

namespace orvanel {
namespace {

// How often the window's thread looks at the writes, while any is under way.
constexpr int kLookMilliseconds = 25;

}  // namespace

// What a helper leaves for the window's thread. The helper touches no Qt
// object, so that any window may go away while it writes.
struct ImageWrites::Outcome {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  std::optional<FileFailure> failure;
};

ImageWrites::ImageWrites(Reporter& reporter, QWidget& main_window, Writer writer)
    : QObject(&main_window),
      reporter_(reporter),
      mainWindow_(main_window),
      writer_(writer ? std::move(writer) : Writer(WriteWholeFile)),
      look_(new QTimer(this)) {
  look_->setInterval(kLookMilliseconds);
  connect(look_, &QTimer::timeout, this, &ImageWrites::Look);
}

ImageWrites::~ImageWrites() = default;

void ImageWrites::Write(const QString& path, QByteArray bytes, QWidget* window) {
  const InFlight write{path, std::make_shared<Outcome>(), window};
  try {
    StartHelperThread([outcome = write.outcome, writer = writer_, name = path.toStdString(),
                       bytes = std::move(bytes)] {
      const auto failure =
          writer(name, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
      const std::lock_guard lock(outcome->mutex);
      outcome->failure = failure;
      outcome->done = true;
      outcome->finished.notify_all();
    });
  } catch (const std::system_error& error) {
    Tell(write, FileFailure{FileFailure::Kind::kNoThread, error.code().value()}, true);
    return;
  }
  inFlight_.push_back(write);
  look_->start();
}

void ImageWrites::Look() {
  std::vector<InFlight> still;
  for (InFlight& write : inFlight_) {
    std::optional<FileFailure> failure;
    {
      const std::lock_guard lock(write.outcome->mutex);
      if (!write.outcome->done) {
        still.push_back(std::move(write));
        continue;
      }
      failure = write.outcome->failure;
    }
    if (failure) Tell(write, *failure, true);
  }
  inFlight_ = std::move(still);
  if (inFlight_.empty()) look_->stop();
}

void ImageWrites::FinishBeforeTheEnd(std::chrono::milliseconds patience) {
  look_->stop();
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (const InFlight& write : std::exchange(inFlight_, {})) {
    std::unique_lock lock(write.outcome->mutex);
    const bool done = write.outcome->finished.wait_until(lock, deadline,
                                                         [&write] { return write.outcome->done; });
    const std::optional<FileFailure> failure =
        done ? write.outcome->failure : FileFailure{FileFailure::Kind::kUnfinished, 0};
    lock.unlock();
    if (failure) Tell(write, *failure, false);
  }
}

void ImageWrites::Tell(const InFlight& write, const FileFailure& failure, bool anybody) {
  QWidget* over = nullptr;
  if (write.window && write.window->isVisible()) {
    over = write.window;
  } else if (mainWindow_.isVisible()) {
    over = &mainWindow_;
  }
  const bool shown = anybody && over != nullptr;
  reporter_.Tell(
      over, ImageNotSavedText(write.path, failure),
      shown ? Reporter::Attendance::kPersonPresent : Reporter::Attendance::kNobodyWatching);
}

}  // namespace orvanel
