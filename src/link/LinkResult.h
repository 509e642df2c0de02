// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/ByteQueue.h"
#include "radio/EepromImage.h"

namespace rtv {

// The exchanges a link runs with the radio: the clone link's three and the two of the
// factory adjustment.
enum class Exchange { Identify, Read, Write, AdjustWrite, AdjustList };

// The outcome of a radio exchange. Statuses 11-16 are set by the commands that check what
// the link brought back.
enum LinkStatus : int {
  kLinkOk = 0,
  kLinkPortFailed = 2,     // the port could not be opened or configured
  kLinkEchoError = 4,      // an echoed byte differed, or the echo did not come
  kLinkTimeout = 5,        // no progress within the time-out
  kLinkBadFrame = 6,       // a frame broke the format, or the radio refuses to be read
  kLinkEndCount = 7,       // the end frame's count differs from the frames accepted
  kLinkIncomplete = 8,     // an address of the requested ranges never arrived
  kLinkOutOfRange = 9,     // data at or beyond the image size, or outside the ranges
  kLinkWriteRefused = 10,  // the radio did not answer the write with E6 00
  kLinkIdentity = 11,      // the radio is not the selected model
  kLinkAdjustment = 12,
  kLinkAdjustmentValue = 13,
  kLinkIdBlock = 14,     // the identification block's byte 6 is not 1
  kLinkImageCheck = 15,  // the image read is not one of this radio's
  kLinkImageCheck2 = 16,
  kLinkWriteFailed = 17,  // the port took fewer bytes than it was given
  kLinkCancelled = 18,    // stopped on request before it ended
};

// Created when an exchange starts, handed to its completion callback, then destroyed.
struct LinkResult {
  Exchange exchange = Exchange::Identify;
  int status = kLinkPortFailed;
  int modelCode = 0;
  int extensionCode = 0;
  ByteQueue payload;      // identify: the bytes after the two words
  EepromImage image;      // read: what arrived; write: the copy that is sent
  ByteQueue receivedMap;  // bit (a & 7) of byte a / 8 for every address that arrived
};

}  // namespace rtv
