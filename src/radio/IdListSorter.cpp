// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/IdListSorter.h"

#include "radio/ChannelRow.h"
#include "radio/EepromImage.h"
#include "radio/RowBuffer.h"

namespace rtv {

void IdListSorter::Sort(EepromImage& image) {
  if (image.Size() < kMemoryMapExtent) return;
  EepromImage snapshot = image;
  int filled[2] = {0, 0};  // individual, group
  const ListKind lists[2] = {ListKind::DscIndividualIds, ListKind::DscGroupIds};
  ChannelRow row(snapshot);
  // First each list's own IDs, closing the gaps; then the IDs found in the wrong list,
  // appended to the other one. An ID whose kind byte is neither individual nor group stays
  // in its own list, and one whose list is full goes to the other: together the two lists
  // hold every ID there was, so none is lost.
  for (const bool misplacedPass : {false, true}) {
    for (int source = 0; source < 2; ++source) {
      for (int r = 0; r < ListRowCount(lists[source]); ++r) {
        row.LoadRow(lists[source], r);
        if (!row.valid) continue;
        int list = source;
        if (row.idKind == ChannelRow::kIdIndividual) list = 0;
        if (row.idKind == ChannelRow::kIdGroup) list = 1;
        if ((list != source) != misplacedPass) continue;
        if (filled[list] >= ListRowCount(lists[list])) list = 1 - list;
        if (filled[list] >= ListRowCount(lists[list])) continue;
        RowBuffer::StoreOne(image, lists[list], filled[list]++, row);
      }
    }
  }
  ChannelRow blank(image);
  RowBuffer::MakeBlankRow(blank);
  for (int list = 0; list < 2; ++list) {
    for (int r = filled[list]; r < ListRowCount(lists[list]); ++r) {
      RowBuffer::StoreOne(image, lists[list], r, blank);
    }
  }
}

}  // namespace rtv
