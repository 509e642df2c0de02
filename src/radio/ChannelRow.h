#pragma once

#include <array>
#include <cstdint>

#include "radio/CellCatalog.h"

namespace rtv {

class EepromImage;

// One row of a channel, DSC, weather, free-channel or ID list, loaded from the working
// image, edited as fields and stored back. Only the row's own bytes are touched (and, for
// a free channel, the simplex bit of its row in the three channel lists).
class ChannelRow {
 public:
  static constexpr int kCommentLength = 10;
  static constexpr int kFreeNameLength = 3;
  static constexpr int kIdBytes = 5;
  static constexpr std::uint8_t kIdIndividual = 0;
  static constexpr std::uint8_t kIdGroup = 1;
  static constexpr std::uint8_t kIdEmpty = 255;

  explicit ChannelRow(EepromImage& image) : image_(image) {}

  // Kinds without row records (None, 9–11) load nothing; a row outside the kind's range
  // loads nothing either.
  void LoadRow(ListKind kind, int row);
  void StoreRow();
  // Store, then load again: derived fields (forced simplex, ID kind) are recomputed.
  void ReloadRow();

  ListKind kind = ListKind::None;
  int row = 0;

  bool pFlag = false;
  bool cFlag = false;
  bool inhibited = false;  // DSC: RX use; weather: the mask bit
  bool fixed = false;      // DSC row 45
  bool favourite = false;
  bool txInhibit = false;  // DSC: TX use
  bool power = false;
  bool simplex = false;
  std::array<char, kCommentLength + 1> comment{};  // channel, weather or ID name, 0-ended

  std::uint8_t idKind = kIdEmpty;
  std::array<std::uint8_t, kIdBytes> id{};
  bool valid = false;

  bool rxEmpty = false;
  bool txEmpty = false;
  std::uint32_t rxFrequency = 0;  // Hz
  std::uint32_t txFrequency = 0;  // Hz
  std::array<char, kFreeNameLength + 1> freeName{};

  EepromImage& image() { return image_; }

 private:
  EepromImage& image_;
};

}  // namespace rtv
