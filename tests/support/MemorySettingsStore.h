// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <variant>

#include "base/SettingsStore.h"

namespace rtv::test {

// Settings held in a map of "group/name" keys.
class MemorySettingsStore : public SettingsStore {
 public:
  std::optional<int> ReadInt(const std::string& group, const std::string& name) const override;
  std::optional<std::string> ReadString(const std::string& group,
                                        const std::string& name) const override;
  void WriteInt(const std::string& group, const std::string& name, int value) override;
  void WriteString(const std::string& group, const std::string& name,
                   const std::string& value) override;
  bool HasGroup(const std::string& group) const override;
  std::vector<std::string> ValueNames(const std::string& group) const override;
  void DeleteGroup(const std::string& group) override;
  void Flush() override { ++flushes; }

  std::map<std::string, std::variant<int, std::string>> values;
  int flushes = 0;
};

}  // namespace rtv::test
