// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/ModelFixedFields.h"

#include <algorithm>
#include <array>

namespace rtv {
namespace {

// Which models a copy applies to.
enum class Models : std::uint8_t { All, NotZeroOrSix, ZeroOrSix, NotZero };

// `count` blocks of first … last, `stride` bytes apart.
struct FixedField {
  std::int32_t first;
  std::int32_t last;
  std::uint8_t mask;
  Models models = Models::All;
  std::int32_t stride = 0;
  int count = 1;
};

// The template copies of the image normaliser (both directions and the ones before a
// save), in its order.
constexpr FixedField kFixedFields[] = {
    {0x02F0, 0x02F0, 0x19, Models::All, 1, 421},   // channel attribute bits of no item, USA
    {0x04B0, 0x04B0, 0x19, Models::All, 1, 421},   // INT
    {0x0670, 0x0670, 0x19, Models::All, 1, 421},   // CAN
    {0x0838, 0x0838, 0xFF, Models::All, 9, 70},    // the spare byte of each free channel
    {0x0BA0, 0x0BA1, 0xFF, Models::NotZeroOrSix},  // weather channel mask
    {0x0BA8, 0x0BA8, 0x02, Models::NotZeroOrSix},  // weather channels on
    {0x0AB6, 0x0AB7, 0xFF},
    {0x0AE6, 0x0AE6, 0xFF},
    {0x0AEA, 0x0AEB, 0xFF},
    {0x0AEE, 0x0AEE, 0xFF},
    {0x0AB8, 0x0AB8, 0x01},
    {0x0AE7, 0x0AE8, 0xFF},
    {0x0AE9, 0x0AE9, 0x02},
    {0x0AF1, 0x0AF1, 0x01},
    {0x0B21, 0x0B21, 0xFF, Models::NotZeroOrSix},
    {0x0B44, 0x0B44, 0x01},
    {0x0B55, 0x0B55, 0xFF},
    {0x0B26, 0x0B29, 0xFF},  // soft keys 1–4
    {0x0BAC, 0x0BAD, 0xFF},
    {0x0BB8, 0x0BBA, 0xFF},
    {0x0BBF, 0x0BBF, 0xFF},
    {0x0BD6, 0x0E6D, 0xFF},
    {0x0E7E, 0x0E85, 0xFF},
    {0x0B56, 0x0B56, 0xFF, Models::NotZero},
    {0x0E8E, 0x0E8E, 0xFF, Models::NotZero},
    {0x0EE0, 0x0EE8, 0xFF},                     // maker signature
    {0x0EEA, 0x0EEA, 0xFF},                     // image valid
    {0x22D0, 0x22DF, 0xFF, Models::ZeroOrSix},  // ATIS ID
    {0x22E0, 0x22E0, 0x07, Models::ZeroOrSix},  // ATIS per region
    {0x22E2, 0x22E2, 0xFF},
    {0x2304, 0x2305, 0x02, Models::All, 3, 56},  // DSC simplex of the variant rows 4–170
    {0x23D0, 0x23D3, 0xFF},
    {0x23DA, 0x23DA, 0xFF, Models::All, 7, 61},  // DSC call alarm kinds
    {0x23FA, 0x23FA, 0xFF, Models::All, 7, 6},
    {0x24FD, 0x24FD, 0xFF, Models::All, 7, 12},
    {0x23E5, 0x23E5, 0xFF},
    {0x23EC, 0x23ED, 0xFF},
    {0x23F3, 0x23F3, 0xFF},
    {0x242B, 0x242C, 0xFF},
    {0x2432, 0x2432, 0xFF},
    {0x2440, 0x2440, 0xFF},
    {0x2448, 0x2448, 0xFF},
    {0x246A, 0x246B, 0xFF},
    {0x2471, 0x2472, 0xFF},
    {0x2478, 0x2479, 0xFF},
    {0x2494, 0x2494, 0xFF},
    {0x249B, 0x249B, 0xFF},
    {0x24A2, 0x24A2, 0xFF},
    {0x24D3, 0x24D3, 0xFF},
    {0x24DA, 0x24DA, 0xFF},
    {0x24E1, 0x24E1, 0xFF},
    {0x253D, 0x253D, 0xFF},
    {0x2544, 0x2544, 0xFF},
    {0x254B, 0x254B, 0xFF},
    {0x2566, 0x2566, 0xFF},
    {0x256D, 0x256D, 0xFF},
    {0x2574, 0x2574, 0xFF},
    // DSC alarm options: the kind of every record, the visual alarm of the records with an
    // editable shutdown, the whole last byte of the others (record 6 carries no item).
    {0x2582, 0x2582, 0xFF, Models::All, 4, 6},
    {0x259E, 0x259E, 0xFF, Models::All, 4, 4},
    {0x2589, 0x2589, 0xF0, Models::All, 4, 3},
    {0x25A5, 0x25A5, 0xF0, Models::All, 4, 2},
    {0x2585, 0x2585, 0xFF},
    {0x2595, 0x2595, 0xFF, Models::All, 4, 2},
    {0x25A1, 0x25A1, 0xFF},
    {0x25AD, 0x25AD, 0xFF},
};

bool Applies(Models models, int modelType) {
  const bool zeroOrSix = modelType == 0 || modelType == 6;
  switch (models) {
    case Models::All:
      return true;
    case Models::NotZeroOrSix:
      return !zeroOrSix;
    case Models::ZeroOrSix:
      return zeroOrSix;
    case Models::NotZero:
      return modelType != 0;
  }
  return false;
}

// One byte past the last fixed byte of any model.
constexpr std::int32_t TableSize() {
  std::int32_t size = 0;
  for (const FixedField& field : kFixedFields) {
    const std::int32_t count = field.stride > 0 ? field.count : 1;
    size = std::max(size, field.last + field.stride * (count - 1) + 1);
  }
  return size;
}

// The models fall into three kinds as far as fixed bits go: 0, 6 and the others.
constexpr int kModelKinds = 3;
int ModelKind(int modelType) { return modelType == 0 ? 0 : modelType == 6 ? 1 : 2; }
constexpr int kKindModel[kModelKinds] = {0, 6, 1};

using MaskTable = std::array<std::array<std::uint8_t, TableSize()>, kModelKinds>;

// Worked out once, block by block (a few thousand bytes): the warning pass asks for
// hundreds of bytes on every run.
const MaskTable& Table() {
  static const MaskTable table = [] {
    MaskTable t{};
    for (int kind = 0; kind < kModelKinds; ++kind) {
      for (const FixedField& field : kFixedFields) {
        if (!Applies(field.models, kKindModel[kind])) continue;
        const int blocks = field.stride > 0 ? field.count : 1;
        for (int block = 0; block < blocks; ++block) {
          const std::int32_t offset = field.stride * block;
          for (std::int32_t address = field.first + offset; address <= field.last + offset;
               ++address) {
            t[kind][address] = static_cast<std::uint8_t>(t[kind][address] | field.mask);
          }
        }
      }
    }
    return t;
  }();
  return table;
}

}  // namespace

std::uint8_t ModelFixedFields::Mask(int modelType, std::int32_t address) {
  if (address < 0 || address >= TableSize()) return 0;
  return Table()[ModelKind(modelType)][address];
}

bool ModelFixedFields::Covers(int modelType, std::int32_t first, std::int32_t last,
                              std::uint8_t mask) {
  for (std::int32_t address = first; address <= last; ++address) {
    if ((Mask(modelType, address) & mask) != 0) return true;
  }
  return false;
}

}  // namespace rtv
