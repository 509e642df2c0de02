// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtSettingsStore.h"

namespace rtv {
namespace {

QString Key(const std::string& group, const std::string& name) {
  return QString::fromStdString(group + "/" + name);
}

}  // namespace

QtSettingsStore::QtSettingsStore() : settings_("Vrel", "RT-V612") {}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : settings_(iniFile, QSettings::IniFormat) {}

std::optional<int> QtSettingsStore::ReadInt(const std::string& group,
                                            const std::string& name) const {
  const QVariant value = settings_.value(Key(group, name));
  if (!value.isValid()) return std::nullopt;
  bool ok = false;
  const int number = value.toInt(&ok);
  if (!ok) return std::nullopt;
  return number;
}

std::optional<std::string> QtSettingsStore::ReadString(const std::string& group,
                                                       const std::string& name) const {
  const QVariant value = settings_.value(Key(group, name));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toStdString();
}

void QtSettingsStore::WriteInt(const std::string& group, const std::string& name, int value) {
  settings_.setValue(Key(group, name), value);
}

void QtSettingsStore::WriteString(const std::string& group, const std::string& name,
                                  const std::string& value) {
  settings_.setValue(Key(group, name), QString::fromStdString(value));
}

bool QtSettingsStore::HasGroup(const std::string& group) const {
  return settings_.childGroups().contains(QString::fromStdString(group)) ||
         !ValueNames(group).empty();
}

std::vector<std::string> QtSettingsStore::ValueNames(const std::string& group) const {
  settings_.beginGroup(QString::fromStdString(group));
  const QStringList keys = settings_.childKeys();
  settings_.endGroup();
  std::vector<std::string> names;
  for (const QString& key : keys) names.push_back(key.toStdString());
  return names;
}

void QtSettingsStore::DeleteGroup(const std::string& group) {
  settings_.remove(QString::fromStdString(group));
}

void QtSettingsStore::Flush() { settings_.sync(); }

}  // namespace rtv
