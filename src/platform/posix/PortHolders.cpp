// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/PortHolders.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace rtv {
namespace {

namespace fs = std::filesystem;

bool IsPid(const std::string& name) {
  return !name.empty() && name.size() < 10 && std::all_of(name.begin(), name.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
  });
}

std::string CommandName(const fs::path& process) {
  std::ifstream in(process / "comm");
  std::string name;
  std::getline(in, name);
  return name.empty() ? "an unnamed process" : name;
}

bool HasOpen(const fs::path& process, const fs::path& device) {
  std::error_code error;
  for (fs::directory_iterator it(process / "fd", error), end; !error && it != end;
       it.increment(error)) {
    std::error_code readError;
    const fs::path target = fs::read_symlink(it->path(), readError);
    if (!readError && target == device) return true;
  }
  return false;
}

}  // namespace

std::vector<PortHolder> FindPortHolders(const std::string& devicePath,
                                        const std::string& procRoot) {
  std::error_code error;
  fs::path device = fs::canonical(devicePath, error);
  if (error) device = devicePath;
  const std::string self = std::to_string(::getpid());
  std::vector<PortHolder> holders;
  for (fs::directory_iterator it(procRoot, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (!IsPid(name) || name == self || !HasOpen(it->path(), device)) continue;
    holders.push_back({std::stoi(name), CommandName(it->path())});
  }
  std::sort(holders.begin(), holders.end(),
            [](const PortHolder& a, const PortHolder& b) { return a.pid < b.pid; });
  return holders;
}

std::string DescribePortHolders(const std::string& devicePath,
                                const std::vector<PortHolder>& holders) {
  if (holders.empty()) return {};
  std::string names;
  for (std::size_t i = 0; i < holders.size(); ++i) {
    if (i > 0) names += i + 1 == holders.size() ? " and " : ", ";
    names += holders[i].name + " (pid " + std::to_string(holders[i].pid) + ")";
  }
  const char* const what =
      holders.size() == 1 ? "it, or stop that service" : "them, or stop those services";
  return devicePath + " is open in " + names + ". Close " + what + ", and try again.";
}

}  // namespace rtv
