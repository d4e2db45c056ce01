// One QApplication for every Qt test, on the offscreen platform unless the caller chose another.

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

QtMessageHandler qtDefaultHandler = nullptr;

// The offscreen platform says so whenever a window is raised or sized; that is not news.
void QuietOffscreenHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith("This plugin does not support")) return;
  if (qtDefaultHandler) qtDefaultHandler(type, context, text);
}

class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qtDefaultHandler = qInstallMessageHandler(QuietOffscreenHandler);
    app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    app_.reset();
  }

 private:
  int argc_ = 1;
  char name_[16] = "korvane_qt";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

// Registered before gtest_main runs the tests; gtest owns the environment.
[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace
