// SPDX-License-Identifier: GPL-3.0-or-later
// Building the INT channel sheet and painting one screen of it, offscreen. The shipped
// overlay has no sheets yet: the table here is shaped like the INT list (a heading row and
// a one-line body of seven columns over 421 channels), its cells served by a stand-in for
// the channel list columns that formats a text per cell.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>
#include <string>
#include <vector>

#include "overlay/OverlayText.h"
#include "platform/qt/QtTextMetrics.h"
#include "radio/ItemAccessor.h"
#include "sheet/ModelSheet.h"
#include "sheet/SheetModelHost.h"
#include "sheet/widgets/SheetView.h"

namespace {

using namespace rtv;

QApplication& App() {
  static int argc = 1;
  static char name[] = "SheetWidgetBench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

// Every plan channel and every user channel named.
class AllChannels : public SheetModelHost {
 public:
  int ModelType() const override { return 0; }
  bool UsableView() const override { return false; }
  std::uint8_t RegionFlags() const override { return 0x07; }
  ChannelMarks Channel(ListKind, int) const override { return {false, false, false, false}; }
};

std::vector<std::string> IntListOverlay() {
  return {
      "#GI_Sheet_IntCh_Style",
      "(TitleString=INT channels)(FixedRows=1)(FixedCols=1)(ColSizing)(WithUsable)",
      "#GI_Sheet_IntCh_BasicCell",
      "{(%CT_IntCh.)<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-13,,,)}",
      "#GI_Sheet_IntCh_Cells",
      "{^-WH(Color=clBtnFace)}Ch|{^-WH(Color=clBtnFace)}Use|{^-WH(Color=clBtnFace)}Fav"
      "|{^-WH(Color=clBtnFace)}TX inh.|{^-WH(Color=clBtnFace)}Power"
      "|{^-WH(Color=clBtnFace)}Simplex|{^-WH(Color=clBtnFace)}Comment",
      ":(LoopFrom)",
      "{>-WHB(%CL_ChList_No_INT[0])}0000|{S^-WB(%CL_ChList_Atr[0])}PC"
      "|{S^-WB(%CL_ChList_Fav[0])}Fav|{S^-WB(%CL_ChList_TxInh[0])}Inhibit"
      "|{S^-WB(%CL_ChList_Pwr[0])}High|{S^-WB(%CL_ChList_Simp[0])}Duplex"
      "|{S<-WBX(%CL_ChList_Comment[0])}MMMMMMMMMM",
      ":(LoopTo)",
      "#",
      "#GI_CellWidthRegList",
      "#",
      "#GI_AppInd_chSheet_Usable_Title",
      "(usable)",
      "#GI_AppInd_chSheet_Usable_Font",
      ",,clRed,,,fsBold,",
      "#End_Of_Ovl",
  };
}

struct IntSheet {
  IntSheet() {
    App();
    overlay.SetLines(IntListOverlay());
    accessor.Serve(LinkFamily::ChannelListColumns, [](CellAccess& access) {
      const int row = access.cell.index;
      switch (access.cell.cellLink - LinkNo("CL_ChList_No_INT")) {
        case 0:
          access.request.displayText = std::to_string(row / 3 + (row % 3) * 1000);
          break;
        case 3:
          access.request.displayText = row % 7 == 0 ? "P" : "";
          break;
        case 8:
          access.request.displayText = "CH " + std::to_string(row);
          break;
        default:
          access.request.displayText = row % 2 == 0 ? "Yes" : "No";
          break;
      }
      return AccessResult::Nothing;
    });
  }
  OverlayText overlay;
  QtTextMetrics metrics;
  AllChannels model;
  ItemAccessor accessor;
  SheetServices services{overlay, metrics, [this](CellRequest& r, bool notify) {
                           return accessor.AccessCell(r, notify);
                         }};
};

void BM_BuildIntChannelSheet(benchmark::State& state) {
  IntSheet f;
  ModelSheet sheet(f.services, f.model, f.overlay, "GI_Sheet_IntCh");
  for (auto _ : state) {
    sheet.Build();
    benchmark::DoNotOptimize(sheet.rowCount());
  }
  state.counters["rows"] = sheet.rowCount();
}
BENCHMARK(BM_BuildIntChannelSheet)->Unit(benchmark::kMillisecond);

void BM_RepaintIntChannelSheet(benchmark::State& state) {
  IntSheet f;
  ModelSheet sheet(f.services, f.model, f.overlay, "GI_Sheet_IntCh");
  sheet.Build();
  SheetViewServices services{&f.services, &f.model, nullptr, nullptr, nullptr};
  SheetView sheetView(sheet, services);
  sheetView.resize(1280, 900);
  QImage image(sheetView.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    sheetView.viewport()->render(&image);
  }
  state.counters["cells"] = sheetView.TakePaintedCells() / static_cast<double>(state.iterations());
}
BENCHMARK(BM_RepaintIntChannelSheet)->Unit(benchmark::kMillisecond);

}  // namespace
