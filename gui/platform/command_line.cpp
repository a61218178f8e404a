#include "command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include "gui/widgets/about_credits.h"

namespace orvanel {
namespace {

class CommandLine {
  Q_DECLARE_TR_FUNCTIONS(CommandLine)

 public:
  static QString Usage() {
    return tr("Usage: orvanel [option]\n"
              "Estimates pi by testing pairs of whole numbers for a common factor.\n"
              "Without an option, Orvanel opens its window.\n"
              "\n"
              "Options:\n") +
           "  -h, --help     " + tr("Shows this help and ends.") + "\n" + "  -v, --version  " +
           tr("Shows the version of Orvanel and ends.") + "\n";
  }
  static QString Version() { return tr("Orvanel %1").arg(kVersion) + "\n"; }
  static QString Unknown(const QString& option) {
    return tr("Orvanel: “%1” is not an option of Orvanel.").arg(option) + "\n\n";
  }
  static QString WithoutValue(const QString& option) {
    return tr("Orvanel: The option “%1” needs a value.").arg(option) + "\n\n";
  }
  static QString Unexpected(const QString& argument) {
    return tr("Orvanel: “%1” is not an option; Orvanel takes no file names or other words.")
               .arg(argument) +
           "\n\n";
  }
};

// Read by the toolkit when the window's application starts, so accepted here
// and left in place: a session manager restarts Orvanel with -session.
constexpr const char* kToolkitOptionsWithValue[] = {"platform",
                                                    "platformpluginpath",
                                                    "platformtheme",
                                                    "plugin",
                                                    "qwindowgeometry",
                                                    "qwindowicon",
                                                    "qwindowtitle",
                                                    "session",
                                                    "display",
                                                    "geometry",
                                                    "title",
                                                    "icon",
                                                    "name",
                                                    "visual",
                                                    "style",
                                                    "stylesheet",
                                                    "qmljsdebugger"};
constexpr const char* kToolkitFlags[] = {"reverse", "widgetcount", "nograb",
                                         "dograb",  "sync",        "testability"};

// What was refused: an option not known, else one without its value (which
// can only be the last argument).
QString Refused(const QCommandLineParser& parser, const QStringList& arguments) {
  if (!parser.unknownOptionNames().isEmpty()) {
    const QString name = parser.unknownOptionNames().first();
    return CommandLine::Unknown((name.size() == 1 ? "-" : "--") + name);
  }
  return CommandLine::WithoutValue(arguments.last());
}

}  // namespace

std::optional<CommandLineAnswer> AnswerCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  // The toolkit's options start with one dash: -session, not -s -e -s ….
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{"h", "help"});
  const QCommandLineOption version(QStringList{"v", "version"});
  parser.addOption(help);
  parser.addOption(version);
  for (const char* name : kToolkitOptionsWithValue) {
    parser.addOption(QCommandLineOption(name, QString(), "value"));
  }
  for (const char* name : kToolkitFlags) parser.addOption(QCommandLineOption(name));

  if (!parser.parse(arguments)) {
    return CommandLineAnswer{2, {}, Refused(parser, arguments) + CommandLine::Usage()};
  }
  if (parser.isSet(help)) return CommandLineAnswer{0, CommandLine::Usage(), {}};
  if (parser.isSet(version)) return CommandLineAnswer{0, CommandLine::Version(), {}};
  if (!parser.positionalArguments().isEmpty()) {
    return CommandLineAnswer{
        2,
        {},
        CommandLine::Unexpected(parser.positionalArguments().first()) + CommandLine::Usage()};
  }
  return std::nullopt;
}

}  // namespace orvanel
