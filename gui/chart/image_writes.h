#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_failure.h"
#include "gui/messages/reporter.h"
#include "gui/platform/platform_services.h"

class QTimer;

namespace orvanel {

// The chart's images being written, each on a helper thread, so that a file
// system that hangs, or a name that is a FIFO, never holds up the window (the
// writer is base/replace_file.h's: only a regular file is ever replaced). They
// are owned by the main window, which outlives the chart's window: a write that
// fails after that window has closed is still told, and the way out gives the
// writes under way a last chance.
class ImageWrites final : public QObject {
 public:
  // What writes a file (none: base/replace_file.h's); tests put in one that
  // waits or fails.
  using Writer = PlatformServices::ImageWriter;

  ImageWrites(Reporter& reporter, QWidget& main_window, Writer writer = {});
  ~ImageWrites() override;

  // Begins to write `bytes` to `path`. A failure is told over `window` while it
  // is shown, else over the main window while that is shown, else on stderr
  // alone.
  void Write(const QString& path, QByteArray bytes, QWidget* window);

  // The program is about to end: waits for the writes under way, at most
  // `patience` in all. Each that failed, or did not finish in time, goes to
  // stderr: nobody may be there to read a message.
  void FinishBeforeTheEnd(std::chrono::milliseconds patience);

  struct Outcome;

 private:
  struct InFlight {
    QString path;
    std::shared_ptr<Outcome> outcome;
    QPointer<QWidget> window;
  };
  void Look();
  void Tell(const InFlight& write, const FileFailure& failure, bool anybody);

  Reporter& reporter_;
  QWidget& mainWindow_;
  Writer writer_;
  std::vector<InFlight> inFlight_;
  QTimer* look_;
};

}  // namespace orvanel
