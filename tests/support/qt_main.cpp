// The main() of every test executable that needs Qt: the application object
// its tests need (with widgets, offscreen, where ORVANEL_TEST_WIDGETS is set;
// Qt Core's alone elsewhere), then every test.
#include <gtest/gtest.h>

#ifdef ORVANEL_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv) {
#ifdef ORVANEL_TEST_WIDGETS
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
  TestApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
