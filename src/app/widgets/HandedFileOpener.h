// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace rtv {

class FileCommands;
class QtInstanceChannel;

// The running copy's side of a second start: brings the window forward and opens the file
// it was handed as File > Open would (asking before unsaved changes are lost). While a
// radio exchange or a dialog holds the window the file waits for it.
class HandedFileOpener : public QObject {
  Q_OBJECT

 public:
  HandedFileOpener(QtInstanceChannel& channel, QWidget& window, FileCommands& files);

  void Take(const QString& file);

 private:
  void OpenWhenFree();

  QPointer<QWidget> window_;
  FileCommands& files_;
  QStringList pending_;
  bool scheduled_ = false;
};

}  // namespace rtv
