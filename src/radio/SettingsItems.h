// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <vector>

#include "cells/CellRequest.h"
#include "radio/SettingItem.h"

namespace rtv {

struct CellAccess;
class ChoiceLists;
struct ChoiceList;

// Serves the radio's settings (the RadioSettings family) from one table of item descriptors. Links
// the table does not name show their number followed by " *Yet*".
class SettingsItems {
 public:
  static std::span<const SettingItem> Items();
  // The descriptor of a link, or null.
  static const SettingItem* Find(int cellLink);

  AccessResult Serve(CellAccess& access);

 private:
  struct CachedList {
    const char* key;
    int variant;
    const ChoiceList* list;
  };

  // The list is looked up once per run and key.
  const ChoiceList& List(ChoiceLists& lists, const char* key, int variant);
  const std::string& SelfIdOffText(CellAccess& access);

  ChoiceLists* cachedFrom_ = nullptr;
  std::vector<CachedList> lists_;
  bool offTextRead_ = false;
  std::string offText_;
};

}  // namespace rtv
