#include "toolkit/qt/QtToolkit.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <chrono>
#include <cstdlib>

#include "toolkit/qt/QtFileFilter.h"
#include "toolkit/qt/QtPicture.h"
#include "toolkit/qt/QtPictureFile.h"
#include "toolkit/qt/QtUnits.h"
#include "toolkit/qt/QtWindow.h"

namespace korvane::qt {

namespace {

QString TitleOrApplication(const std::string& title) {
  return QString::fromStdString(title.empty() ? std::string(toolkit::kApplicationTitle) : title);
}

std::string ToLocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace

QtToolkit::QtToolkit(std::string commandLine, std::string executableFolder)
    : commandLine_(std::move(commandLine)), executableFolder_(std::move(executableFolder)) {}

std::unique_ptr<toolkit::Window> QtToolkit::CreateWindow(toolkit::WindowKind kind,
                                                         const std::string& caption,
                                                         float clientWidth, float clientHeight) {
  return std::make_unique<QtWindow>(kind, caption, clientWidth, clientHeight);
}

toolkit::MessageResult QtToolkit::MessageBox(const std::string& prompt,
                                             toolkit::MessageButtons buttons,
                                             const std::string& title) {
  QMessageBox::StandardButtons shown = QMessageBox::Yes | QMessageBox::No;
  if (buttons == toolkit::MessageButtons::YesNoCancel) shown |= QMessageBox::Cancel;
  QMessageBox box(QMessageBox::NoIcon, TitleOrApplication(title), QString::fromStdString(prompt),
                  shown);
  box.setDefaultButton(QMessageBox::Yes);
  box.exec();
  const QAbstractButton* clicked = box.clickedButton();
  if (clicked == box.button(QMessageBox::Yes)) return toolkit::MessageResult::Yes;
  // Closing a Yes/No box can only mean No; a Yes/No/Cancel box closed means Cancel.
  if (clicked == box.button(QMessageBox::No) || buttons == toolkit::MessageButtons::YesNo)
    return toolkit::MessageResult::No;
  return toolkit::MessageResult::Cancel;
}

void QtToolkit::ReportFailure(const std::string& message) {
  QMessageBox box(QMessageBox::Warning, TitleOrApplication(""), QString::fromStdString(message),
                  QMessageBox::Ok);
  box.exec();
}

std::string QtToolkit::InputBox(const std::string& prompt, const std::string& title) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(nullptr, TitleOrApplication(title), QString::fromStdString(prompt),
                            QLineEdit::Normal, QString(), &ok);
  return ok ? text.toStdString() : std::string();
}

std::optional<std::string> QtToolkit::FileDialog(const toolkit::FileDialogSpec& request) {
  const bool save = request.mode == toolkit::FileDialogMode::Save;
  QFileDialog dialog(nullptr, QString::fromStdString(save ? "Save As" : "Open"));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode((!save && (request.flags & kFileMustExist)) ? QFileDialog::ExistingFile
                                                                 : QFileDialog::AnyFile);
  if (save && !(request.flags & kOverwritePrompt))
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setNameFilter(ToQtFilter(request.filter));
  if (save && !request.extensionFromFilter) {
    QString suffix = QString::fromStdString(request.defaultExtension);
    if (suffix.startsWith('.')) suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  QString chosen = dialog.selectedFiles().constFirst();
  if (chosen.isEmpty()) return std::nullopt;
  if (save) {
    std::string extension = request.defaultExtension;
    // "Tiled JSON Map (*.tmj)" gives ".tmj".
    const QString filter = dialog.selectedNameFilter();
    if (const qsizetype star = filter.indexOf("*."); request.extensionFromFilter && star >= 0) {
      qsizetype end = star + 1;
      while (end < filter.size() && filter[end] != ' ' && filter[end] != ')') ++end;
      extension = filter.mid(star + 1, end - star - 1).toStdString();
    }
    chosen = WithDefaultExtension(chosen, extension);
  }
  return ToLocalPath(chosen);
}

toolkit::PicturePtr QtToolkit::LoadPicture(const std::string& path) {
  if (path.empty()) return nullptr;
  std::string why;  // a refused picture is silent in the editor
  return PictureFromFile(path, why);
}

toolkit::PicturePtr QtToolkit::PictureFromImage(const toolkit::RgbImage& image) {
  return qt::PictureFromImage(image);
}

toolkit::PixelRows<const uint32_t> QtToolkit::PicturePixels(const toolkit::Picture& picture) {
  return qt::PicturePixels(picture);
}

std::string QtToolkit::ExecutableFolder() const {
  if (!executableFolder_.empty()) return executableFolder_;
  return ToLocalPath(QCoreApplication::applicationDirPath());
}

std::string QtToolkit::EnvironmentVariable(const std::string& name) const {
  const char* value = std::getenv(name.c_str());
  return value ? value : "";
}

float QtToolkit::ScreenWidth() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? static_cast<float>(screen->geometry().width() * ScreenTwipsPerPixelX()) : 0.0f;
}

float QtToolkit::ScreenHeight() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? static_cast<float>(screen->geometry().height() * ScreenTwipsPerPixelY()) : 0.0f;
}

void QtToolkit::DoEvents() {
  QCoreApplication::processEvents();
}

void QtToolkit::RunLater(std::function<void()> work) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

void QtToolkit::SeedRandomFromTimer() {
  random_.Seed(static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

float QtToolkit::Random() {
  return random_.NextUnitFloat();
}

void QtToolkit::RandomFill(std::span<float> out) {
  for (float& v : out) v = random_.NextUnitFloat();
}

void QtToolkit::Quit() {
  QueueQuit();
}

}  // namespace korvane::qt
