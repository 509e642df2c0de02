// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "MemoryClipboard.h"
#include "app/MainView.h"
#include "cells/CellCatalog.h"

namespace rtv::test {

// A main window without widgets that records what the controller asks of it. It knows
// which sheet is on show and has a clipboard in memory; the windows a test needs are
// switched on by their flags (without them the controller takes its fallbacks: a message
// box for the clone information, the import applied at once, the adjustment sheet).
struct RecordingMainView : MainView {
  // The form.
  void ShowMainWindow() override { ++windowShows; }
  void RedrawMessagePanel() override { ++redraws; }
  void SetBusy(bool on) override {
    ++busyCalls;
    busy = on;
  }
  void CloseMainWindow() override { ++closeRequests; }
  void SetToolbarVisible(bool visible) override { toolbarVisible = visible; }
  void ShowAbout() override { ++aboutBoxes; }
  void OpenHelp(const std::string& path, int contextId) override {
    helpPages.push_back(path + "#" + std::to_string(contextId));
  }
  SystemClipboard* Clipboard() override { return &clipboard; }
  LinkView* LinkWindows() override { return linkWindows; }

  // The document's title.
  void SetTitle(const std::string& title) override { titles.push_back(title); }
  void SetModified(bool on) override { modified.push_back(on); }

  // The tree.
  void RebuildTree() override { ++treeBuilds; }
  void ShowTreeAndSelectFirst() override {}
  void AppendToTreeRoot(const std::string& text) override { rootSuffix = text; }
  void AdjustOptionalSheets(const OptionalSheets& sheets) override { optional = sheets; }
  void ShowWarningMarks(const std::vector<std::string>& errors,
                        const std::vector<std::string>& warnings) override {
    errorMarks = errors;
    warningMarks = warnings;
  }
  std::string SheetCaption(const std::string& sheet) const override { return sheet; }
  std::string SelectedTreeSheet() const override { return {}; }
  bool StartPageChosen() const override { return false; }

  // The sheet on show.
  void OpenSheet(const std::string& name) override { openedSheets.push_back(name); }
  bool HasSheet() const override { return true; }
  Sheet* SheetOnShow() override { return sheetOnShow; }
  void ShowEditPlace(const std::string& sheet, int cellLink, int index) override {
    places.push_back(sheet + " " + CellLinkName(cellLink) + "[" + std::to_string(index) + "]");
  }
  void RebuildSheetOnShow() override { ++rebuilt; }
  void CloseCurrentSheet() override { ++sheetsClosed; }
  bool CanPrintSheet() const override { return false; }
  void PrintSheets(bool) override {}

  // The service windows; the memory and flag bits windows open on the first ask only.
  void ShowMakerPanel(const std::string& text) override { makerPanel = text; }
  void ShowCompareWindow(const std::string& text) override { compares.push_back(text); }
  bool OpenMemoryWindow() override { return ++memoryWindows == 1; }
  bool OpenFlagBitsWindow() override { return ++flagBitsWindows == 1; }
  bool OpenFreeDebugWindow(std::function<void()>) override { return false; }
  bool OpenAdjustWindow(const AdjustWindowActions& given) override {
    ++adjustOpened;
    if (!hasAdjustWindow || adjustOpen) return false;
    adjustOpen = true;
    actions = given;
    return true;
  }

  // The result windows.
  void ShowDifferences(const std::string& title, const std::string&, const EepromImage&) override {
    differences.push_back(title);
  }
  bool ShowImportPreview(const std::string& origin, const ImageDifferences& shown,
                         const SheetImporter::Report& report,
                         std::function<void()> apply) override {
    if (!previewsImports) return false;
    shownOrigin = origin;
    shownDifferences = shown;
    shownReport = report;
    applyImport = std::move(apply);
    return true;
  }
  bool ShowCloneInfo() override {
    ++infoShown;
    return hasCloneInfoSheet;
  }

  // What a test sets.
  Sheet* sheetOnShow = nullptr;
  MemoryClipboard clipboard;
  LinkView* linkWindows = nullptr;
  bool hasAdjustWindow = false;
  bool previewsImports = false;
  bool hasCloneInfoSheet = false;

  // What was asked.
  int windowShows = 0;  // times the main window was shown
  int redraws = 0;
  int busyCalls = 0;
  bool busy = false;
  int closeRequests = 0;
  bool toolbarVisible = true;
  int aboutBoxes = 0;
  std::vector<std::string> helpPages;
  std::vector<std::string> titles;
  std::vector<bool> modified;
  int treeBuilds = 0;
  std::string rootSuffix;
  OptionalSheets optional;
  std::vector<std::string> errorMarks;
  std::vector<std::string> warningMarks;
  std::vector<std::string> openedSheets;
  std::vector<std::string> places;
  int rebuilt = 0;
  int sheetsClosed = 0;
  std::string makerPanel;
  std::vector<std::string> compares;
  int memoryWindows = 0;
  int flagBitsWindows = 0;
  int adjustOpened = 0;
  bool adjustOpen = false;
  AdjustWindowActions actions;
  std::vector<std::string> differences;
  std::string shownOrigin;
  ImageDifferences shownDifferences;
  SheetImporter::Report shownReport;
  std::function<void()> applyImport;
  int infoShown = 0;
};

}  // namespace rtv::test
