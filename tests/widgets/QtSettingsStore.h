// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>

#include "base/SettingsStore.h"

namespace rtv {

// Settings in QSettings: an INI file under the XDG config folder on Linux, the registry
// on Windows.
class QtSettingsStore : public SettingsStore {
 public:
  QtSettingsStore();  // QSettings("Vrel", "RT-V612")
  explicit QtSettingsStore(const QString& iniFile);

  std::optional<int> ReadInt(const std::string& group, const std::string& name) const override;
  std::optional<std::string> ReadString(const std::string& group,
                                        const std::string& name) const override;
  void WriteInt(const std::string& group, const std::string& name, int value) override;
  void WriteString(const std::string& group, const std::string& name,
                   const std::string& value) override;
  bool HasGroup(const std::string& group) const override;
  std::vector<std::string> ValueNames(const std::string& group) const override;
  void DeleteGroup(const std::string& group) override;
  void Flush() override;

  QString FileName() const { return settings_.fileName(); }

 private:
  mutable QSettings settings_;
};

}  // namespace rtv
