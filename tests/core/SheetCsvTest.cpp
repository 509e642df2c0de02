// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "RecordingMainView.h"
#include "ShippedController.h"
#include "TempFolder.h"
#include "app/AppSettings.h"
#include "app/MainController.h"
#include "base/Message.h"
#include "base/PlainTextMetrics.h"
#include "cells/CellNames.h"
#include "compare/ImageDifferences.h"
#include "overlay/OverlayText.h"
#include "sheet/CsvTable.h"
#include "sheet/Sheet.h"
#include "sheet/SheetExporter.h"
#include "sheet/SheetImporter.h"
#include "sheet/TreeSheets.h"

namespace rtv {
namespace {

// The program's controller on the shipped overlay and initial files, with one sheet built
// without widgets.
struct ShippedSheet : test::ShippedController {
  explicit ShippedSheet(int model = 0, const std::string& name = "GI_Sheet_IntCh")
      : ShippedController(model) {
    Open(name);
  }
  void Open(const std::string& name) { sheet = BuildSheet(name); }
  std::vector<CsvTable::Row> Table() const { return SheetExporter(*sheet).Table(); }
  SheetImporter::Report Import(const std::vector<CsvTable::Row>& rows) {
    return SheetImporter(*sheet, controller.Choices(), &controller.CurrentDocument().Working())
        .Import(CsvTable::Write(rows));
  }

  std::unique_ptr<Sheet> sheet;
};

// The row of a channel (or free channel) number in the first column.
int RowOf(const std::vector<CsvTable::Row>& rows, const std::string& number) {
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (!rows[row].empty() && rows[row][0] == number) return static_cast<int>(row);
  }
  ADD_FAILURE() << "no row " << number;
  return 0;
}

bool SameBytes(const EepromImage& a, const EepromImage& b) {
  return a.Size() == b.Size() && std::equal(a.Data(), a.Data() + a.Size(), b.Data());
}

TEST(SheetCsvTest, AnUnchangedExportImportsWithoutChangingAByte) {
  OptionalSheets every;
  every.usaChannels = every.canadianChannels = every.weatherChannels = true;
  every.makerSheets = every.adjustSheets = true;
  for (int model = 0; model < 7; ++model) {
    ShippedSheet shipped(model);
    const EepromImage before = shipped.controller.CurrentDocument().Working();
    for (const TreeSheets::Entry& entry : TreeSheets::List(shipped.overlay, every)) {
      SCOPED_TRACE("model " + std::to_string(model) + " " + entry.key);
      shipped.Open(entry.key);
      const auto rows = shipped.Table();
      ASSERT_EQ(static_cast<int>(rows.size()), shipped.sheet->rowCount());
      const SheetImporter::Report report = shipped.Import(rows);
      EXPECT_TRUE(report.Clean()) << report.Text();
      EXPECT_EQ(report.taken, 0);
      EXPECT_TRUE(SameBytes(shipped.controller.CurrentDocument().Working(), before));
    }
  }
}

TEST(SheetCsvTest, TheTreeListsTheSheetsOfTheModeAndRegions) {
  ShippedSheet shipped;
  const auto keys = [&](const OptionalSheets& shown) {
    std::string list;
    for (const auto& entry : TreeSheets::List(shipped.overlay, shown)) list += entry.key + " ";
    return list;
  };
  OptionalSheets plain;
  plain.modelSheets = false;
  EXPECT_EQ(keys(plain),
            "GI_Sheet_IntCh GI_Sheet_FreeCh GI_Sheet_DscSet GI_Sheet_DscCall GI_Sheet_DscCh "
            "GI_Sheet_DscIndId GI_Sheet_DscGrpId GI_Sheet_Common GI_Sheet_RadioSet "
            "GI_Sheet_Config ");
  OptionalSheets more = plain;
  more.weatherChannels = more.modelSheets = more.makerSheets = true;
  EXPECT_EQ(keys(more),
            "GI_Sheet_IntCh GI_Sheet_WxCh GI_Sheet_FreeCh GI_Sheet_DscSet GI_Sheet_DscCall "
            "GI_Sheet_DscCh GI_Sheet_DscIndId GI_Sheet_DscGrpId GI_Sheet_Common "
            "GI_Sheet_RadioSet GI_Sheet_Config GI_Sheet_Atis GI_Sheet_MakerSet "
            "GI_Sheet_AdjParam ");
  EXPECT_EQ(TreeSheets::List(shipped.overlay, plain).front().title, "INT Channels");
}

struct Edit {
  int column;
  const char* typed;
  const char* shown;  // after the import; for a refused cell what it showed before
};

struct EditCase {
  const char* sheet;
  const char* row;  // the first column's text
  std::vector<Edit> edits;
  std::vector<std::string> reasons;  // of the refused cells, in order
};

// Edits the rows as a spreadsheet would, imports them and checks what each cell shows.
void CheckEdits(const EditCase& c) {
  SCOPED_TRACE(std::string(c.sheet) + " row " + c.row);
  ShippedSheet shipped(0, c.sheet);
  const EepromImage before = shipped.controller.CurrentDocument().Working();
  auto rows = shipped.Table();
  const int row = RowOf(rows, c.row);
  for (const Edit& edit : c.edits) {
    rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(edit.column)] = edit.typed;
  }
  const SheetImporter::Report report = shipped.Import(rows);
  std::vector<std::string> reasons;
  int refused = 0;
  for (const auto& issue : report.issues) {
    EXPECT_EQ(issue.line, row + 1);
    reasons.push_back(issue.reason);
    if (issue.reason.rfind("taken as", 0) != 0) ++refused;
  }
  EXPECT_EQ(reasons, c.reasons);
  EXPECT_EQ(report.taken + refused, static_cast<int>(c.edits.size()));
  for (const Edit& edit : c.edits) {
    EXPECT_EQ(SheetExporter(*shipped.sheet).CellText(edit.column, row), edit.shown)
        << "column " << edit.column;
  }
  EXPECT_EQ(SameBytes(shipped.controller.CurrentDocument().Working(), before), report.taken == 0);
}

TEST(SheetCsvTest, EditedCellsAreCommittedAsTypingWould) {
  const EditCase cases[] = {
      {"GI_Sheet_IntCh", "1", {{6, "HARBOUR", "HARBOUR"}}, {}},  // text
      {"GI_Sheet_IntCh", "1", {{4, "1 W", "1 W"}}, {}},          // choice label
      {"GI_Sheet_IntCh", "2", {{2, "fav", "FAV"}}, {}},          // label, other case
      {"GI_Sheet_IntCh", "3", {{4, " 1 W ", "1 W"}, {6, "A,B \"C\"", "A,B \"C\""}}, {}},
      // A new free channel: its name first, then the frequencies, left to right; a TX
      // frequency equal to RX shows as such.
      {"GI_Sheet_FreeCh",
       "1",
       {{1, "MA", "MA"}, {2, "156.05", "156.05000"}, {3, "156.05", "<-"}},
       {}},
  };
  for (const EditCase& c : cases) CheckEdits(c);
}

TEST(SheetCsvTest, RefusedCellsAreReportedAndKeepTheirValue) {
  const EditCase cases[] = {
      {"GI_Sheet_IntCh", "1", {{4, "99 W", "25 W"}}, {"\"99 W\" is not one of the cell's choices"}},
      {"GI_Sheet_IntCh", "1", {{3, "RX", "TX/RX"}}, {"\"RX\" is not one of the cell's choices"}},
      // In the words the sheet view's status bar uses.
      {"GI_Sheet_FreeCh",
       "1",
       {{2, "156.0500", "---"}},
       {"Enter the name first: a private channel without a name has no frequency."}},
      {"GI_Sheet_FreeCh",
       "3",
       {{1, "MB", "MB"}, {2, "156.013", ""}},
       {"\"156.013\": 156.013 MHz is not on the 6.25 kHz raster: nearest 156.0125"}},
      // Taken, but not as written: the editors shorten and limit.
      {"GI_Sheet_FreeCh",
       "2",
       {{1, "MARINA", "MA"}, {2, "999", "199.98750"}},
       {"taken as \"MA\": Cut to 3 characters.",
        "taken as \"199.98750\": Frequencies run from 100.00000 to 199.98750 MHz: the nearest "
        "end of the band was taken."}},
  };
  for (const EditCase& c : cases) CheckEdits(c);
}

struct MalformedCase {
  const char* name;
  // Makes the file from the export's rows; row 4 is channel 1, whose comment it may edit.
  std::function<std::string(std::vector<CsvTable::Row>&)> make;
  int taken;
  std::vector<std::string> reasons;  // the start of each issue's reason, in order
};

TEST(SheetCsvTest, BadFilesApplyWhatMatchesAndReportTheRest) {
  const auto edited = [](std::vector<CsvTable::Row>& rows) -> std::vector<CsvTable::Row>& {
    rows[4][6] = "EDITED";
    return rows;
  };
  const MalformedCase cases[] = {
      {"byte order mark, CR-only line ends, blank lines at the end",
       [&](auto& rows) {
         std::string text = CsvTable::Write(edited(rows));
         std::erase(text, '\n');
         return "\xEF\xBB\xBF" + text + "\r\r";
       },
       1,
       {}},
      {"lines deleted, moved, repeated and renumbered: each goes to the row it names",
       [&](auto& rows) {
         edited(rows)[7][6] = "MOVED";  // channel 2
         std::swap(rows[4], rows[7]);
         rows.erase(rows.begin() + 5);
         rows[8] = rows[4];  // channel 2 again, now line 9
         rows[9][0] = "9999";
         rows[9][6] = "NOWHERE";
         return CsvTable::Write(rows);
       },
       2,
       {"repeats the row of line 5", "names no row of the sheet"}},
      {"short and long lines",
       [&](auto& rows) {
         edited(rows)[4].resize(7 + 3, "X");
         rows[7].resize(2);
         return CsvTable::Write(rows);
       },
       1,
       {"has 10 fields, the sheet 7 columns", "has 2 fields, the sheet 7 columns"}},
      {"a stray quote",
       [&](auto& rows) {
         std::string text = CsvTable::Write(rows);
         const auto at = text.find("PUB CORR");
         return text.replace(at, 8, "PUB\"CORR");
       },
       1,
       {"a quote inside an unquoted field"}},
      {"an unclosed quote swallows the rest",
       [&](auto& rows) {
         rows[7][6] = "NEVER";
         std::string text = CsvTable::Write(edited(rows));
         const auto at = text.find("\r\n1001,") + 2;
         return text.insert(at, "\"");
       },
       1,
       {"a quoted field is not closed", "has 1 fields", "names no row"}},
      {"100,000 lines",
       [&](auto& rows) {
         std::string text = CsvTable::Write(edited(rows));
         for (int i = 0; i < 100000; ++i) text += "9,,-,TX/RX,25 W,-,X\r\n";
         return text;
       },
       1,
       {"this line and the 99999 after it are beyond"}},
      {"bytes that are no text after the headings",
       [&](auto& rows) {
         return CsvTable::Write({rows[0]}) + std::string("\0\xFF\",\r\n,,\x80\xC3", 10);
       },
       0,
       {"a quote inside", "has 2 fields", "names no row", "has 3 fields", "names no row"}},
  };
  for (const MalformedCase& c : cases) {
    SCOPED_TRACE(c.name);
    ShippedSheet shipped;
    const EepromImage before = shipped.controller.CurrentDocument().Working();
    auto rows = shipped.Table();
    const std::string text = c.make(rows);
    const SheetImporter::Report report =
        SheetImporter(*shipped.sheet, shipped.controller.Choices()).Import(text);
    EXPECT_EQ(report.taken, c.taken);
    ASSERT_EQ(report.issues.size(), c.reasons.size()) << report.Text();
    for (std::size_t i = 0; i < c.reasons.size(); ++i) {
      EXPECT_EQ(report.issues[i].reason.rfind(c.reasons[i], 0), 0u) << report.issues[i].reason;
    }
    EXPECT_EQ(SameBytes(shipped.controller.CurrentDocument().Working(), before), c.taken == 0);
  }
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// The File menu's two items on the sheet on show.
struct MenuFixture : ShippedSheet {
  MenuFixture() {
    commits = bus.SubscribeTo<msg::CommitEdits>(
        [this](const msg::CommitEdits&) { events.push_back("commit"); });
    view.sheetOnShow = sheet.get();
    view.sheetsClosed = 0;  // start-up's
  }
  void Choose(int index, const std::string& path) {
    Cell item;
    item.cellLink = LinkNo("CL_Menu_File_Exp");
    item.index = index;
    prompts.fileNames.push_back(path);
    controller.RunCellCommand(item.cellLink, item);
    events.push_back("ran");
  }
  test::TempFolder folder;
  std::vector<std::string> events;
  BusSubscription commits;
};

TEST(SheetCsvTest, TheMenuItemsNeedASheetOnShow) {
  MenuFixture menu;
  Cell item;
  item.cellLink = LinkNo("CL_Menu_File_Exp");
  for (int index : {0, 1}) {
    item.index = index;
    menu.view.sheetOnShow = menu.sheet.get();
    EXPECT_EQ(menu.controller.CellCommandState(item.cellLink, item).flags, 0);
    menu.view.sheetOnShow = nullptr;
    EXPECT_EQ(menu.controller.CellCommandState(item.cellLink, item).flags,
              CellAccessHost::kCommandDisabled);
    menu.Choose(index, menu.folder.File("x.csv"));  // nothing to do
  }
  EXPECT_TRUE(menu.prompts.dialogs.empty());
  EXPECT_TRUE(menu.prompts.shown.empty());
}

TEST(SheetCsvTest, TheMenuExportsTheSheetAsShown) {
  MenuFixture menu;
  menu.Choose(0, "");  // cancelled
  EXPECT_EQ(menu.events, (std::vector<std::string>{"commit", "ran"}));
  const std::string path = menu.folder.File("int.csv");
  menu.Choose(0, path);
  EXPECT_EQ(ReadFile(path), SheetExporter(*menu.sheet).Csv());
  ASSERT_EQ(menu.prompts.dialogs.size(), 2u);
  EXPECT_EQ(menu.prompts.dialogs[1].defaultExtension, "csv");
  EXPECT_EQ(menu.prompts.dialogs[1].fileName, "INT Channels.csv");  // the title, not the key
  EXPECT_TRUE(menu.prompts.shown.empty());
  menu.Choose(0, menu.folder.File("no/such/folder.csv"));
  ASSERT_EQ(menu.prompts.shown.size(), 1u);
  EXPECT_EQ(menu.prompts.shown[0].icon, PromptIcon::Warning);
}

struct MenuImportCase {
  const char* name;
  const char* channelOne;  // the line of channel 1; null: no file at all
  bool changed;
  PromptIcon icon;
  const char* message;
};

TEST(SheetCsvTest, TheMenuImportsIntoTheSheetAndReports) {
  const MenuImportCase cases[] = {
      {"taken", "1,,-,TX/RX,1 W,-,PUB CORR", true, PromptIcon::Information,
       "1 cell taken.\n  line 5, column 5: now \"1 W\"\n"},
      {"refused", "1,,-,TX/RX,2 W,-,HARBOUR", true, PromptIcon::Warning,
       "1 cell taken.\n  line 5, column 7: now \"HARBOUR\"\n\n"
       "line 5, column 5: \"2 W\" is not one of the cell's choices\n"},
      {"unchanged", "1,,-,TX/RX,25 W,-,PUB CORR", false, PromptIcon::Information,
       "\nThe file would change nothing; nothing was imported."},
  };
  for (const MenuImportCase& c : cases) {
    SCOPED_TRACE(c.name);
    MenuFixture menu;
    const EepromImage before = menu.controller.CurrentDocument().Working();
    auto rows = menu.Table();
    ASSERT_EQ(rows[4][0], "1");
    rows[4] = CsvTable::Read(c.channelOne).rows()[0];
    const std::string path = menu.folder.File("in.csv");
    WriteFile(path, CsvTable::Write(rows));
    menu.Choose(1, path);
    EXPECT_EQ(menu.events.front(), "commit");
    EXPECT_EQ(!SameBytes(menu.controller.CurrentDocument().Working(), before), c.changed);
    EXPECT_EQ(menu.controller.CurrentDocument().IsDirty(), c.changed);
    EXPECT_EQ(menu.view.sheetsClosed, c.changed ? 1 : 0);  // rebuilt on the next tick
    EXPECT_EQ(menu.controller.CurrentDocument().History().UndoCount(), c.changed ? 1u : 0u);
    ASSERT_EQ(menu.prompts.shown.size(), 1u);
    EXPECT_EQ(menu.prompts.shown[0].icon, c.icon);
    // What would change nothing is named with its file.
    EXPECT_EQ(menu.prompts.shown[0].text, (c.changed ? "" : path) + c.message);
  }
}

struct PreviewFixture : MenuFixture {
  PreviewFixture() {
    preview.sheetOnShow = sheet.get();
    preview.previewsImports = true;
    controller.Setup(preview);
    preview.sheetsClosed = 0;
    auto rows = Table();
    rows[static_cast<std::size_t>(RowOf(rows, "16"))][6] = "SAFETY";
    path = folder.File("in.csv");
    WriteFile(path, CsvTable::Write(rows));
  }
  test::RecordingMainView preview;
  std::string path;
};

TEST(SheetCsvTest, AnImportWaitsForApplyInItsPreviewAndIsOneStep) {
  PreviewFixture f;
  const EepromImage before = f.controller.CurrentDocument().Working();
  f.Choose(1, f.path);
  // Shown, nothing changed yet; leaving the preview without Apply is all Cancel does.
  ASSERT_TRUE(f.preview.applyImport);
  EXPECT_EQ(f.preview.shownOrigin, f.path);
  ASSERT_EQ(f.preview.shownDifferences.cells.size(), 1u) << f.preview.shownDifferences.Text();
  EXPECT_EQ(f.preview.shownDifferences.cells[0].valueB, "SAFETY");
  EXPECT_EQ(f.preview.shownReport.taken, 1);
  EXPECT_TRUE(SameBytes(f.controller.CurrentDocument().Working(), before));
  EXPECT_FALSE(f.controller.CurrentDocument().IsDirty());
  EXPECT_FALSE(f.controller.CurrentDocument().History().CanUndo());
  EXPECT_TRUE(f.prompts.shown.empty());

  f.preview.applyImport();
  EXPECT_FALSE(SameBytes(f.controller.CurrentDocument().Working(), before));
  EXPECT_TRUE(f.controller.CurrentDocument().IsDirty());
  EXPECT_EQ(f.controller.CurrentDocument().History().UndoCount(), 1u);
  EXPECT_EQ(f.controller.CurrentDocument().UndoCaption(), "Undo Import CSV");
  ASSERT_EQ(f.prompts.shown.size(), 1u);
  EXPECT_EQ(f.prompts.shown[0].text, f.preview.shownReport.Summary());
  f.controller.Undo();
  EXPECT_TRUE(SameBytes(f.controller.CurrentDocument().Working(), before));
}

TEST(SheetCsvTest, ApplyRefusesWhenTheMemoryChangedAfterThePreview) {
  PreviewFixture f;
  f.Choose(1, f.path);
  ASSERT_TRUE(f.preview.applyImport);
  EepromImage& working = f.controller.CurrentDocument().Working();
  working.SetByte(0x0B31, static_cast<std::uint8_t>(working.GetByte(0x0B31) ^ 0xFF));
  const EepromImage changed = working;
  f.preview.applyImport();
  EXPECT_TRUE(SameBytes(working, changed));
  ASSERT_EQ(f.prompts.shown.size(), 1u);
  EXPECT_EQ(f.prompts.shown[0].icon, PromptIcon::Warning);
  EXPECT_NE(f.prompts.shown[0].text.find("nothing was imported"), std::string::npos)
      << f.prompts.shown[0].text;
  EXPECT_EQ(f.preview.sheetsClosed, 0);
}

struct UnreadableCase {
  const char* what;
  std::string path;  // in the fixture's folder unless absolute
  const char* reason;
};

TEST(SheetCsvTest, TheMenuRefusesWhatIsNoCsvOfTheSheetAtOnce) {
  const UnreadableCase cases[] = {
      {"missing", "missing.csv", "does not exist."},
      {"folder", "folder", "is a folder, not a file."},
      {"fifo", "fifo", "is not a plain file (a pipe, a device or a socket)."},
      {"endless", "/dev/zero", "is not a plain file (a pipe, a device or a socket)."},
      {"huge", "huge.csv", "is larger than 4096 KB."},
      {"another sheet", "ids.csv",
       "this CSV is not a INT Channels sheet: its columns are No., MMSI, Name."},
  };
  for (const UnreadableCase& c : cases) {
    SCOPED_TRACE(c.what);
    MenuFixture menu;
    ASSERT_EQ(::mkdir(menu.folder.File("folder").c_str(), 0700), 0);
    ASSERT_EQ(::mkfifo(menu.folder.File("fifo").c_str(), 0600), 0);
    WriteFile(menu.folder.File("huge.csv"), std::string(SheetImporter::kMaxFileBytes + 1, '\n'));
    WriteFile(menu.folder.File("ids.csv"), "No.,MMSI,Name\r\n1,,ANNA\r\n1,,-,TX/RX,1 W,-,X\r\n");
    const EepromImage before = menu.controller.CurrentDocument().Working();
    const std::string path = c.path[0] == '/' ? c.path : menu.folder.File(c.path);
    const auto start = std::chrono::steady_clock::now();
    menu.Choose(1, path);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    ASSERT_EQ(menu.prompts.shown.size(), 1u);
    EXPECT_EQ(menu.prompts.shown[0].icon, PromptIcon::Warning);
    EXPECT_EQ(menu.prompts.shown[0].text, path + "\n" + c.reason);
    EXPECT_TRUE(SameBytes(menu.controller.CurrentDocument().Working(), before));
    EXPECT_EQ(menu.view.sheetsClosed, 0);
  }
}

// Each file of a pair names the other's columns: row numbers alone would apply one to the
// other.
TEST(SheetCsvTest, ACsvOfAnotherSheetIsRefusedWithNothingTaken) {
  const char* const pairs[][2] = {
      {"GI_Sheet_DscIndId", "GI_Sheet_WxCh"},
      {"GI_Sheet_DscIndId", "GI_Sheet_DscGrpId"},
      {"GI_Sheet_RadioSet", "GI_Sheet_Config"},
      {"GI_Sheet_Config", "GI_Sheet_RadioSet"},
  };
  for (const auto& pair : pairs) {
    SCOPED_TRACE(std::string(pair[0]) + " into " + pair[1]);
    ShippedSheet shipped(0, pair[0]);
    auto rows = shipped.Table();
    for (std::size_t row = 1; row < rows.size(); ++row) {
      for (std::string& field : rows[row]) field = "X" + field;
    }
    const std::string columns = rows[0][0];
    const EepromImage before = shipped.controller.CurrentDocument().Working();
    shipped.Open(pair[1]);
    const SheetImporter::Report report =
        SheetImporter(*shipped.sheet, shipped.controller.Choices(),
                      &shipped.controller.CurrentDocument().Working())
            .Import(CsvTable::Write(rows));
    EXPECT_EQ(report.refusal.rfind("this CSV is not a " + shipped.sheet->TitleText() +
                                       " sheet: its columns are " + columns,
                                   0),
              0u)
        << report.refusal;
    EXPECT_EQ(report.taken, 0);
    EXPECT_TRUE(report.takenCells.empty());
    EXPECT_FALSE(report.Clean());
    EXPECT_TRUE(SameBytes(shipped.controller.CurrentDocument().Working(), before));
  }
}

// A spreadsheet's reordered or partial copy of an export: the heading line says which column
// is which, whatever its order and case; the columns it leaves out stay as they are.
TEST(SheetCsvTest, ReorderedAndPartialCsvsTakeTheSameValuesAsTheFullOne) {
  ShippedSheet full;
  auto rows = full.Table();
  const int row16 = RowOf(rows, "16");
  rows[static_cast<std::size_t>(row16)][6] = "SAFETY";
  rows[static_cast<std::size_t>(row16)][4] = "1 W";
  const SheetImporter::Report fullReport = full.Import(rows);
  ASSERT_EQ(fullReport.taken, 2) << fullReport.Summary();

  // Comment, Ch and Power only, in that order, headings as a spreadsheet user might type.
  const std::vector<std::size_t> picked = {6, 0, 4};
  struct Variant {
    const char* name;
    bool shuffleRows;
    std::vector<std::string> headings;
  };
  const Variant variants[] = {
      {"reordered", false, {"Comment", "Ch", "Power"}},
      {"other case and spaces", false, {" comment ", "CH", "power"}},
      {"rows shuffled", true, {"Comment", "Ch", "Power"}},
  };
  for (const Variant& variant : variants) {
    SCOPED_TRACE(variant.name);
    ShippedSheet partial;
    std::vector<CsvTable::Row> table;
    table.push_back(variant.headings);
    for (std::size_t row = 1; row < rows.size(); ++row) {
      CsvTable::Row fields;
      for (std::size_t column : picked) fields.push_back(rows[row][column]);
      table.push_back(fields);
    }
    if (variant.shuffleRows) std::reverse(table.begin() + 1, table.end());
    const SheetImporter::Report report = partial.Import(table);
    EXPECT_TRUE(report.Clean()) << report.Summary();
    EXPECT_EQ(report.taken, 2);
    EXPECT_TRUE(SameBytes(partial.controller.CurrentDocument().Working(),
                          full.controller.CurrentDocument().Working()));
  }
}

TEST(SheetCsvTest, UnknownColumnsAreReportedAndTheRestTaken) {
  ShippedSheet shipped;
  const EepromImage before = shipped.controller.CurrentDocument().Working();
  const SheetImporter::Report report =
      shipped.Import({{"Notes", "Ch", "Comment"}, {"call at 6", "16", "SAFETY"}});
  EXPECT_EQ(report.taken, 1) << report.Summary();
  ASSERT_EQ(report.issues.size(), 1u) << report.Summary();
  EXPECT_EQ(report.issues.front().line, 1);
  EXPECT_EQ(report.issues.front().column, 1);
  EXPECT_EQ(report.issues.front().reason, "the sheet has no column \"Notes\"; left out");
  // A heading line that names no column of the sheet is still refused whole.
  ShippedSheet other;
  const SheetImporter::Report refused = other.Import({{"Notes", "Remarks"}, {"a", "b"}});
  EXPECT_FALSE(refused.refusal.empty());
  EXPECT_TRUE(SameBytes(other.controller.CurrentDocument().Working(), before));
}

TEST(SheetCsvTest, TheRefusalNamesAReadableShareOfTheColumns) {
  ShippedSheet shipped(0, "GI_Sheet_DscIndId");
  const SheetImporter::Report report = shipped.Import(
      {{"", std::string(50, 'x'), "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n"}});
  EXPECT_EQ(report.refusal, "this CSV is not a " + shipped.sheet->TitleText() +
                                " sheet: its columns are (empty), " + std::string(40, 'x') +
                                "…, c, d, e, f, g, h, i, j, k, l, …");
}

TEST(SheetCsvTest, TheReportListsTheCellsTaken) {
  ShippedSheet shipped(0, "GI_Sheet_DscIndId");
  auto rows = shipped.Table();
  rows[1][1] = "123456789";
  rows[1][2] = "ANNA";
  rows[3][1] = "987654321";
  rows[3][2] = "=CMD()";
  rows[5][1] = "1";  // refused
  const SheetImporter::Report report = shipped.Import(rows);
  ASSERT_EQ(report.takenCells.size(), 4u) << report.Summary();
  EXPECT_EQ(report.takenCells[1].line, 2);
  EXPECT_EQ(report.takenCells[1].row, 1);
  EXPECT_EQ(report.takenCells[1].column, 2);
  EXPECT_EQ(report.takenCells[3].shown, "=CMD()");
  EXPECT_EQ(report.Summary().substr(0, report.Summary().find("\n\n")),
            "4 cells taken.\n  line 2, column 2: now \"123456789\"\n"
            "  line 2, column 3: now \"ANNA\"\n  line 4, column 2: now \"987654321\"\n"
            "  line 4, column 3: now \"=CMD()\"");
  ASSERT_EQ(report.issues.size(), 1u);
  EXPECT_EQ(report.issues[0].line, 6);
  // The guarded name comes back as it was.
  const std::string csv = SheetExporter(*shipped.sheet).Csv();
  EXPECT_NE(csv.find("\r\n3,987654321,'=CMD()\r\n"), std::string::npos);
  EXPECT_EQ(CsvTable::Read(csv).rows()[3][2], "=CMD()");
}

// A replaced file is a new file: a hard link (or a reader holding it open) keeps the old text.
TEST(SheetCsvTest, TheMenuExportReplacesTheFileWhole) {
  MenuFixture menu;
  const std::string path = menu.folder.File("int.csv");
  WriteFile(path, "old text");
  ASSERT_EQ(::link(path.c_str(), menu.folder.File("old.csv").c_str()), 0);
  menu.Choose(0, path);
  EXPECT_EQ(ReadFile(path), SheetExporter(*menu.sheet).Csv());
  EXPECT_EQ(ReadFile(menu.folder.File("old.csv")), "old text");
  EXPECT_EQ(menu.folder.Entries(), (std::vector<std::string>{"int.csv", "old.csv"}));
}

}  // namespace
}  // namespace rtv
