// The command line: what ends at once with an answer on the terminal, and what
// starts the window.
#include <gtest/gtest.h>

#include <QLocale>

#include "gui/platform/command_line.h"
#include "gui/platform/translations.h"

namespace orvanel {
namespace {

TEST(CommandLine, AnswersItsOptionsAndRefusesTheRestWithTheUsage) {
  struct Case {
    QStringList arguments;
    std::optional<int> status;  // none: the window starts
    const char* says;           // the start of what it prints
  };
  const Case cases[] = {
      {{}, std::nullopt, ""},
      {{"--help"}, 0, "Usage: orvanel [option]"},
      {{"-h"}, 0, "Usage: orvanel [option]"},
      {{"--version"}, 0, "Orvanel 1."},
      {{"-v", "--help"}, 0, "Usage: orvanel [option]"},
      {{"--bogus"}, 2, "Orvanel: “--bogus” is not an option of Orvanel.\n\nUsage:"},
      {{"-x"}, 2, "Orvanel: “-x” is not an option of Orvanel."},
      {{"pairs.bin"}, 2, "Orvanel: “pairs.bin” is not an option;"},
      {{"-platform"}, 2, "Orvanel: The option “-platform” needs a value."},
      // The toolkit's own, as a session manager restarts the program.
      {{"-session", "10d2f3e6a1"}, std::nullopt, ""},
      {{"-platform", "offscreen", "-reverse", "--style=fusion"}, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    const QString line = c.arguments.join(' ');
    const auto answer = AnswerCommandLine(QStringList{"orvanel"} + c.arguments);
    ASSERT_EQ(answer.has_value(), c.status.has_value()) << line.toStdString();
    if (!answer) continue;
    EXPECT_EQ(answer->status, *c.status) << line.toStdString();
    // An answer goes to standard output, a refusal to standard error.
    const QString& said = answer->status == 0 ? answer->out : answer->err;
    EXPECT_TRUE((answer->status == 0 ? answer->err : answer->out).isEmpty()) << line.toStdString();
    EXPECT_TRUE(said.startsWith(QString::fromUtf8(c.says))) << said.toStdString();
    if (answer->status == 2) {
      EXPECT_TRUE(said.contains("--version")) << "with the usage";
    }
  }
}

TEST(CommandLine, AnswersInTheUsersLanguage) {
  Translations translations;
  for (const auto& [locale, says] :
       {std::pair{"de_DE", "Aufruf: orvanel"}, std::pair{"fr_FR", "Utilisation\u00a0: orvanel"}}) {
    translations.Use(QLocale(locale));
    const auto answer = AnswerCommandLine({"orvanel", "--help"});
    ASSERT_TRUE(answer.has_value());
    EXPECT_TRUE(answer->out.startsWith(QString::fromUtf8(says))) << answer->out.toStdString();
  }
  translations.Use(QLocale::c());
}

}  // namespace
}  // namespace orvanel
