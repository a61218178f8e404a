#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <map>
#include <random>
#include <string>

#include "beyond_any_load.h"
#include "history/number_reader.h"
#include "history/saved_section.h"
#include "history/settings_file.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace orvanel::testing {

// What the settings hold before the program starts.
enum class Settings {
  kNone,          // a first run
  kSeeded,        // a tally of 100000 trials
  kNearTheLimit,  // a tally a few hundred trials short of the limit
  kUnwritable,    // the folder the file needs is a regular file: unwritable even for root
  kDamaged,       // random bytes
  kFifo,          // a FIFO in the file's place
  kUntouched,     // as another Program left them: for a second copy of the same user
};

#ifdef Q_OS_WIN
// True under wine: its user is a throwaway one, so the program may keep its
// tally in that user's registry. On a real Windows machine it would be the
// tester's own.
inline bool UnderWine() {
  return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}
#endif

// The built program as a child process with its settings apart from the
// user's: in a folder of its own, on the offscreen platform unless told
// otherwise; on Windows (under wine only) in the registry of wine's user.
class Program {
 public:
  explicit Program(Settings settings, const std::map<QString, QString>& environment = {}) {
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
#ifdef Q_OS_WIN
    ownsSettings_ = settings != Settings::kUntouched;
    if (ownsSettings_) QSettings(ConfigFile(), QSettings::NativeFormat).remove("");
    if (settings == Settings::kSeeded || settings == Settings::kNearTheLimit) {
      QSettings seeded(ConfigFile(), QSettings::NativeFormat);
      seeded.setValue("History/Estimate", " 3.14");
      seeded.setValue("History/Total", settings == Settings::kSeeded ? " 100000" : " 2147483000");
      seeded.setValue("History/Hits", " 39200");
    }
    variables.insert("QT_QPA_PLATFORM", "windows");  // a real window, for its messages
#else
    QDir(folder_.path()).mkpath("Orvanel");
    switch (settings) {
      case Settings::kNone:
      case Settings::kUntouched:
        break;
      case Settings::kSeeded:
        Write(ConfigFile(), "[History]\nEstimate=\" 3.14\"\nTotal=\" 100000\"\nHits=\" 39200\"\n");
        break;
      case Settings::kNearTheLimit:
        Write(ConfigFile(),
              "[History]\nEstimate=\" 3.14\"\nTotal=\" 2147483000\"\nHits=\" 39200\"\n");
        break;
      case Settings::kUnwritable:
        QDir(folder_.path()).rmdir("Orvanel");
        Write(folder_.filePath("Orvanel"), "not a folder");
        break;
      case Settings::kDamaged: {
        std::mt19937 engine(7);
        QByteArray bytes;
        for (int i = 0; i < 4000; ++i) bytes.append(static_cast<char>(engine()));
        Write(ConfigFile(), bytes);
        break;
      }
      case Settings::kFifo:
        ::mkfifo(QFile::encodeName(ConfigFile()).constData(), 0600);
        break;
    }
    variables.insert("XDG_CONFIG_HOME", folder_.path());
    // A runtime folder of its own: only one copy runs per runtime folder.
    variables.insert("XDG_RUNTIME_DIR", runtime_.path());
    variables.insert("QT_QPA_PLATFORM", "offscreen");
    variables.remove("SESSION_MANAGER");
    variables.insert("LSAN_OPTIONS", "suppressions=" ORVANEL_LSAN_SUPPRESSIONS);
#endif
    for (const auto& [name, value] : environment) variables.insert(name, value);
    process_.setProcessEnvironment(variables);
  }
#ifdef Q_OS_WIN
  ~Program() {
    if (process_.state() != QProcess::NotRunning) process_.kill();
    process_.waitForFinished(kBeyondAnyLoadMilliseconds);
    if (ownsSettings_) QSettings(ConfigFile(), QSettings::NativeFormat).remove("");
  }
#endif
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  void Start(const QStringList& arguments = {}) {
    process_.start(ORVANEL_EXECUTABLE, arguments);
    ASSERT_TRUE(process_.waitForStarted(kBeyondAnyLoadMilliseconds));
  }

  QProcess& Process() {
    return process_;
  }
  // What another copy started by the same user shares with this one: its
  // settings and its runtime folder (on Windows, wine's user has one of each).
  std::map<QString, QString> SameUser() const {
#ifdef Q_OS_WIN
    return {};
#else
    return {{"XDG_CONFIG_HOME", folder_.path()}, {"XDG_RUNTIME_DIR", runtime_.path()}};
#endif
  }
#ifdef Q_OS_WIN
  static QString ConfigFile() {
    return "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Orvanel";
  }
  double Saved(const std::string& key) const {
    const QString text = QSettings(ConfigFile(), QSettings::NativeFormat)
                             .value(QString::fromStdString("History/" + key))
                             .toString();
    return ReadNumber(text.toStdString());
  }
#else
  QString ConfigFile() const {
    return folder_.filePath("Orvanel/Orvanel.conf");
  }
  QByteArray Bytes() const {
    QFile file(ConfigFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  // A saved value as the next run reads it.
  double Saved(const std::string& key) const {
    const QByteArray bytes = Bytes();
    const auto values = ReadSettingsFile(std::string_view(bytes.constData(), bytes.size()),
                                         HistorySection().section, HistorySection().keys)
                            .values;
    const auto found = values.find(key);
    return found == values.end() ? 0.0 : ReadNumber(found->second);
  }
#endif
  std::string Errors() {
    return process_.readAllStandardError().toStdString();
  }

#ifndef Q_OS_WIN
  // Waits until the program's window is up and its event loop answers (it
  // answers a later copy's request to come forward): true then, false when
  // the program ended first.
  bool WaitUntilRunning() {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(runtime_.filePath("orvanel.socket"));
    if (name.size() >= static_cast<int>(sizeof address.sun_path)) return false;
    std::copy(name.begin(), name.end(), address.sun_path);
    QElapsedTimer waited;
    waited.start();
    while (process_.state() != QProcess::NotRunning &&
           waited.elapsed() < kBeyondAnyLoadMilliseconds) {
      const int asking = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
      char answer = 0;
      const bool answered =
          ::connect(asking, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
          ::read(asking, &answer, 1) == 1;
      ::close(asking);
      if (answered) return true;
      process_.waitForFinished(20);
    }
    return false;
  }

  // Sends the signal and waits for the end, which must come however the save
  // went: nobody is there to click. (How long a save may wait then is the
  // window tests' to check: the unattended patience.)
  void SignalAndWait(int signal) {
    ::kill(static_cast<pid_t>(process_.processId()), signal);
    ASSERT_TRUE(process_.waitForFinished(kBeyondAnyLoadMilliseconds))
        << "the program waits for something";
    EXPECT_EQ(process_.exitStatus(), QProcess::NormalExit) << "ended by the signal itself";
  }
#endif

 private:
#ifndef Q_OS_WIN
  static void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QTemporaryDir folder_;
  QTemporaryDir runtime_;
#else
  bool ownsSettings_ = true;
#endif
  QProcess process_;
};

}  // namespace orvanel::testing
