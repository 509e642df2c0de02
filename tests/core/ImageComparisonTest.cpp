// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ShippedController.h"
#include "compare/ImageComparison.h"
#include "compare/ImageSheets.h"
#include "radio/MemoryLayout.h"
#include "radio/RadioModel.h"
#include "sheet/CsvTable.h"
#include "sheet/SheetExporter.h"
#include "sheet/SheetImporter.h"

namespace rtv {
namespace {

// The shipped model 0 image and a copy to change, compared on the shipped overlay.
struct ComparedImages : test::ShippedController {
  ComparedImages() : a(controller.CurrentDocument().Working()), b(a) {}

  // Types `text` into a cell of sheet `key`, row `label` (its first column), column `column`
  // of a copy of `image`, as an import would.
  EepromImage Edited(const EepromImage& image, const std::string& key, const std::string& label,
                     int column, const std::string& text) {
    ImageSheets sheets(overlay, metrics, image);
    const std::unique_ptr<Sheet> sheet = sheets.Build(key);
    std::vector<CsvTable::Row> rows = SheetExporter(*sheet).Table();
    bool found = false;
    for (CsvTable::Row& row : rows) {
      if (row.front() != label) continue;
      row[static_cast<std::size_t>(column)] = text;
      found = true;
      break;
    }
    EXPECT_TRUE(found) << label;
    const SheetImporter::Report report =
        SheetImporter(*sheet, sheets.Choices(), nullptr).Import(CsvTable::Write(rows));
    EXPECT_EQ(report.taken, 1) << report.Summary();
    return sheets.Image();
  }
  ImageDifferences Compare(const std::string& sheetKey = {}) {
    return ImageComparison(overlay, metrics).Compare(a, b, sheetKey);
  }

  EepromImage a;
  EepromImage b;
};

TEST(ImageComparisonTest, AnImageComparedWithItselfHasNoDifference) {
  ComparedImages images;
  const ImageDifferences differences = images.Compare();
  EXPECT_TRUE(differences.Same()) << differences.Text();
}

TEST(ImageComparisonTest, OneChangedCommentIsOneDifferenceWithItsSheetRowAndColumn) {
  ComparedImages images;
  images.b = images.Edited(images.a, "GI_Sheet_IntCh", "16", 6, "SAFETY");
  const ImageDifferences differences = images.Compare();
  ASSERT_EQ(differences.cells.size(), 1u) << differences.Text();
  const ImageDifferences::Cell& cell = differences.cells.front();
  EXPECT_EQ(cell.sheetKey(), "GI_Sheet_IntCh");
  EXPECT_EQ(cell.sheetTitle(), "INT Channels");
  EXPECT_EQ(cell.rowLabel, "16");
  EXPECT_EQ(cell.columnHeading, "Comment");
  EXPECT_NE(cell.valueA, "SAFETY");
  EXPECT_EQ(cell.valueB, "SAFETY");
  EXPECT_TRUE(differences.otherMemory.empty()) << differences.Text();
  // The same channel's comment in the other channel sheets: named, not repeated.
  EXPECT_EQ(ImageDifferences::AlsoIn(cell), "USA Channels, CAN Channels, DSC Channels");
  // The other way round, A and B change places.
  std::swap(images.a, images.b);
  const ImageDifferences back = images.Compare();
  ASSERT_EQ(back.cells.size(), 1u);
  EXPECT_EQ(back.cells.front().valueA, "SAFETY");
  EXPECT_EQ(back.cells.front().valueB, cell.valueA);
}

TEST(ImageComparisonTest, AByteNoCellShowsIsOneOtherMemoryLine) {
  ComparedImages images;
  // The maker's name: the customer's sheets never show it.
  const std::int32_t address = MemoryLayout::kMakerName + 2;
  images.b.SetByte(address, static_cast<std::uint8_t>(images.a.GetByte(address) ^ 0x20));
  const ImageDifferences differences = images.Compare();
  EXPECT_TRUE(differences.cells.empty()) << differences.Text();
  ASSERT_EQ(differences.otherMemory.size(), 1u);
  EXPECT_EQ(differences.otherMemory.front().first, address);
  EXPECT_EQ(differences.otherMemory.front().last, address);
  EXPECT_EQ(ImageDifferences::OtherMemoryLine(differences.otherMemory.front()),
            "Other memory: 0x0EE2 differs");
}

TEST(ImageComparisonTest, AShownChangeAndAnUnshownOneAreToldApart) {
  ComparedImages images;
  images.b = images.Edited(images.a, "GI_Sheet_IntCh", "16", 6, "SAFETY");
  const std::int32_t address = MemoryLayout::kMakerName + 1;
  images.b.SetByte(address, static_cast<std::uint8_t>(images.a.GetByte(address) ^ 0x01));
  const ImageDifferences differences = images.Compare();
  EXPECT_EQ(differences.cells.size(), 1u) << differences.Text();
  ASSERT_EQ(differences.otherMemory.size(), 1u) << differences.Text();
  EXPECT_EQ(differences.otherMemory.front().first, address);
  // One sheet asked for: its cells only.
  EXPECT_EQ(images.Compare("GI_Sheet_IntCh").cells.size(), 1u);
  EXPECT_TRUE(images.Compare("GI_Sheet_Common").Same());
}

TEST(ImageComparisonTest, ImagesOfDifferentModelsAreNotCompared) {
  ComparedImages images;
  images.b.SetByte(MemoryLayout::kModelType, 2);
  const ImageDifferences differences = images.Compare();
  EXPECT_FALSE(differences.refusal.empty());
  EXPECT_TRUE(differences.cells.empty());
  EXPECT_TRUE(differences.otherMemory.empty());
  EXPECT_FALSE(differences.Same());
}

TEST(ImageComparisonTest, GarbageImagesCompareWithinTheirBounds) {
  ComparedImages images;
  // Same model byte, everything else noise; and an image too small to hold the map.
  std::uint32_t seed = 12345;
  for (std::int32_t address = 0; address < images.b.Size(); ++address) {
    seed = seed * 1103515245u + 12345u;
    if (address != MemoryLayout::kModelType) {
      images.b.SetByte(address, static_cast<std::uint8_t>(seed >> 16));
    }
  }
  const ImageDifferences differences = images.Compare();
  EXPECT_FALSE(differences.Same());
  EXPECT_TRUE(differences.refusal.empty());
  EXPECT_FALSE(differences.cells.empty());
  EepromImage small;
  small.SetSize(16);
  EXPECT_FALSE(
      ImageComparison(images.overlay, images.metrics).Compare(images.a, small).refusal.empty());
}

}  // namespace
}  // namespace rtv
