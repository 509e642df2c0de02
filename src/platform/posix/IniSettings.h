// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>

#include "base/SettingsStore.h"

namespace rtv {

// The program's settings as the desktop application stores them: the INI file that Qt
// writes under the XDG config folder. Read once; changes stay in memory.
class IniSettings : public SettingsStore {
 public:
  // ~/.config/Vrel/RT-V612.conf, or under $XDG_CONFIG_HOME.
  static std::string DefaultPath();
  // A file that does not exist gives empty settings.
  explicit IniSettings(const std::string& path);

  std::optional<int> ReadInt(const std::string& group, const std::string& name) const override;
  std::optional<std::string> ReadString(const std::string& group,
                                        const std::string& name) const override;
  void WriteInt(const std::string& group, const std::string& name, int value) override;
  void WriteString(const std::string& group, const std::string& name,
                   const std::string& value) override;
  bool HasGroup(const std::string& group) const override;
  std::vector<std::string> ValueNames(const std::string& group) const override;
  void DeleteGroup(const std::string& group) override;
  void Flush() override {}

 private:
  std::map<std::string, std::string> values_;  // "group/name" to text
};

}  // namespace rtv
