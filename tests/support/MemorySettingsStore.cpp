// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemorySettingsStore.h"

namespace rtv::test {

std::optional<int> MemorySettingsStore::ReadInt(const std::string& group,
                                                const std::string& name) const {
  const auto it = values.find(group + "/" + name);
  if (it == values.end() || !std::holds_alternative<int>(it->second)) return std::nullopt;
  return std::get<int>(it->second);
}

std::optional<std::string> MemorySettingsStore::ReadString(const std::string& group,
                                                           const std::string& name) const {
  const auto it = values.find(group + "/" + name);
  if (it == values.end()) return std::nullopt;
  if (const auto* text = std::get_if<std::string>(&it->second)) return *text;
  return std::to_string(std::get<int>(it->second));
}

void MemorySettingsStore::WriteInt(const std::string& group, const std::string& name, int value) {
  values[group + "/" + name] = value;
}

void MemorySettingsStore::WriteString(const std::string& group, const std::string& name,
                                      const std::string& value) {
  values[group + "/" + name] = value;
}

bool MemorySettingsStore::HasGroup(const std::string& group) const {
  const std::string prefix = group + "/";
  const auto it = values.lower_bound(prefix);
  return it != values.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

std::vector<std::string> MemorySettingsStore::ValueNames(const std::string& group) const {
  const std::string prefix = group + "/";
  std::vector<std::string> names;
  for (auto it = values.lower_bound(prefix);
       it != values.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
    const std::string rest = it->first.substr(prefix.size());
    if (rest.find('/') == std::string::npos) names.push_back(rest);
  }
  return names;
}

void MemorySettingsStore::DeleteGroup(const std::string& group) {
  const std::string prefix = group + "/";
  for (auto it = values.lower_bound(prefix);
       it != values.end() && it->first.compare(0, prefix.size(), prefix) == 0;) {
    it = values.erase(it);
  }
}

}  // namespace rtv::test
