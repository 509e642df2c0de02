// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace rtv {

// Typed values in named groups, like registry keys with DWORD and string values.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<int> ReadInt(const std::string& group, const std::string& name) const = 0;
  virtual std::optional<std::string> ReadString(const std::string& group,
                                                const std::string& name) const = 0;
  virtual void WriteInt(const std::string& group, const std::string& name, int value) = 0;
  virtual void WriteString(const std::string& group, const std::string& name,
                           const std::string& value) = 0;
  virtual bool HasGroup(const std::string& group) const = 0;
  virtual std::vector<std::string> ValueNames(const std::string& group) const = 0;
  // Removes the group, its values and every group below it ("a/b" is below "a").
  virtual void DeleteGroup(const std::string& group) = 0;
  virtual void Flush() = 0;
};

}  // namespace rtv
