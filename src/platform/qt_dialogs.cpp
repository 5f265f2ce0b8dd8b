#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QString>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

}  // namespace

std::string QtFileFilter(const std::string& filter) {
  std::vector<std::string> parts = Split(filter, '|');
  std::string result;
  for (size_t i = 0; i < parts.size(); i += 2) {
    const std::string& description = parts[i];
    std::string pattern = i + 1 < parts.size() ? parts[i + 1] : parts[i];
    if (pattern.empty()) continue;
    // Windows separates the patterns of one entry with ';', Qt with spaces.
    for (char& c : pattern)
      if (c == ';') c = ' ';
    std::string entry;
    if (description.empty() || description == parts[i + 1 < parts.size() ? i + 1 : i])
      entry = pattern;
    else if (description.ends_with("(" + pattern + ")"))
      entry = description;
    else
      entry = description + " (" + pattern + ")";
    if (!result.empty()) result += ";;";
    result += entry;
  }
  return result;
}

std::string WithDefaultSuffix(const std::string& fileName, const std::string& defaultSuffix) {
  std::string suffix = defaultSuffix;
  if (!suffix.empty() && suffix.front() == '.') suffix.erase(0, 1);
  if (fileName.empty() || suffix.empty()) return fileName;
  size_t slash = fileName.rfind('/');
  std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
  if (base.find('.') != std::string::npos) return fileName;
  return fileName + "." + suffix;
}

std::string QtDialogBackend::ChooseFolder(const std::string& startFolder,
                                          const std::string& caption) {
  QString folder = QFileDialog::getExistingDirectory(
      QApplication::activeWindow(), QString::fromStdString(caption),
      QString::fromStdString(startFolder), QFileDialog::ShowDirsOnly);
  return folder.toStdString();
}

std::string QtDialogBackend::ChooseSaveFile(const std::string& title, const std::string& filter,
                                            const std::string& defaultSuffix) {
  QString name =
      QFileDialog::getSaveFileName(QApplication::activeWindow(), QString::fromStdString(title),
                                   QString(), QString::fromStdString(QtFileFilter(filter)));
  return WithDefaultSuffix(name.toStdString(), defaultSuffix);
}
