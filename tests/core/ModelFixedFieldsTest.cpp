// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/ModelFixedFields.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "CellProbe.h"
#include "ManualClock.h"
#include "MemoryAccessHost.h"
#include "RecordingMainView.h"
#include "ScriptedPrompts.h"
#include "ShippedData.h"
#include "ShippedImages.h"
#include "app/AppSettings.h"
#include "app/MainController.h"
#include "base/MessageBus.h"
#include "base/PlainTextMetrics.h"
#include "cells/CellCatalog.h"
#include "radio/ImageNormaliser.h"
#include "radio/SettingsItems.h"
#include "sheet/CsvTable.h"
#include "sheet/Sheet.h"
#include "sheet/SheetExporter.h"
#include "sheet/SheetImporter.h"

namespace rtv {
namespace {

std::string InitialFile(int model) {
  return test::InitialFile("RTV612M" + std::to_string(model) + ".rtv");
}

// A settings edit that saving would revert is exactly an edit of a field the model fixes:
// flip an item's bits, normalise for saving, and see whether they went back.
TEST(ModelFixedFieldsTest, SavingRevertsASettingExactlyWhenTheModelFixesIt) {
  OverlayText overlay;
  overlay.SetFile(test::DataFile("RTV612.OVL"));
  for (int model = 0; model <= 6; ++model) {
    EepromImage defaults;
    ASSERT_TRUE(test::ReadShippedImage(overlay, InitialFile(model), model, defaults));
    const ImageNormaliser normaliser(defaults, model, false);
    for (const SettingItem& item : SettingsItems::Items()) {
      // An ID is taken back whenever it is not a valid one: not a model's rule.
      if (item.readOnly || item.field == SettingItem::Field::Id) continue;
      for (int index = 0; index < item.count; ++index) {
        EepromImage image = defaults;
        for (int a = item.First(index); a <= item.Last(index); ++a) {
          image.SetByte(a, static_cast<std::uint8_t>(image.GetByte(a) ^ item.Mask()));
        }
        normaliser.Normalise(image, NormaliseDirection::BeforeSave);
        bool reverted = false;
        for (int a = item.First(index); a <= item.Last(index); ++a) {
          reverted = reverted || ((image.GetByte(a) ^ defaults.GetByte(a)) & item.Mask()) == 0;
        }
        EXPECT_EQ(ModelFixedFields::Covers(model, item.First(index), item.Last(index), item.Mask()),
                  reverted)
            << "model " << model << " " << CellLinkName(item.cellLink) << "[" << index << "]";
      }
    }
  }
}

TEST(ModelFixedFieldsTest, ACellTheModelFixesIsReadOnlyAndSaysWhy) {
  struct Case {
    const char* what;
    int model;
    const char* cellType;
    const char* cellLink;
    int index;
    const char* typed;  // committed text; null: the Space key steps a choice
    bool fixed;
  };
  const Case cases[] = {
      {"soft key 1", 0, "CT_Null", "CL_ComConf_KeyAssign_SoftKey", 0, nullptr, true},
      {"soft key 5", 0, "CT_Null", "CL_ComConf_KeyAssign_SoftKey", 4, nullptr, false},
      {"task mode, model 1", 1, "CT_Null", "CL_ComDsc_Proc_TaskMode", 0, nullptr, true},
      {"task mode, model 0", 0, "CT_Null", "CL_ComDsc_Proc_TaskMode", 0, nullptr, false},
      {"weather use, model 2", 2, "CT_WxCh", "CL_WX_ChAtr", 3, nullptr, true},
      {"weather use, model 0", 0, "CT_WxCh", "CL_WX_ChAtr", 3, nullptr, false},
      {"ATIS ID, model 0", 0, "CT_Null", "CL_ComAtis_AtisId", 0, "9211234567", true},
      {"ATIS ID, model 2", 2, "CT_Null", "CL_ComAtis_AtisId", 0, "9211234567", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryAccessHost host(test::DataFile("RTV612.OVL"));
    ASSERT_TRUE(test::ReadShippedImage(host.overlay, InitialFile(c.model), c.model, host.image));
    host.modelType = c.model;
    const EepromImage before = host.image;
    CellProbe probe(host, CellTypeNumber(c.cellType));
    const CellOutcome shown = probe.Show(CellLinkNumber(c.cellLink), c.index);
    EXPECT_EQ(shown.ReadOnly(), c.fixed);
    host.statusTexts.clear();
    if (c.typed != nullptr) {
      probe.Type(CellLinkNumber(c.cellLink), c.index, c.typed);
    } else {
      probe.Key(CellLinkNumber(c.cellLink), c.index, ' ');
    }
    EXPECT_EQ(host.image.Equals(before), c.fixed);
    if (c.fixed && c.typed == nullptr) {
      EXPECT_EQ(host.LastStatus(), host.overlay.GetFirstLine("GI_Botttom_ModelFixed"));
    }
  }
}

}  // namespace
}  // namespace rtv

namespace rtv {
namespace {

TEST(ModelFixedFieldsTest, ACsvImportDoesNotTakeACellTheModelFixes) {
  test::ManualClock clock;
  test::ScriptedPrompts prompts;
  AppSettings settings{true};
  OverlayText overlay;
  OverlayText help;
  overlay.SetFile(test::DataFile("RTV612.OVL"));
  help.SetLines({"#End_Of_Ovl"});
  MessageBus bus{clock};
  MainController controller{{settings, overlay, help, bus, clock, clock, prompts}};
  test::RecordingMainView view;
  controller.SetDataFolder(test::InitialFolder());
  controller.Setup(view);
  PlainTextMetrics metrics;
  SheetServices services{overlay, metrics, [&](CellRequest& request, bool notify) {
                           return controller.Accessor().AccessCell(request, notify);
                         }};
  std::unique_ptr<Sheet> sheet = controller.CreateSheet(services, "GI_Sheet_Config");
  sheet->Build();
  int column1 = 0, row1 = 0, column5 = 0, row5 = 0;
  const int softKey = LinkNo("CL_ComConf_KeyAssign_SoftKey");
  ASSERT_TRUE(sheet->FindSelectable(softKey, 0, column1, row1));
  ASSERT_TRUE(sheet->FindSelectable(softKey, 4, column5, row5));
  auto rows = SheetExporter(*sheet).Table();
  const std::string key1 = rows[static_cast<std::size_t>(row1)][static_cast<std::size_t>(column1)];
  const std::string key5 = rows[static_cast<std::size_t>(row5)][static_cast<std::size_t>(column5)];
  ASSERT_NE(key1, key5);
  // Soft key 1 gets soft key 5's function, which the model would put back on saving.
  rows[static_cast<std::size_t>(row1)][static_cast<std::size_t>(column1)] = key5;
  const EepromImage before = controller.CurrentDocument().Working();
  const SheetImporter::Report report =
      SheetImporter(*sheet, controller.Choices(), &controller.CurrentDocument().Working())
          .Import(CsvTable::Write(rows));
  EXPECT_EQ(report.taken, 0);
  ASSERT_EQ(report.issues.size(), 1u);
  EXPECT_EQ(report.issues[0].column, column1 + 1);
  EXPECT_TRUE(controller.CurrentDocument().Working().Equals(before));
  // Soft key 5 is the user's: it takes soft key 1's function.
  rows = SheetExporter(*sheet).Table();
  rows[static_cast<std::size_t>(row5)][static_cast<std::size_t>(column5)] = key1;
  EXPECT_EQ(SheetImporter(*sheet, controller.Choices(), &controller.CurrentDocument().Working())
                .Import(CsvTable::Write(rows))
                .taken,
            1);
}

}  // namespace
}  // namespace rtv
