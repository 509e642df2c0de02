// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/NameTable.h"

#include "base/Fatal.h"

namespace rtv {

std::uint32_t NameHash(std::string_view name, std::uint32_t buckets) {
  if (buckets == 0) buckets = NameTable::kDefaultBuckets;
  std::uint32_t step = buckets / 2;
  std::uint32_t h = 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<signed char>(name[i]);
    h = 2 * h + step + static_cast<std::uint32_t>(static_cast<std::int32_t>(c));
    const unsigned char after = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0;
    if ((after & 1) != 0) {
      step /= 2;
      if (step == 0) step = buckets / 2;
    }
  }
  return h % buckets;
}

NameTable::NameTable(std::uint32_t buckets, std::string duplicateMessage)
    : buckets_(buckets == 0 ? kDefaultBuckets : buckets),
      duplicateMessage_(std::move(duplicateMessage)) {}

NameTable::~NameTable() {
  // Unlink chains iteratively so a long chain cannot exhaust the stack.
  for (auto& head : buckets_) {
    while (head) head = std::move(head->next);
  }
}

void NameTable::Add(std::string_view name, int value) {
  auto& head = buckets_[NameHash(name, BucketCount())];
  for (const Entry* e = head.get(); e != nullptr; e = e->next.get()) {
    if (e->name == name) FatalError(duplicateMessage_);
  }
  auto entry = std::make_unique<Entry>();
  entry->name = std::string(name);
  entry->value = value;
  entry->next = std::move(head);
  head = std::move(entry);
  ++count_;
}

std::optional<int> NameTable::Find(std::string_view name) const {
  for (const Entry* e = buckets_[NameHash(name, BucketCount())].get(); e != nullptr;
       e = e->next.get()) {
    if (e->name == name) return e->value;
  }
  return std::nullopt;
}

}  // namespace rtv
