// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/IniSettings.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/posix/RegularFile.h"
#include "platform/posix/SafeSave.h"

namespace rtv {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Qt writes "%20" for a space and "\" for "/" in section and key names.
std::string UnescapeKey(const std::string& key) {
  std::string out;
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (key[i] == '\\') {
      out += '/';
    } else if (key[i] == '%' && i + 2 < key.size() && HexValue(key[i + 1]) >= 0 &&
               HexValue(key[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(key[i + 1]) * 16 + HexValue(key[i + 2]));
      i += 2;
    } else {
      out += key[i];
    }
  }
  return out;
}

// A value: quoted parts lose their quotes, backslash escapes are undone.
std::string UnescapeValue(const std::string& value) {
  std::string out;
  bool quoted = false;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (c == '\\' && i + 1 < value.size()) {
      const char next = value[++i];
      switch (next) {
        case 'n':
          out += '\n';
          break;
        case 't':
          out += '\t';
          break;
        case 'r':
          out += '\r';
          break;
        case '0':
          out += '\0';
          break;
        default:
          out += next;
          break;
      }
    } else {
      out += c;
    }
  }
  if (out.rfind("@@", 0) == 0) out.erase(0, 1);
  return out;
}

// Qt's spelling of section and key names: "%20" for a space, "\\" for the "/" of a subgroup.
std::string EscapeKey(const std::string& key) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : key) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '/') {
      out += '\\';
    } else if (std::isalnum(byte) != 0 || c == '_' || c == '-' || c == '.') {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out;
}

// Backslash escapes for what would end or change the line, quotes where blanks or
// separators would be lost, and "@@" where a leading "@" would mark a type.
std::string EscapeValue(const std::string& value) {
  std::string out = value.starts_with('@') ? "@" : "";
  bool quote = !value.empty() && (value.front() == ' ' || value.back() == ' ');
  for (const char c : value) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\0':
        out += "\\0";
        break;
      default:
        quote = quote || c == ',' || c == ';' || c == '=';
        out += c;
        break;
    }
  }
  return quote ? '"' + out + '"' : out;
}

}  // namespace

std::string IniSettings::DefaultPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string folder;
  if (config != nullptr && *config != '\0') {
    folder = config;
  } else {
    const char* home = std::getenv("HOME");
    folder = std::string(home != nullptr ? home : ".") + "/.config";
  }
  return folder + "/Vrel/RT-V612.conf";
}

IniSettings::IniSettings(const std::string& path, IniPersistence persistence)
    : path_(path), persistence_(persistence) {
  const RegularFileText file = ReadRegularFile(path, kMaxFileBytes);
  if (!file.Ok()) {
    if (file.status != RegularFileStatus::kMissing) {
      loadProblem_ = path + " " + DescribeRegularFileStatus(file.status, file.error, kMaxFileBytes);
    }
    return;
  }
  std::istringstream in(file.contents);
  std::string line;
  std::string group = "General";
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      group = UnescapeKey(line.substr(1, line.size() - 2));
      continue;
    }
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string name = UnescapeKey(Trim(line.substr(0, equals)));
    values_[group + "/" + name] = UnescapeValue(Trim(line.substr(equals + 1)));
  }
}

std::optional<int> IniSettings::ReadInt(const std::string& group, const std::string& name) const {
  const auto text = ReadString(group, name);
  if (!text || text->empty()) return std::nullopt;
  char* end = nullptr;
  const long value = std::strtol(text->c_str(), &end, 10);
  if (*end != '\0' || value < -2147483647L || value > 2147483647L) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<std::string> IniSettings::ReadString(const std::string& group,
                                                   const std::string& name) const {
  const auto it = values_.find(group + "/" + name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

void IniSettings::WriteInt(const std::string& group, const std::string& name, int value) {
  values_[group + "/" + name] = std::to_string(value);
}

void IniSettings::WriteString(const std::string& group, const std::string& name,
                              const std::string& value) {
  values_[group + "/" + name] = value;
}

bool IniSettings::HasGroup(const std::string& group) const {
  const std::string prefix = group + "/";
  const auto it = values_.lower_bound(prefix);
  return it != values_.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

std::vector<std::string> IniSettings::ValueNames(const std::string& group) const {
  const std::string prefix = group + "/";
  std::vector<std::string> names;
  for (auto it = values_.lower_bound(prefix);
       it != values_.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
    const std::string rest = it->first.substr(prefix.size());
    if (rest.find('/') == std::string::npos) names.push_back(rest);
  }
  return names;
}

void IniSettings::DeleteGroup(const std::string& group) {
  const std::string prefix = group + "/";
  for (auto it = values_.lower_bound(prefix);
       it != values_.end() && it->first.compare(0, prefix.size(), prefix) == 0;) {
    it = values_.erase(it);
  }
}

std::string IniSettings::Text() const {
  std::string text;
  std::string group;
  for (const auto& [key, value] : values_) {
    const auto slash = key.find('/');
    const std::string section = key.substr(0, slash);
    if (text.empty() || section != group) {
      if (!text.empty()) text += '\n';
      text += "[" + EscapeKey(section) + "]\n";
      group = section;
    }
    text += EscapeKey(key.substr(slash + 1)) + "=" + EscapeValue(value) + "\n";
  }
  return text;
}

void IniSettings::Flush() {
  if (persistence_ != IniPersistence::kWriteBack) return;
  // The first save of a new user makes the folder, as the desktop's own settings do.
  std::error_code ignored;
  const std::filesystem::path folder = std::filesystem::path(path_).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
  int error = 0;
  const SafeSaveResult saved = SafeSave(path_, Text(), &error);
  saveProblem_ = saved == SafeSaveResult::kOk ? std::string()
                                              : path_ + " " + DescribeSafeSaveFailure(saved, error);
}

}  // namespace rtv
