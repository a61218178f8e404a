// The built program as a whole, started as a child process.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

#include "number_reader.h"

namespace {

#ifdef Q_OS_UNIX
class ProgramTest : public ::testing::TestWithParam<int> {};

TEST_P(ProgramTest, ASignalClosesTheProgramWithTheTallySaved) {
  QTemporaryDir settings;
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("XDG_CONFIG_HOME", settings.path());
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  program.setProcessEnvironment(environment);
  program.start(ORVANEL_EXECUTABLE, {});
  ASSERT_TRUE(program.waitForStarted(10000));
  QThread::msleep(1500);  // let it run some trials
  ASSERT_EQ(program.state(), QProcess::Running) << program.readAllStandardError().toStdString();
  ::kill(static_cast<pid_t>(program.processId()), GetParam());
  ASSERT_TRUE(program.waitForFinished(10000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();

  QSettings saved(settings.filePath("Orvanel/Orvanel.conf"), QSettings::IniFormat);
  const double total = orvanel::ReadNumber(saved.value("History/Total").toString().toStdString());
  const double hits = orvanel::ReadNumber(saved.value("History/Hits").toString().toStdString());
  const double estimate = orvanel::ReadNumber(saved.value("History/Estimate").toString().toStdString());
  EXPECT_GT(total, 0);
  EXPECT_LE(hits, total);
  EXPECT_GT(estimate, 2.4);
}

INSTANTIATE_TEST_SUITE_P(Signals, ProgramTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& info) {
                           return info.param == SIGTERM ? "Term" : info.param == SIGINT ? "Int" : "Hangup";
                         });
#endif

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
