#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/replace_file.h"
#include "fakes.h"
#include "gui/main/main_window.h"
#include "gui/main/tick_timer.h"
#include "gui/platform/platform_services.h"
#include "peers.h"
#include "recording_store.h"
#include "widgets.h"

namespace orvanel::testing {

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

// Answers the Save dialog from a script, and notes what it was asked.
class ScriptedSaveDialog final : public SaveDialog {
 public:
  std::optional<QString> Save(QWidget*, const QString& suggested_name, const QString&) override {
    suggestedNames.push_back(suggested_name);
    return answer;
  }
  std::optional<QString> answer;
  QStringList suggestedNames;
};

// A monotonic clock that moves only when told to.
class FakeClock final : public MonotonicClock {
 public:
  std::chrono::nanoseconds Now() const override { return now; }
  void Advance(std::chrono::nanoseconds by) { now += by; }
  std::chrono::nanoseconds now{std::chrono::hours(1)};
};

// Notes what it is told, and answers a failed save from a script (Cancel
// when the script has run out, as when the event loops end meanwhile).
class RecordingMessenger final : public Messenger {
 public:
  void Show(QWidget*, const QString& sentence, Kind kind) override {
    messages.push_back(sentence);
    kinds.push_back(kind);
  }
  SaveChoice AskAfterFailedSave(QWidget*, const QString& sentence) override {
    asked.push_back(sentence);
    if (whileAsking) whileAsking();
    if (choices.empty()) return SaveChoice::kCancel;
    const SaveChoice choice = choices.front();
    choices.pop_front();
    return choice;
  }
  QStringList messages;
  std::vector<Kind> kinds;
  QStringList asked;
  std::deque<SaveChoice> choices;
  std::function<void()> whileAsking;  // what happens while the question is up
};

// Image writes that wait while held, as on a file system that stopped
// answering, and then fail as told; unheld, they write the file.
struct HeldWrites {
  std::mutex mutex;
  std::condition_variable changed;
  bool hold = false;
  std::optional<FileFailure> failWith;

  void Release(std::optional<FileFailure> failure) {
    const std::lock_guard lock(mutex);
    hold = false;
    failWith = failure;
    changed.notify_all();
  }
  static PlatformServices::ImageWriter Writer(std::shared_ptr<HeldWrites> writes) {
    return [writes](const std::string& path, std::string_view bytes) -> std::optional<FileFailure> {
      std::unique_lock lock(writes->mutex);
      writes->changed.wait(lock, [&writes] { return !writes->hold; });
      if (writes->failWith) return writes->failWith;
      lock.unlock();
      return WriteWholeFile(path, bytes);
    };
  }
};

class RecordingHelpViewer final : public HelpViewer {
 public:
  void ShowContents(QWidget*) override { ++showings; }
  int showings = 0;
};

// A main window on fakes, with pointers to the fakes it owns. Its random pairs
// are all (2, 2), which have no common factor.
struct WindowRig {
  // `record_path`: where the chart's record is kept (none: nowhere).
  explicit WindowRig(PairFileOpener open_pair_file = OpenPatiently,
                     std::unique_ptr<RandomGenerator> drawing = nullptr,
                     unsigned full_speed_threads = 0, std::string record_path = {}) {
    PlatformServices services;
    auto open = std::make_unique<ScriptedOpenDialog>();
    auto save = std::make_unique<ScriptedSaveDialog>();
    auto help = std::make_unique<RecordingHelpViewer>();
    auto recording_store = std::make_unique<RecordingStore>();
    auto recording_messenger = std::make_unique<RecordingMessenger>();
    auto scripted = std::make_unique<ScriptedGenerator>(std::initializer_list<float>{0.0f, 0.0f});
    auto fake_clock = std::make_unique<FakeClock>();
    openDialog = open.get();
    saveDialog = save.get();
    helpViewer = help.get();
    store = recording_store.get();
    messenger = recording_messenger.get();
    generator = scripted.get();
    clock = fake_clock.get();
    services.openDialog = std::move(open);
    services.saveDialog = std::move(save);
    services.helpViewer = std::move(help);
    services.settingsStore = std::move(recording_store);
    services.messenger = std::move(recording_messenger);
    // Scripted draws, or a generator of the test's own (then `generator` is none).
    if (drawing) {
      generator = nullptr;
      services.generator = std::move(drawing);
    } else {
      services.generator = std::move(scripted);
    }
    services.fullSpeedThreads = full_speed_threads;
    services.clock = std::move(fake_clock);
    services.openPairFile = std::move(open_pair_file);
    services.writeImage = HeldWrites::Writer(writes);
    services.recordPath = std::move(record_path);
    window = std::make_unique<Main>(std::move(services));
  }

  // Continues from this tally, as a run that finds it saved does.
  void Load(const TrialTally& tally) {
    store->values = {{"Estimate", NumberText(tally.Estimate)},
                     {"Total", NumberText(tally.Total)},
                     {"Hits", NumberText(tally.Hits)}};
    window->Form_Load();
  }

  // One wake-up of Timer1 after `elapsed` on the clock: runs the ticks due.
  void WakeUpAfter(std::chrono::nanoseconds elapsed) {
    clock->Advance(elapsed);
    TickTimerPeer::RunDueTicks(*Find<TickTimer>(*window, "Timer1"));
  }
  // One tick, with the status lines drawn as they stand at its end when due.
  void Tick() { WakeUpAfter(std::chrono::milliseconds(1)); }

  ScriptedOpenDialog* openDialog;
  ScriptedSaveDialog* saveDialog;
  RecordingHelpViewer* helpViewer;
  RecordingStore* store;
  RecordingMessenger* messenger;
  ScriptedGenerator* generator;
  FakeClock* clock;
  std::shared_ptr<HeldWrites> writes = std::make_shared<HeldWrites>();
  std::unique_ptr<Main> window;
};

// Handles the window's events until the pair file chosen last has opened, or
// has been refused: the window's look at the open has run.
inline void WaitForTheOpen(Main& window) {
  EXPECT_TRUE(Within([&window] { return !window.FileBeingOpened(); })) << "the open never ended";
}

}  // namespace orvanel::testing
