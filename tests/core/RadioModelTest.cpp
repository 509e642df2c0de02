// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/RadioModel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CloneFiles.h"
#include "radio/EepromImage.h"
#include "radio/ImageNormaliser.h"
#include "radio/MemoryLayout.h"
#include "radio/RadioModelHost.h"

namespace rtv {
namespace {

using Validity = RadioModel::Validity;
using Strictness = RadioModel::Strictness;

// The byte after the maker's name follows the template; each model's template sets its own.
constexpr std::int32_t kTemplateMark = 0x0EE8;
// The service block, kept from the template unless the image is as new as it or adjust
// mode is on.
constexpr std::int32_t kServiceByte = ImageNormaliser::kServiceBlock;
// Weather region bit: fixed by the template except for models 0 and 6.
constexpr std::int32_t kRegions = MemoryLayout::kRegionFlags;
constexpr std::uint8_t kWeatherBit = 0x02;

EepromImage TemplateOf(int model) {
  EepromImage image = test::InitialImage(model, 0x11);
  image.SetByte(kTemplateMark, static_cast<std::uint8_t>(0xA0 + model));
  image.SetByte(kServiceByte, 0x77);
  image.SetByte(kRegions, kWeatherBit);
  const char* version = "1.203";
  for (int i = 0; i < 5; ++i) image.SetByte(0x015A + i, static_cast<std::uint8_t>(version[i]));
  return image;
}

// The images as a host keeps them; a switch loads the model's template.
struct FakeHost : RadioModelHost {
  explicit FakeHost(int model) : modelType(model), image(TemplateOf(model)) {}
  const EepromImage& ModelTemplate() const override { return image; }
  int ModelType() const override { return modelType; }
  bool IsAdjustMode() const override { return adjustMode; }
  void SwitchModel(int model) override {
    switches.push_back(model);
    modelType = model;
    image = TemplateOf(model);
  }
  int modelType;
  bool adjustMode = false;
  EepromImage image;
  std::vector<int> switches;
};

TEST(RadioModelTest, AnImageIsValidByItsFlagAndFromTheRadioAlsoByTheMakersName) {
  struct Case {
    const char* name;
    std::int32_t size;
    std::uint8_t flag;
    const char* maker;
    Validity loose;
    Validity strict;
  };
  const Case cases[] = {
      {"flag and name", RadioModel::kImageSize, 1, "Vrel Inc", Validity::Valid, Validity::Valid},
      {"flag only", RadioModel::kImageSize, 1, "", Validity::Valid, Validity::Invalid},
      {"another maker", RadioModel::kImageSize, 1, "Vrel Ind", Validity::Valid, Validity::Invalid},
      {"flag 0", RadioModel::kImageSize, 0, "Vrel Inc", Validity::Invalid, Validity::Invalid},
      {"flag 2", RadioModel::kImageSize, 2, "Vrel Inc", Validity::Invalid, Validity::Invalid},
      {"too small for the flag", MemoryLayout::kValidFlag, 1, "Vrel Inc", Validity::Invalid,
       Validity::Invalid},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EepromImage image;
    image.SetSize(c.size);
    if (image.IsValidAddress(MemoryLayout::kValidFlag)) {
      image.SetByte(MemoryLayout::kValidFlag, c.flag);
    }
    image.WriteBlock(MemoryLayout::kMakerName, reinterpret_cast<const std::uint8_t*>(c.maker),
                     static_cast<std::int32_t>(std::strlen(c.maker)));
    EXPECT_EQ(RadioModel::Validate(image, Strictness::Loose), c.loose);
    EXPECT_EQ(RadioModel::Validate(image, Strictness::Strict), c.strict);
  }
}

TEST(RadioModelTest, ALoadedImageSwitchesToTheModelItNamesAndFollowsItsTemplate) {
  struct Case {
    const char* name;
    int current;
    std::uint8_t named;
    std::vector<int> switches;
    int model;  // whose template the image follows
  };
  const Case cases[] = {
      {"another model", 0, 3, {3}, 3},    {"the current model", 3, 3, {}, 3},
      {"model 6", 2, 6, {6}, 6},          {"no model of the seven", 2, 7, {}, 2},
      {"an erased byte", 1, 0xFF, {}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeHost host(c.current);
    RadioModel model(host);
    EepromImage image = test::InitialImage(0, 0x22);
    image.SetByte(MemoryLayout::kModelType, c.named);
    model.AfterLoad(image);
    EXPECT_EQ(host.switches, c.switches);
    EXPECT_EQ(image.GetByte(kTemplateMark), 0xA0 + c.model);
    EXPECT_EQ(image.GetByte(MemoryLayout::kModelType), c.named);  // the image's own
  }
}

TEST(RadioModelTest, NormalisingUsesTheHostsModelTypeAndAdjustMode) {
  struct Case {
    int model;
    bool adjustMode;
    bool weatherFromTemplate;
    bool serviceFromTemplate;
  };
  const Case cases[] = {
      {3, false, true, true},
      {0, false, false, true},
      {3, true, true, false},
  };
  for (const NormaliseDirection direction :
       {NormaliseDirection::AfterLoad, NormaliseDirection::BeforeSave}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "model " << c.model << " adjust " << c.adjustMode
                                      << " direction " << static_cast<int>(direction));
      FakeHost host(c.model);
      host.adjustMode = c.adjustMode;
      EepromImage image = test::InitialImage(c.model, 0x22);  // version 0: older than 1203
      image.SetByte(kRegions, 0);
      image.SetByte(kServiceByte, 0x44);
      RadioModel(host).Normalise(image, direction);
      EXPECT_EQ(image.GetByte(kRegions) & kWeatherBit, c.weatherFromTemplate ? kWeatherBit : 0);
      EXPECT_EQ(image.GetByte(kServiceByte), c.serviceFromTemplate ? 0x77 : 0x44);
      EXPECT_EQ(image.GetByte(kTemplateMark), 0xA0 + c.model);
    }
  }
}

}  // namespace
}  // namespace rtv
