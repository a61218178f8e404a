#include <QCoreApplication>
#include <QScreen>

#include <optional>

#include "application.h"
#include "base/process_end.h"
#include "base/terminal.h"
#include "ending_signals.h"
#include "gui/main/main_window.h"
#include "gui/messages/messages.h"
#include "gui/messages/reporter.h"
#include "gui/platform/command_line.h"
#include "gui/platform/translations.h"
#include "gui/widgets/placement.h"
#include "single_copy.h"

namespace {

// Answers --help, --version and what is not an option on the terminal, in the
// user's language and without a display; the status to end with, or none
// where the window is to start.
std::optional<int> AnswerOptions(int& argc, char** argv) {
  if (argc <= 1) return std::nullopt;
  const QCoreApplication application(argc, argv);
  orvanel::Translations translations;
  translations.Use(QLocale());
  const auto answer = orvanel::AnswerCommandLine(QCoreApplication::arguments());
  if (!answer) return std::nullopt;
  if (!answer->out.isEmpty()) orvanel::WriteToTerminal(stdout, answer->out.toStdString());
  if (!answer->err.isEmpty()) orvanel::WriteToTerminal(stderr, answer->err.toStdString());
  return answer->status;
}

// Runs Orvanel until a way out ends it; the exit status.
int RunOrvanel(int& argc, char** argv) {
  orvanel::Application application(argc, argv);
  orvanel::Translations translations;
  translations.Use(QLocale());

  orvanel::PlatformServices services = orvanel::DesktopServices();
  orvanel::SingleCopy single_copy;
  switch (single_copy.Outcome()) {
    case orvanel::SingleCopy::Claim::kFirst:
      break;
    case orvanel::SingleCopy::Claim::kBroughtForward:
      return 0;
    case orvanel::SingleCopy::Claim::kOtherDoesNotAnswer:
      orvanel::Reporter(*services.messenger)
          .Tell(nullptr, orvanel::OtherCopyDoesNotAnswerText(),
                orvanel::Reporter::Attendance::kPersonPresent, orvanel::Messenger::Kind::kWarning);
      return 1;
  }

  orvanel::Main window(std::move(services));
  window.Form_Load();
  window.adjustSize();
  window.move(
      orvanel::Centred(window.frameGeometry().size(), window.screen()->availableGeometry()));
  single_copy.BringForwardOnRequest(window);
  window.show();
  window.activateWindow();
  return application.Run(window);
}

}  // namespace

int main(int argc, char* argv[]) {
  orvanel::EndAtOnceOnSignals();
  if (const auto status = AnswerOptions(argc, argv)) return *status;
  // The tally is saved and the window gone; a helper thread may still wait on
  // the file system, and nothing static is torn down under it.
  orvanel::EndProcess(RunOrvanel(argc, argv));
}
