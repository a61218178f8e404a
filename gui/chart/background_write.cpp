#include "background_write.h"

#include <QObject>
#include <QTimer>

#include <cerrno>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>

#include "base/helper_thread.h"

namespace orvanel {
namespace {

// What the helper leaves for the window's thread; the helper touches no Qt
// object, so that the window may go away while it writes.
struct Outcome {
  std::mutex mutex;
  bool finished = false;
  std::optional<FileFailure> failure;
};

constexpr int kLookMilliseconds = 25;

}  // namespace

void WriteInTheBackground(QObject& context, const QString& path, QByteArray bytes, WriteDone done) {
  const auto outcome = std::make_shared<Outcome>();
  try {
    StartHelperThread([outcome, name = path.toStdString(), bytes = std::move(bytes)] {
      const auto failure = WriteWholeFile(
          name, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
      const std::lock_guard lock(outcome->mutex);
      outcome->finished = true;
      outcome->failure = failure;
    });
  } catch (const std::system_error& error) {
    done(FileFailure{FileFailure::Kind::kNoThread, error.code().value()});
    return;
  }
  // The window's thread looks a few times a second, and only while a write is
  // under way.
  auto* look = new QTimer(&context);
  look->setInterval(kLookMilliseconds);
  QObject::connect(look, &QTimer::timeout, look, [look, outcome, done = std::move(done)] {
    std::optional<FileFailure> failure;
    {
      const std::lock_guard lock(outcome->mutex);
      if (!outcome->finished) return;
      failure = outcome->failure;
    }
    look->stop();
    look->deleteLater();
    done(failure);
  });
  look->start();
}

}  // namespace orvanel
