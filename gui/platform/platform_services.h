#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/file_failure.h"
#include "estimator/estimator.h"
#include "estimator/random_generator.h"
#include "history/settings_store.h"
#include "monotonic_clock.h"

class QWidget;

namespace orvanel {

// The platform's Open dialog: the confirmed full path, or nothing on a cancel.
class OpenDialog {
 public:
  virtual ~OpenDialog() = default;
  [[nodiscard]] virtual std::optional<QString> Open(QWidget* parent,
                                                    const QString& initial_name) = 0;
};

// The platform's Save dialog: the confirmed full path, or nothing on a cancel.
class SaveDialog {
 public:
  virtual ~SaveDialog() = default;
  [[nodiscard]] virtual std::optional<QString> Save(QWidget* parent, const QString& suggested_name,
                                                    const QString& filter) = 0;
};

// Shows the help document at its contents, beside the window.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual void ShowContents(QWidget* parent) = 0;
};

// Tells the person at the window, in a plain sentence, and asks what to do
// where something would be lost.
class Messenger {
 public:
  virtual ~Messenger() = default;
  // What a message is: news, a warning that something is or will be lost, or
  // a failure. Each looks as the platform shows its kind.
  enum class Kind { kNotice, kWarning, kFailure };
  virtual void Show(QWidget* parent, const QString& sentence, Kind kind) = 0;

  // The tally could not be saved as the window closes: try again, leave without
  // it, or stay.
  enum class SaveChoice { kRetry, kQuitWithoutSaving, kCancel };
  [[nodiscard]] virtual SaveChoice AskAfterFailedSave(QWidget* parent, const QString& sentence) = 0;
};

// Everything the main window asks of the platform, so that tests can replace it.
struct PlatformServices {
  std::unique_ptr<OpenDialog> openDialog;
  std::unique_ptr<SaveDialog> saveDialog;
  std::unique_ptr<HelpViewer> helpViewer;
  std::unique_ptr<SettingsStore> settingsStore;
  // The file of the chart's record beside the store (UTF-8); empty: none is kept.
  std::string recordPath;
  std::unique_ptr<RandomGenerator> generator;
  std::unique_ptr<Messenger> messenger;
  std::unique_ptr<MonotonicClock> clock;
  // Opens a pair file (none: the real ones); tests can open one whose reads wait.
  PairFileOpener openPairFile;
  // Writes an image in the place of a file (none: base/replace_file.h's);
  // tests put in one that waits or fails. Called on a helper thread.
  using ImageWriter =
      std::function<std::optional<FileFailure>(const std::string& path, std::string_view bytes)>;
  ImageWriter writeImage;
  // The threads Full Speed runs on, the window's included; 0: every core.
  unsigned fullSpeedThreads = 0;
};

// The real ones: Qt's dialogs and message boxes, the per-user QSettings store,
// the clock-seeded generator, the help document built into the program and the
// steady clock.
[[nodiscard]] PlatformServices DesktopServices();

// The help viewer of DesktopServices, on its own for tests.
[[nodiscard]] std::unique_ptr<HelpViewer> MakeDocumentHelpViewer();

}  // namespace orvanel
