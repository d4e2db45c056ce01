#include "toolkit/qt/QtFileFilter.h"

#include <QFileInfo>
#include <QStringList>

namespace korvane::qt {

QString ToQtFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    const QString patterns = parts[i + 1].split(';', Qt::SkipEmptyParts).join(' ').trimmed();
    if (patterns.isEmpty()) continue;
    const QString shown = "(" + patterns + ")";
    if (description.endsWith(shown))
      entries << description;
    else if (description.isEmpty())
      entries << shown;
    else
      entries << description + " " + shown;
  }
  return entries.join(";;");
}

QString WithDefaultExtension(const QString& path, const std::string& defaultExtension) {
  QString extension = QString::fromStdString(defaultExtension).trimmed();
  if (extension.startsWith('.')) extension.remove(0, 1);
  if (extension.isEmpty() || path.isEmpty()) return path;
  const QString name = QFileInfo(path).fileName();
  if (name.isEmpty() || name.contains('.')) return path;
  return path + "." + extension;
}

}  // namespace korvane::qt
