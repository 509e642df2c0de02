// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rtv {

// The bucket of a name in a table of `buckets` buckets.
std::uint32_t NameHash(std::string_view name, std::uint32_t buckets);

// Name-to-number hash table for fixed vocabularies. Adding a name twice is a fault in
// the program's data and ends the process with `duplicateMessage`.
class NameTable {
 public:
  static constexpr std::uint32_t kDefaultBuckets = 1031;

  explicit NameTable(std::uint32_t buckets = 0,
                     std::string duplicateMessage = "Overlapped Hash table.");
  ~NameTable();
  NameTable(const NameTable&) = delete;
  NameTable& operator=(const NameTable&) = delete;

  void Add(std::string_view name, int value);
  std::optional<int> Find(std::string_view name) const;
  std::uint32_t BucketCount() const { return static_cast<std::uint32_t>(buckets_.size()); }
  int Count() const { return count_; }

 private:
  struct Entry {
    std::string name;
    int value = 0;
    std::unique_ptr<Entry> next;
  };
  std::vector<std::unique_ptr<Entry>> buckets_;
  std::string duplicateMessage_;
  int count_ = 0;
};

}  // namespace rtv
