// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace rtv::test {

// Points the runtime folder, where the instance lock and its socket live, at a fresh folder
// for one test.
class RuntimeFolder {
 public:
  RuntimeFolder() : saved_(qgetenv("XDG_RUNTIME_DIR")) {
    QFile::setPermissions(folder_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", folder_.path().toLocal8Bit());
  }
  ~RuntimeFolder() { qputenv("XDG_RUNTIME_DIR", saved_); }
  RuntimeFolder(const RuntimeFolder&) = delete;
  RuntimeFolder& operator=(const RuntimeFolder&) = delete;
  QString Path() const { return folder_.path(); }

 private:
  QTemporaryDir folder_;
  QByteArray saved_;
};

}  // namespace rtv::test
