// korvane-cli: inspect, check, render and exchange Korvane maps without the editor window.

#include <unistd.h>

#include <QApplication>
#include <QtGlobal>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/cli/CliCommands.h"
#include "toolkit/posix/PosixFileSystem.h"
#include "toolkit/posix/StandardOutput.h"
#include "toolkit/qt/QtImaging.h"

namespace {

// Qt's own chatter about the off-screen platform would drown the one-sentence errors that
// pipelines read; only its fatal messages get through.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg || type == QtCriticalMsg)
    std::cerr << "korvane-cli: " << message.toStdString() << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  korvane::toolkit::KeepStandardDescriptors();
  korvane::toolkit::EndQuietlyWhenThePipeCloses();
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::unique_ptr<QApplication> app;
  if (korvane::cli::NeedsPictures(args)) {
    // Pictures are drawn into images of their own; nothing needs to reach a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtMessages);
    static int qtArgc = 1;
    app = std::make_unique<QApplication>(qtArgc, argv);
  }

  korvane::toolkit::PosixFileSystem files;
  korvane::toolkit::DescriptorBuffer standardOutput(STDOUT_FILENO);
  std::ostream out(&standardOutput);
  korvane::qt::QtImaging imaging;
  korvane::cli::CliContext context{
      out, std::cerr, files, imaging, isatty(STDERR_FILENO) == 1, [&standardOutput] {
        return standardOutput.Problem();
      }};
  return korvane::cli::RunCli(args, context);
}
