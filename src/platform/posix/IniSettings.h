// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "base/SettingsStore.h"

namespace rtv {

enum class IniPersistence {
  kReadOnly,   // changes stay in memory (the command-line tool)
  kWriteBack,  // Flush writes the file whole (the program)
};

// The program's settings in the INI file under the XDG config folder, in the format Qt's
// QSettings writes, so that files of earlier versions read as they were. Read once, from a
// plain file of bounded size only: a pipe, a device or a huge file gives empty settings and
// a problem to tell, never a hang.
class IniSettings : public SettingsStore {
 public:
  static constexpr std::size_t kMaxFileBytes = 1024 * 1024;

  // ~/.config/Vrel/RT-V612.conf, or under $XDG_CONFIG_HOME.
  static std::string DefaultPath();
  // A file that does not exist gives empty settings.
  explicit IniSettings(const std::string& path,
                       IniPersistence persistence = IniPersistence::kReadOnly);

  // Why the file was not read ("<path> is a folder, not a file"); empty when it was read or
  // did not exist.
  const std::string& LoadProblem() const { return loadProblem_; }
  // Why the last Flush did not write the file; empty when it did.
  const std::string& SaveProblem() const { return saveProblem_; }
  // The whole file as Flush writes it.
  std::string Text() const;

  std::optional<int> ReadInt(const std::string& group, const std::string& name) const override;
  std::optional<std::string> ReadString(const std::string& group,
                                        const std::string& name) const override;
  void WriteInt(const std::string& group, const std::string& name, int value) override;
  void WriteString(const std::string& group, const std::string& name,
                   const std::string& value) override;
  bool HasGroup(const std::string& group) const override;
  std::vector<std::string> ValueNames(const std::string& group) const override;
  void DeleteGroup(const std::string& group) override;
  // With kWriteBack, replaces the file through the safe save; otherwise nothing.
  void Flush() override;

 private:
  std::string path_;
  IniPersistence persistence_;
  std::map<std::string, std::string> values_;  // "group/name" to text
  std::string loadProblem_;
  std::string saveProblem_;
};

}  // namespace rtv
