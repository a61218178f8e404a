#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <utility>
#include <vector>

#include "gui/platform/platform_services.h"

namespace orvanel {

// The one place that tells the user of a problem. The sentence always goes to
// stderr, at once; a message in the window only when a person may be there to
// read it. A way out on which nobody may be watching (a signal, a session end,
// the application's quit) never waits for a click.
class Reporter {
 public:
  enum class Attendance {
    kPersonPresent,  // after a click or a key: a message in the window
    kOnceOnScreen,   // as kPersonPresent, when `parent` is next shown
    kNobodyWatching  // stderr only
  };

  using Kind = Messenger::Kind;

  explicit Reporter(Messenger& messenger) : messenger_(messenger) {}

  void Tell(QWidget* parent, const QString& sentence,
            Attendance attendance = Attendance::kPersonPresent, Kind kind = Kind::kFailure);
  // Shows what was told kOnceOnScreen, now that its window is on screen.
  void TellHeldBack();
  // Asks the person at `parent` what to do about a tally that could not be
  // saved as the window closes; the sentence went to stderr already.
  [[nodiscard]] Messenger::SaveChoice AskAfterFailedSave(QWidget* parent, const QString& sentence) {
    return messenger_.AskAfterFailedSave(parent, sentence);
  }

 private:
  Messenger& messenger_;
  struct HeldBack {
    QPointer<QWidget> parent;
    QString sentence;
    Kind kind;
  };
  std::vector<HeldBack> heldBack_;
};

}  // namespace orvanel
