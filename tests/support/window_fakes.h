#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <optional>

#include "fakes.h"
#include "main_window.h"
#include "platform_services.h"
#include "recording_store.h"

namespace orvanel {

// Reaches the window's private handlers, as its event wiring would.
class MainWindowProbe {
 public:
  // One tick, with the status lines drawn as they stand at its end.
  static void Tick(Main& window) {
    window.Timer1_Timer();
    if (window.statusPending_) window.ShowStatusLines();
  }
  static Estimator& EstimatorOf(Main& window) { return window.estimator_; }
  static SelFile& SelFileOf(Main& window) { return window.selFile_; }
};

namespace testing {

// Answers the Open dialog from a script: a path, or nothing for a cancel.
class ScriptedOpenDialog final : public OpenDialog {
 public:
  std::optional<QString> Open(QWidget*, const QString& initial_name) override {
    initialNames.push_back(initial_name);
    if (answers.empty()) return std::nullopt;
    const bool confirmed = answers.front().has_value();
    const QString path = answers.front().value_or(QString());
    answers.pop_front();
    if (!confirmed) return std::nullopt;
    return path;
  }
  std::deque<std::optional<QString>> answers;
  QStringList initialNames;
};

// A monotonic clock that moves only when told to.
class FakeClock final : public MonotonicClock {
 public:
  std::chrono::nanoseconds Now() const override { return now; }
  void Advance(std::chrono::nanoseconds by) { now += by; }
  std::chrono::nanoseconds now{std::chrono::hours(1)};
};

class RecordingMessenger final : public Messenger {
 public:
  void ShowError(QWidget*, const QString& sentence) override { messages.push_back(sentence); }
  QStringList messages;
};

class RecordingHelpViewer final : public HelpViewer {
 public:
  void ShowHelp(QWidget*, const QString& help_file, int command) override {
    calls.push_back(help_file + " " + QString::number(command));
  }
  QStringList calls;
};

// A main window on fakes, with pointers to the fakes it owns.
struct WindowRig {
  WindowRig() {
    PlatformServices services;
    auto open = std::make_unique<ScriptedOpenDialog>();
    auto help = std::make_unique<RecordingHelpViewer>();
    auto store = std::make_unique<RecordingStore>();
    auto messenger = std::make_unique<RecordingMessenger>();
    openDialog = open.get();
    helpViewer = help.get();
    this->store = store.get();
    this->messenger = messenger.get();
    services.openDialog = std::move(open);
    services.helpViewer = std::move(help);
    services.settingsStore = std::move(store);
    services.messenger = std::move(messenger);
    auto fake_clock = std::make_unique<FakeClock>();
    clock = fake_clock.get();
    services.clock = std::move(fake_clock);
    auto scripted = std::make_unique<ScriptedGenerator>(std::initializer_list<float>{0.0f, 0.0f});
    generator = scripted.get();
    services.generator = std::move(scripted);
    window = std::make_unique<Main>(std::move(services));
  }
  ScriptedOpenDialog* openDialog;
  RecordingHelpViewer* helpViewer;
  RecordingStore* store;
  RecordingMessenger* messenger;
  ScriptedGenerator* generator;
  FakeClock* clock;
  std::unique_ptr<Main> window;
};

}  // namespace testing
}  // namespace orvanel
