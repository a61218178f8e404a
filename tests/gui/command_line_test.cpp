// The command line: what ends at once with an answer on the terminal, and what
// starts the window.
#include <gtest/gtest.h>

#include <QLocale>

#include "gui/platform/command_line.h"
#include "gui/platform/translations.h"

namespace orvanel {
namespace {

// Every answer in the user's language: the texts are translated.
TEST(CommandLine, AnswersItsOptionsAndRefusesTheRestWithTheUsage) {
  struct Case {
    QStringList arguments;
    std::optional<int> status;  // none: the window starts
    const char* says;           // the start of what it prints
    const char* locale = "en_US";
  };
  const Case cases[] = {
      {{}, std::nullopt, ""},
      {{"--help"}, 0, "Usage: orvanel [option]"},
      {{"-h"}, 0, "Usage: orvanel [option]"},
      {{"--version"}, 0, "Orvanel 1."},
      {{"-v", "--help"}, 0, "Usage: orvanel [option]"},
      {{"--help"}, 0, "Aufruf: orvanel", "de_DE"},
      {{"--help"}, 0, "Utilisation\u00a0: orvanel", "fr_FR"},
      {{"--bogus"}, 2, "Orvanel: “--bogus” is not an option of Orvanel.\n\nUsage:"},
      {{"-x"}, 2, "Orvanel: “-x” is not an option of Orvanel."},
      {{"pairs.bin"}, 2, "Orvanel: “pairs.bin” is not an option;"},
      {{"-platform"}, 2, "Orvanel: The option “-platform” needs a value."},
      // The toolkit's own, as a session manager restarts the program.
      {{"-session", "10d2f3e6a1"}, std::nullopt, ""},
      {{"-platform", "offscreen", "-reverse", "--style=fusion"}, std::nullopt, ""},
  };
  Translations translations;
  for (const Case& c : cases) {
    translations.Use(QLocale(c.locale));
    const std::string line = c.arguments.join(' ').toStdString() + " in " + c.locale;
    const auto answer = AnswerCommandLine(QStringList{"orvanel"} + c.arguments);
    ASSERT_EQ(answer.has_value(), c.status.has_value()) << line;
    if (!answer) continue;
    EXPECT_EQ(answer->status, *c.status) << line;
    // An answer goes to standard output, a refusal to standard error.
    const QString& said = answer->status == 0 ? answer->out : answer->err;
    EXPECT_TRUE((answer->status == 0 ? answer->err : answer->out).isEmpty()) << line;
    EXPECT_TRUE(said.startsWith(QString::fromUtf8(c.says))) << said.toStdString();
    if (answer->status == 2) {
      EXPECT_TRUE(said.contains("--version")) << line << ": with the usage";
    }
  }
  translations.Use(QLocale::c());
}

}  // namespace
}  // namespace orvanel
