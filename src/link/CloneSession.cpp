// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CloneSession.h"

#include <algorithm>

#include "link/CloneLink.h"
#include "link/LinkController.h"
#include "radio/ImageVersion.h"
#include "radio/RadioModel.h"

namespace rtv {

const AddressRange CloneSession::kReadList[] = {{0x0000, 0x2B5F}, {1, 0}};
const AddressRange CloneSession::kFullWriteList[] = {{0x01A0, 0x02B3}, {0x02F0, 0x2B5F}, {1, 0}};
const AddressRange CloneSession::kShortWriteList[] = {{0x02F0, 0x2B5F}, {1, 0}};

CloneSession::CloneSession(std::function<void(EepromImage&)> afterLoad)
    : afterLoad_(std::move(afterLoad)) {}

void CloneSession::PrepareLink(CloneLink& link, int portNumber, std::int32_t imageSize) {
  LinkController::PrepareLine(link, portNumber, LinkController::kNormal);
  PrepareModel(link, imageSize);
}

void CloneSession::PrepareModel(CloneLink& link, std::int32_t imageSize) {
  link.SetModelWords(RadioModel::kModelCode, 0);
  link.SetImageSize(imageSize);
}

LinkStatus CloneSession::CheckIdentity(const LinkResult& result) {
  if (result.modelCode != RadioModel::kModelCode ||
      result.extensionCode != RadioModel::kExtensionCode) {
    return kLinkIdentity;
  }
  modelCode_ = result.modelCode;
  extensionCode_ = result.extensionCode;
  const ByteQueue& payload = result.payload;
  if (payload.Count() < kIdMinPayload || payload.At(0) != payload.Count()) return kLinkIdentity;
  idBlock_.assign(kIdBlockSize, 0);
  std::copy_n(payload.Data(), std::min(payload.Count(), kIdBlockSize), idBlock_.begin());
  return idBlock_[kIdValidByte] == 1 ? kLinkOk : kLinkIdBlock;
}

int CloneSession::RadioVersion() const {
  return idBlock_.empty() ? 0 : ImageVersion::FromDigits(&idBlock_[kIdVersionByte]);
}

bool CloneSession::RefusesRead() const {
  return !idBlock_.empty() && (idBlock_[kIdRefuseReadByte] & 1) != 0;
}

const AddressRange* CloneSession::WriteList(WriteMode mode,
                                            const EepromImage& templateImage) const {
  return WriteListFor(mode, RadioVersion(), ImageVersion::Read(templateImage));
}

const AddressRange* CloneSession::WriteListFor(WriteMode mode, int radioVersion, int threshold) {
  if (mode == WriteMode::Maker) return kFullWriteList;
  return threshold <= radioVersion ? kShortWriteList : kFullWriteList;
}

LinkStatus CloneSession::CheckImage(const EepromImage& image) {
  return RadioModel::Validate(image, RadioModel::Strictness::Strict) == RadioModel::Validity::Valid
             ? kLinkOk
             : kLinkImageCheck;
}

void CloneSession::AfterRead(EepromImage& image) const {
  RadioModel::AfterRead(image);
  if (afterLoad_) afterLoad_(image);
}

}  // namespace rtv
