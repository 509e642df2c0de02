// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FixedTextMetrics.h"
#include "SheetFixtures.h"
#include "base/PlainTextMetrics.h"
#include "overlay/OverlayText.h"
#include "print/PageBlock.h"
#include "print/PageFrame.h"
#include "print/PreviewPaging.h"
#include "print/PrintFontSize.h"
#include "print/PrintMargins.h"
#include "print/SheetPagination.h"
#include "print/SheetPaginator.h"
#include "sheet/Sheet.h"

namespace rtv {
namespace {

const char* const kBasic = "{WH(Font=DEFAULT_CHARSET,,clWindowText,-10,,,)}";

// A sheet with one fixed column and one fixed header row, and `groups` header cells that
// each span `span` body columns (the spanned ones joined to their left neighbour).
std::vector<std::string> WideSheetCells(int groups, int span, int rows) {
  std::string header = "No|";
  std::string body = "1|";
  for (int g = 0; g < groups; ++g) {
    header += "Group " + std::to_string(g) + "|";
    for (int s = 1; s < span; ++s) header += "{+}|";
    for (int s = 0; s < span; ++s) body += "Value" + std::to_string(g * span + s) + "|";
  }
  std::vector<std::string> cells{header};
  for (int r = 0; r < rows; ++r) cells.push_back(body);
  return cells;
}

struct PrintFixture {
  PrintFixture(std::vector<std::string> cells, const TextMetrics& textMetrics,
               const char* style = "(FixedCols=1)(FixedRows=1)(TitleString=Plan)")
      : metrics(textMetrics) {
    overlay.SetLines(test::SheetOverlay({{"GI_Sheet_P", style, kBasic, std::move(cells)}}));
    sheet = std::make_unique<Sheet>(services, overlay, "GI_Sheet_P");
  }
  // A page of `width` by `height` dots, no margins, at the screen's resolution unless told.
  std::vector<PrintedPage> Paginate(int width, int height, int dotsPerInch = 96) {
    PrintSetup setup;
    setup.area = {0, 0, width, height};
    setup.dotsPerInch = dotsPerInch;
    setup.screenDotsPerInch = 96;
    paginator = std::make_unique<SheetPaginator>(metrics, setup);
    return paginator->Paginate(*sheet, "Plan");
  }

  const TextMetrics& metrics;
  OverlayText overlay;
  SheetServices services{overlay, metrics, nullptr, nullptr, 100};
  std::unique_ptr<Sheet> sheet;
  std::unique_ptr<SheetPaginator> paginator;
};

TEST(PrintMarginsTest, MillimetresBecomeDotsAtTheVerticalResolution) {
  const PrintMargins margins = PrintMargins::Parse("10,10,10,10");
  EXPECT_EQ(margins.PageArea(4960, 7016, 600), (PageRect{236, 236, 4960 - 236, 7016 - 236}));
  struct Case {
    const char* line;
    PageRect area;
  };
  for (const Case& c :
       {Case{"15,15,15,15", {354, 354, 1646, 2646}}, Case{"10, 20", {236, 472, 2000, 3000}},
        Case{"x,-5,,", {0, 0, 2000, 3000}}, Case{"", {0, 0, 2000, 3000}}}) {
    EXPECT_EQ(PrintMargins::Parse(c.line).PageArea(2000, 3000, 600), c.area) << c.line;
  }
}

TEST(PageFrameTest, RulesAndBodyFollowTheFrameTextHeight) {
  const PageFrame frame = PageFrame::Layout({100, 200, 2100, 3200}, 100);
  // Rules are trunc(0.1 h + 1) = 11 dots high; the body keeps five rules' distance.
  EXPECT_EQ(frame.header, (PageRect{100, 200, 2099, 300}));
  EXPECT_EQ(frame.headerRule, (PageRect{100, 300, 2100, 311}));
  EXPECT_EQ(frame.footer, (PageRect{100, 3099, 2099, 3199}));
  EXPECT_EQ(frame.footerRule, (PageRect{100, 3088, 2100, 3099}));
  EXPECT_EQ(frame.body, (PageRect{100, 366, 2100, 3033}));
}

TEST(PrintFontSizeTest, ChoicesStandForEightToTwelvePoints) {
  EXPECT_EQ(PrintFontSize::PointsOfChoice(1), 8);
  EXPECT_EQ(PrintFontSize::PointsOfChoice(5), 12);
  EXPECT_EQ(PrintFontSize::PointsOfChoice(9), 12);
  EXPECT_EQ(PrintFontSize::ChoiceOfPoints(10), 3);
  // 12 points at 600 dots per inch: a character height of 100 dots.
  EXPECT_EQ(PrintFontSize::FontHeight(PrintFontSize::PointsOfChoice(5), 600), -100);
  EXPECT_EQ(PrintFontSize::FontHeight(8, 72), -8);
}

TEST(PreviewPagingTest, TypedPagesAndButtonsStayWithinThePages) {
  PreviewPaging paging(4);
  EXPECT_EQ(paging.page(), 1);
  EXPECT_FALSE(paging.CanGoBack());
  EXPECT_TRUE(paging.CanGoForward());
  struct Case {
    const char* typed;
    int page;
  };
  for (const Case& c : {Case{"0", 1}, Case{"99", 4}, Case{"3", 3}, Case{"", 1}, Case{"2!", 2}}) {
    paging.GoToTyped(c.typed);
    EXPECT_EQ(paging.page(), c.page) << c.typed;
  }
  paging.Last();
  EXPECT_TRUE(paging.CanGoBack());
  EXPECT_FALSE(paging.CanGoForward());
  paging.Next();
  EXPECT_EQ(paging.page(), 4);
  paging.SetCount(2);  // fewer pages after a larger font
  EXPECT_EQ(paging.page(), 2);
  for (const char c : std::string("0123456789\b!\"#$%&'(."))
    EXPECT_TRUE(PreviewPaging::PageBoxAccepts(c)) << c;
  for (const char c : std::string("a )-/:+")) EXPECT_FALSE(PreviewPaging::PageBoxAccepts(c)) << c;
}

TEST(SheetPaginationTest, WideSheetContinuesOnPagesThatRepeatTheFixedCells) {
  PlainTextMetrics metrics;
  PrintFixture f(WideSheetCells(6, 1, 40), metrics);
  const std::vector<PrintedPage> pages = f.Paginate(300, 400);
  const PageRect body = f.paginator->Frame(*f.sheet).body;
  const std::vector<int> columnGroups = SheetPagination::ColumnGroups(*f.sheet, body.width());
  const std::vector<int> rowGroups = SheetPagination::RowGroups(*f.sheet, body.height());
  ASSERT_GT(columnGroups.size(), 1u);
  ASSERT_GT(rowGroups.size(), 1u);
  ASSERT_EQ(pages.size(), columnGroups.size() * rowGroups.size());
  // Bands of rows, each left to right; every body cell on exactly one page.
  int expectedColumn = 1;
  int expectedRow = 1;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    SCOPED_TRACE(i);
    const PrintedPage& page = pages[i];
    EXPECT_EQ(page.sheet, "Plan");
    EXPECT_EQ(page.firstColumn, expectedColumn);
    EXPECT_EQ(page.firstRow, expectedRow);
    EXPECT_EQ(page.rescales, 0);
    const PageBlock block = PageBlock::Layout(*f.sheet, page);
    EXPECT_EQ(block.columns.front(), 0);  // the fixed column
    EXPECT_EQ(block.rows.front(), 0);     // the header row
    EXPECT_LE(block.width, body.width());
    EXPECT_LE(block.height, body.height());
    expectedColumn += page.columnCount;
    if (expectedColumn == f.sheet->columnCount()) {
      expectedColumn = 1;
      expectedRow += page.rowCount;
    }
  }
  EXPECT_EQ(expectedRow, f.sheet->rowCount());
}

TEST(SheetPaginationTest, JoinedHeaderCellsStayOnOnePage) {
  PlainTextMetrics metrics;
  for (const int width : {150, 200, 260, 330, 500}) {
    SCOPED_TRACE(width);
    PrintFixture f(WideSheetCells(4, 3, 2), metrics);
    const std::vector<PrintedPage> pages = f.Paginate(width, 400);
    ASSERT_FALSE(pages.empty());
    int covered = 0;
    for (const PrintedPage& page : pages) {
      EXPECT_FALSE(f.sheet->CellAt(page.firstColumn, 0).cell.joinLeft) << page.firstColumn;
      EXPECT_EQ(page.columnCount % 3, 0);
      covered += page.columnCount;
    }
    EXPECT_EQ(covered, 12);
  }
}

TEST(SheetPaginationTest, ColumnWiderThanThePageGetsItsOwnPageInASmallerFont) {
  PlainTextMetrics metrics;
  PrintFixture f({"No|Short|" + std::string(100, 'W') + "|Short", "1|a|b|c"}, metrics);
  const std::vector<PrintedPage> pages = f.Paginate(400, 300);
  ASSERT_EQ(pages.size(), 3u);
  const PageRect body = f.paginator->Frame(*f.sheet).body;
  const PrintedPage& wide = pages[1];
  EXPECT_EQ(wide.firstColumn, 2);
  EXPECT_EQ(wide.columnCount, 1);
  EXPECT_GE(wide.rescales, 1);
  EXPECT_LE(wide.rescales, SheetPaginator::kMostRescales);
  EXPECT_GT(wide.fontHeight, f.paginator->BaseFontHeight());  // negative: smaller
  EXPECT_LE(wide.blockWidth, body.width());
  // The pages beside it keep the chosen size, and painting builds each page's own.
  EXPECT_EQ(pages[2].fontHeight, f.paginator->BaseFontHeight());
  f.paginator->Prepare(*f.sheet, wide);
  EXPECT_EQ(PageBlock::Layout(*f.sheet, wide).width, wide.blockWidth);
}

TEST(SheetPaginationTest, FontIsMadeSmallerAtMostThreeTimes) {
  test::FixedTextMetrics metrics(8);  // text as wide in every font: it never fits
  PrintFixture f({"No|" + std::string(1000, 'W'), "1|a"}, metrics);
  const std::vector<PrintedPage> pages = f.Paginate(3000, 3000, 600);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].rescales, SheetPaginator::kMostRescales);
  EXPECT_GT(pages[0].blockWidth, 3000);  // printed as it is, cut off at the edge
  EXPECT_EQ(pages[0].columnCount, 1);
}

TEST(SheetPaginationTest, SheetThatCannotPrintHasNoPages) {
  PlainTextMetrics metrics;
  PrintFixture f({"No|A", "1|a"}, metrics, "(FixedRows=1)(NoPrint)");
  EXPECT_TRUE(f.Paginate(1000, 1000).empty());
}

TEST(SheetPaginationTest, PrintingSizeFollowsTheChosenPoints) {
  PlainTextMetrics metrics;
  PrintFixture f({"No|A", "1|a"}, metrics);
  PrintSetup setup;
  setup.area = {0, 0, 4000, 6000};
  setup.dotsPerInch = 600;
  setup.fontPoints = PrintFontSize::PointsOfChoice(5);
  const SheetPaginator paginator(metrics, setup);
  const std::vector<PrintedPage> pages = paginator.Paginate(*f.sheet, "Plan");
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].fontHeight, -100);
  EXPECT_EQ(f.sheet->basicCell().font->height, -100);  // 12 points at 600 dots per inch
}

}  // namespace
}  // namespace rtv
