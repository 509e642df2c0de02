// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtPrompts.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace rtv {
namespace {

QMessageBox::Icon ToQtIcon(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::Information:
      return QMessageBox::Information;
    case PromptIcon::Warning:
      return QMessageBox::Warning;
    case PromptIcon::Error:
      return QMessageBox::Critical;
    case PromptIcon::Question:
      return QMessageBox::Question;
    case PromptIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case PromptButtons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

QString StartPath(const FileDialogRequest& request) {
  if (request.fileName.empty()) return QString::fromStdString(request.folder);
  return QDir(QString::fromStdString(request.folder))
      .filePath(QString::fromStdString(request.fileName));
}

std::optional<std::string> Chosen(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

}  // namespace

QString ToQtFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList entries;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString label = parts[i];
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ').replace("*.*", "*");
    if (!label.contains('(')) label += " (" + patterns + ")";
    entries << label;
  }
  return entries.join(";;");
}

PromptAnswer QtPrompts::Message(const std::string& text, const std::string& caption,
                                PromptIcon icon, PromptButtons buttons) {
  if (stopped_) return PromptAnswer::Cancel;
  // A long report (an import's refused cells) would make the box taller than the screen and
  // hide its buttons: its first lines show, all of it scrolls in the details.
  QString shown = QString::fromStdString(text);
  const QStringList lines = shown.split('\n');
  const bool longText = lines.size() > kMaxMessageLines;
  if (longText) {
    shown = QStringList(lines.mid(0, kMaxMessageLines)).join('\n') + "\n…";
  }
  QMessageBox box(ToQtIcon(icon), QString::fromStdString(caption), shown, ToQtButtons(buttons),
                  owner_.data());
  if (longText) box.setDetailedText(QString::fromStdString(text));
  const int answer = box.exec();
  if (stopped_) return PromptAnswer::Cancel;
  switch (answer) {
    case QMessageBox::Yes:
      return PromptAnswer::Yes;
    case QMessageBox::No:
      return PromptAnswer::No;
    case QMessageBox::Cancel:
      return PromptAnswer::Cancel;
    default:
      break;
  }
  // Closing a box without a Cancel button counts as its only other answer.
  return buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Ok;
}

std::optional<std::string> QtPrompts::OpenFileName(const FileDialogRequest& request) {
  if (stopped_) return std::nullopt;
  const QString path =
      QFileDialog::getOpenFileName(owner_.data(), QString::fromStdString(request.title),
                                   StartPath(request), ToQtFilter(request.filter));
  if (stopped_) return std::nullopt;
  return Chosen(path);
}

std::optional<std::string> QtPrompts::SaveFileName(const FileDialogRequest& request) {
  QFileDialog dialog(owner_.data(), QString::fromStdString(request.title), StartPath(request),
                     ToQtFilter(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  if (stopped_ || dialog.exec() != QDialog::Accepted || stopped_ ||
      dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return Chosen(dialog.selectedFiles().first());
}

}  // namespace rtv
