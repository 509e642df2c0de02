// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CloneSession.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "CloneFiles.h"
#include "ManualClock.h"
#include "MemoryWire.h"
#include "ScriptedRadio.h"
#include "link/CloneFrames.h"
#include "link/CloneLink.h"
#include "radio/ImageNormaliser.h"
#include "radio/ImageVersion.h"
#include "radio/MemoryLayout.h"
#include "radio/RadioModel.h"

namespace rtv {
namespace {

using test::Bytes;
using test::ScriptedRadio;
using WriteMode = CloneSession::WriteMode;

LinkResult IdentifyAnswer(int modelCode, int extensionCode, const Bytes& payload) {
  LinkResult result;
  result.status = kLinkOk;
  result.modelCode = modelCode;
  result.extensionCode = extensionCode;
  result.payload.Assign(payload.data(), static_cast<int>(payload.size()));
  return result;
}

void PutVersion(EepromImage& image, const char* digits) {
  const std::int32_t at[] = {ImageVersion::kThousands, ImageVersion::kHundreds, ImageVersion::kTens,
                             ImageVersion::kUnits};
  for (int i = 0; i < 4; ++i) image.SetByte(at[i], static_cast<std::uint8_t>(digits[i]));
}

TEST(CloneSessionTest, TheWriteListFollowsTheModeAndTheRadioVersion) {
  struct Case {
    const char* name;
    WriteMode mode;
    int version;
    int threshold;
    const AddressRange* list;
  };
  const AddressRange* const full = CloneSession::kFullWriteList;
  const AddressRange* const shortList = CloneSession::kShortWriteList;
  const Case cases[] = {
      {"the radio is the model's version", WriteMode::Normal, 1203, 1203, shortList},
      {"the radio is newer", WriteMode::Normal, 1204, 1203, shortList},
      {"the radio is older", WriteMode::Normal, 1202, 1203, full},
      {"the radio's version is no number", WriteMode::Normal, 0, 1203, full},
      {"the model's version is no number", WriteMode::Normal, 1203, 0, shortList},
      {"neither is a number", WriteMode::Normal, 0, 0, shortList},
      {"maker mode, a newer radio", WriteMode::Maker, 1204, 1203, full},
      {"maker mode, an older radio", WriteMode::Maker, 1202, 1203, full},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CloneSession::WriteListFor(c.mode, c.version, c.threshold), c.list) << c.name;
  }
}

TEST(CloneSessionTest, TheFullWriteListAddsTheServiceBlockCopyToTheShortOne) {
  // Both lie inside what a read brings, so that a written image can be read back whole.
  const AddressRange read = CloneSession::kReadList[0];
  for (const AddressRange* list : {CloneSession::kFullWriteList, CloneSession::kShortWriteList}) {
    for (; list->last >= list->first; ++list) {
      EXPECT_GE(list->first, read.first);
      EXPECT_LE(list->last, read.last);
    }
  }
  const AddressRange* full = CloneSession::kFullWriteList;
  EXPECT_EQ(full[0].first, ImageNormaliser::kServiceCopy);
  EXPECT_EQ(full[0].last, ImageNormaliser::kServiceCopy + ImageNormaliser::kServiceBlockLength - 1);
  const AddressRange* rest = full + 1;
  for (const AddressRange* list = CloneSession::kShortWriteList;; ++list, ++rest) {
    EXPECT_EQ(rest->first, list->first);
    EXPECT_EQ(rest->last, list->last);
    if (list->last < list->first) break;
  }
}

TEST(CloneSessionTest, TheIdentityCheckKeepsOnlyABlockOfTheModel) {
  struct Case {
    const char* name;
    int modelCode;
    int extensionCode;
    Bytes payload;
    LinkStatus status;
  };
  Bytes wrongLength = ScriptedRadio::IdPayload();
  wrongLength[0] = 41;
  Bytes invalid = ScriptedRadio::IdPayload();
  invalid[6] = 0;
  const Case cases[] = {
      {"other model", 0x3975, 0x0001, ScriptedRadio::IdPayload(), kLinkIdentity},
      {"other second word", 0x3974, 0x0002, ScriptedRadio::IdPayload(), kLinkIdentity},
      {"33 bytes", 0x3974, 0x0001, ScriptedRadio::IdPayload(33), kLinkIdentity},
      {"34 bytes", 0x3974, 0x0001, ScriptedRadio::IdPayload(34), kLinkOk},
      {"length byte differs", 0x3974, 0x0001, wrongLength, kLinkIdentity},
      {"byte 6 not 1", 0x3974, 0x0001, invalid, kLinkIdBlock},
      {"40 bytes", 0x3974, 0x0001, ScriptedRadio::IdPayload(40), kLinkOk},
      {"60 bytes", 0x3974, 0x0001, ScriptedRadio::IdPayload(60), kLinkOk},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CloneSession session(nullptr);
    EXPECT_EQ(session.CheckIdentity(IdentifyAnswer(c.modelCode, c.extensionCode, c.payload)),
              c.status);
    if (c.status == kLinkIdentity) {
      EXPECT_TRUE(session.IdBlock().empty());
      continue;
    }
    ASSERT_EQ(session.IdBlock().size(), 48u);
    // The block is the payload, cut or padded with zeros to 48 bytes.
    for (std::size_t i = 0; i < 48; ++i) {
      EXPECT_EQ(session.IdBlock()[i], i < c.payload.size() ? c.payload[i] : 0) << i;
    }
    EXPECT_EQ(session.RadioModelCode(), 0x3974);
    EXPECT_EQ(session.RadioExtensionCode(), 0x0001);
  }
}

TEST(CloneSessionTest, TheBlockGivesTheRadioVersionItsReadRefusalAndItsWriteList) {
  struct Case {
    const char* version;
    bool refuses;
    int number;
    bool full;  // against a model of version 1203
  };
  const Case cases[] = {
      {"1203", false, 1203, false}, {"1207", true, 1207, false},
      {"0999", false, 999, true},   {" 203", false, 0, true},  // a space is no digit
      {"12:3", false, 0, true},
  };
  EepromImage model = test::InitialImage(0);
  PutVersion(model, "1203");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    CloneSession session(nullptr);
    ASSERT_EQ(session.CheckIdentity(
                  IdentifyAnswer(0x3974, 1, ScriptedRadio::IdPayload(40, c.version, c.refuses))),
              kLinkOk);
    EXPECT_EQ(session.RadioVersion(), c.number);
    EXPECT_EQ(session.RefusesRead(), c.refuses);
    EXPECT_EQ(session.WriteList(WriteMode::Normal, model),
              c.full ? CloneSession::kFullWriteList : CloneSession::kShortWriteList);
    EXPECT_EQ(session.WriteList(WriteMode::Maker, model), CloneSession::kFullWriteList);
  }
  // A block that was refused leaves the one before in place.
  CloneSession session(nullptr);
  session.CheckIdentity(IdentifyAnswer(0x3974, 1, ScriptedRadio::IdPayload(40, "1207")));
  EXPECT_EQ(session.CheckIdentity(IdentifyAnswer(0x3974, 1, ScriptedRadio::IdPayload(33))),
            kLinkIdentity);
  EXPECT_EQ(session.RadioVersion(), 1207);
}

TEST(CloneSessionTest, OnlyAnImageWithTheFlagAndTheMakersNameIsTakenFromTheRadio) {
  struct Case {
    const char* name;
    std::int32_t address;
    std::uint8_t value;
    LinkStatus status;
  };
  const Case cases[] = {
      {"as the radio sends it", MemoryLayout::kValidFlag, 1, kLinkOk},
      {"not flagged valid", MemoryLayout::kValidFlag, 0, kLinkImageCheck},
      {"another maker", MemoryLayout::kMakerName, 'X', kLinkImageCheck},
      {"the maker's last letter", MemoryLayout::kMakerName + 7, 'C', kLinkImageCheck},
  };
  for (const Case& c : cases) {
    EepromImage image = test::InitialImage(0, 0x55);
    image.SetByte(c.address, c.value);
    EXPECT_EQ(CloneSession::CheckImage(image), c.status) << c.name;
  }
}

TEST(CloneSessionTest, AReadImageIsSortedBeforeItIsTakenIn) {
  // A group ID (first digit 0) read in the individual list belongs in the group list.
  constexpr std::int32_t kIdTable = 0x25C0;
  const std::int32_t individual = kIdTable + 16 * 5;
  const std::int32_t firstGroup = kIdTable + 16 * 60;
  EepromImage image = test::InitialImage(0);
  const std::uint8_t groupId[16] = {2,   11,  22,  33,  40,  'H', 'A', 'R',
                                    'B', 'O', 'U', 'R', ' ', ' ', ' ', 0};
  image.WriteBlock(individual, groupId, 16);
  for (int row = 0; row < 30; ++row) image.SetByte(kIdTable + 16 * (60 + row), 0xFF);

  std::vector<std::uint8_t> seen;
  const CloneSession session([&seen, firstGroup](EepromImage& taken) {
    seen.push_back(taken.GetByte(firstGroup + 5));
    taken.SetByte(0x0100, 0x42);  // the holder's own steps reach the image
  });
  session.AfterRead(image);
  EXPECT_EQ(seen, std::vector<std::uint8_t>{'H'});
  EXPECT_EQ(image.GetByte(firstGroup + 5), 'H');
  EXPECT_EQ(image.GetByte(0x0100), 0x42);
}

TEST(CloneSessionTest, ThePreparedLinkSpeaksToTheModelOnTheGivenPort) {
  struct Case {
    int port;
    std::int32_t imageSize;
  };
  const Case cases[] = {{1, RadioModel::kImageSize}, {3, 0x4000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.port);
    test::ManualClock clock;
    test::MemoryWire wire;
    wire.devices.insert("/dev/ttyS2");
    ScriptedRadio radio{wire};
    radio.answers[kCmdIdentify] =
        ScriptedRadio::IdentifyAnswer(0x3974, 1, ScriptedRadio::IdPayload());
    CloneLink link{wire, clock, clock, [](int n) { return "/dev/ttyS" + std::to_string(n - 1); }};
    CloneSession::PrepareLink(link, c.port, c.imageSize);

    std::optional<LinkResult> result;
    ASSERT_TRUE(link.StartIdentify([&result](LinkResult& r) { result = r; }));
    for (int tick = 0; tick < 1000 && link.IsBusy(); ++tick) clock.Advance(10);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->status, kLinkOk);
    EXPECT_EQ(wire.openedPath, "/dev/ttyS" + std::to_string(c.port - 1));
    EXPECT_EQ(wire.config.baudRate, 38400);
    ASSERT_EQ(radio.frames.size(), 1u);
    EXPECT_EQ(radio.frames[0].leadBytes, 48 + 2);  // the preamble and the frame's own two
    EXPECT_EQ(radio.frames[0].bytes, Bytes({0xEE, 0xEF, 0xE0, 0x39, 0x74, 0x00, 0x00}));
    EXPECT_EQ(result->image.Size(), c.imageSize);
  }
}

}  // namespace
}  // namespace rtv
