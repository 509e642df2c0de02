// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "link/LinkResult.h"
#include "radio/EepromImage.h"

namespace rtv {

class CloneLink;

// A clone exchange with a radio of this model as the program and the command-line tool
// both run it: the link set-up, the address lists, the check of the radio's identity and
// of the image it sends, and what becomes of a read image.
class CloneSession {
 public:
  // The identification block, as far as the commands use it.
  static constexpr int kIdBlockSize = 48;
  static constexpr int kIdMinPayload = 34;
  static constexpr int kIdValidByte = 6;
  static constexpr int kIdRefuseReadByte = 23;
  static constexpr int kIdVersionByte = 26;  // digits at 26, 28, 29 and 30

  static const AddressRange kReadList[];
  // The full list also writes the checked copy of the service block.
  static const AddressRange kFullWriteList[];
  static const AddressRange kShortWriteList[];

  // Maker mode writes the full list into any radio.
  enum class WriteMode { Normal, Maker };

  // `afterLoad` takes a read image in as an opened file is taken in (the model it names,
  // normalising).
  explicit CloneSession(std::function<void(EepromImage&)> afterLoad);

  // Everything the link needs before an exchange: port and line, preamble, data lead, echo
  // check, and the model's part below.
  static void PrepareLink(CloneLink& link, int portNumber, std::int32_t imageSize);
  // The model's words and the size of its image; for a link whose line is set up by a link
  // controller at every exchange.
  static void PrepareModel(CloneLink& link, std::int32_t imageSize);

  // An identify answer: kLinkOk, kLinkIdentity (another model, or no block of the right
  // length) or kLinkIdBlock (the block says it is not valid). The block is kept unless the
  // answer is kLinkIdentity.
  LinkStatus CheckIdentity(const LinkResult& result);
  // The block of the last answer that had one; empty before.
  const std::vector<std::uint8_t>& IdBlock() const { return idBlock_; }
  // The two words of the last answer from a radio of this model.
  int RadioModelCode() const { return modelCode_; }
  int RadioExtensionCode() const { return extensionCode_; }
  // From the block: the radio's firmware version (0 when it is no number), and whether the
  // radio refuses to be read.
  int RadioVersion() const;
  bool RefusesRead() const;

  // The write list for the radio identified last: the short one once the radio is at least
  // the version of the model's initial image.
  const AddressRange* WriteList(WriteMode mode, const EepromImage& templateImage) const;
  static const AddressRange* WriteListFor(WriteMode mode, int radioVersion, int threshold);

  // A read image: kLinkOk, or kLinkImageCheck when it is not one of this model's.
  static LinkStatus CheckImage(const EepromImage& image);
  // What becomes of a read image that passed the check: its DSC ID lists re-sorted, then
  // taken in.
  void AfterRead(EepromImage& image) const;

 private:
  std::function<void(EepromImage&)> afterLoad_;
  std::vector<std::uint8_t> idBlock_;
  int modelCode_ = 0;
  int extensionCode_ = 0;
};

}  // namespace rtv
