// The built program as a whole, started as a child process with its settings in
// a folder of its own.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <random>
#include <string>
#include <tuple>

#include "number_reader.h"

namespace {

#ifdef Q_OS_UNIX
// What the settings folder holds before the program starts.
enum class Settings { kFine, kUnwritable, kDamaged };

class Program {
 public:
  explicit Program(Settings settings) {
    if (settings == Settings::kUnwritable) {
      // The folder the file needs is a regular file: unwritable even for root.
      Write(folder_.filePath("Orvanel"), "not a folder");
    } else if (settings == Settings::kDamaged) {
      QDir(folder_.path()).mkpath("Orvanel");
      std::mt19937 engine(7);
      QByteArray bytes;
      for (int i = 0; i < 4000; ++i) bytes.append(static_cast<char>(engine()));
      Write(ConfigFile(), bytes);
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", folder_.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process_.setProcessEnvironment(environment);
    process_.start(ORVANEL_EXECUTABLE, {});
  }

  QProcess& Process() { return process_; }
  QString ConfigFile() const { return folder_.filePath("Orvanel/Orvanel.conf"); }
  double Saved(const char* key) const {
    QSettings saved(ConfigFile(), QSettings::IniFormat);
    return orvanel::ReadNumber(saved.value(QString("History/") + key).toString().toStdString());
  }

 private:
  static void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QTemporaryDir folder_;
  QProcess process_;
};

// Runs the program for a while, sends the signal and waits for the end, which
// must come within 2 seconds however the save went: nobody is there to click.
void RunThenSignal(Program& program, int signal) {
  QProcess& process = program.Process();
  ASSERT_TRUE(process.waitForStarted(10000));
  QThread::msleep(1500);  // let it run some trials
  ASSERT_EQ(process.state(), QProcess::Running) << process.readAllStandardError().toStdString();
  QElapsedTimer clock;
  clock.start();
  ::kill(static_cast<pid_t>(process.processId()), signal);
  ASSERT_TRUE(process.waitForFinished(10000));
  EXPECT_LT(clock.elapsed(), 2000) << "the program waited for something after the signal";
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
}

class Signals : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(Signals, EndTheProgramWithTheTallySavedOrTheFailureReported) {
  const auto [signal, store_refuses] = GetParam();
  Program program(store_refuses ? Settings::kUnwritable : Settings::kFine);
  RunThenSignal(program, signal);
  const std::string errors = program.Process().readAllStandardError().toStdString();
  if (store_refuses) {
    EXPECT_NE(program.Process().exitCode(), 0);
    EXPECT_NE(errors.find("Orvanel: The tally (Estimate, Total and Hits) could not be saved in " +
                          program.ConfigFile().toStdString() +
                          ": the settings could not be written there."),
              std::string::npos)
        << errors;
    return;
  }
  EXPECT_EQ(program.Process().exitCode(), 0) << errors;
  const double total = program.Saved("Total");
  EXPECT_GT(total, 0);
  EXPECT_LE(program.Saved("Hits"), total);
  EXPECT_GT(program.Saved("Estimate"), 2.4);
}

INSTANTIATE_TEST_SUITE_P(Table, Signals,
                         ::testing::Combine(::testing::Values(SIGTERM, SIGINT, SIGHUP),
                                            ::testing::Bool()),
                         [](const auto& info) {
                           const int signal = std::get<0>(info.param);
                           const std::string name = signal == SIGTERM  ? "Term"
                                                    : signal == SIGINT ? "Int"
                                                                       : "Hangup";
                           return name + (std::get<1>(info.param) ? "WithAFailingSave" : "");
                         });

// The user is told of the damaged file in a message that waits for a click;
// a signal still ends the program at once, and the save counts as done.
TEST(DamagedSettings, StartFromZeroAndAreReplacedByTheSavedTally) {
  Program program(Settings::kDamaged);
  RunThenSignal(program, SIGTERM);
  const std::string errors = program.Process().readAllStandardError().toStdString();
  EXPECT_EQ(program.Process().exitCode(), 0) << errors;
  EXPECT_NE(errors.find("the file is damaged"), std::string::npos) << errors;
  EXPECT_GT(program.Saved("Total"), 0);
  EXPECT_LT(program.Saved("Total"), 10'000'000) << "counted from zero in this run";
}
#endif

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
