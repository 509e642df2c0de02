// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <variant>

#include "base/Colour.h"

namespace rtv {

// The messages of the bus, one type each: what happened, or what a part asks of the
// others. A message carries its fields and nothing else. They live in `msg` because
// several name a view's method too (ShowAbout, OpenAdjustWindow).
namespace msg {

// The maker, adjust or port mode changed: menus and toolbar look again.
struct ModeChanged {
  bool operator==(const ModeChanged&) const = default;
};
struct ShowAbout {
  bool operator==(const ShowAbout&) const = default;
};
// The text of the status bar's message panel, in its colours.
struct StatusText {
  std::string text;
  ColourValue textColour = 0;
  ColourValue background = 0;
  bool operator==(const StatusText&) const = default;
};
struct OpenFlagBitsWindow {
  bool operator==(const OpenFlagBitsWindow&) const = default;
};
struct OpenMemoryWindow {
  bool operator==(const OpenMemoryWindow&) const = default;
};
// The maker's compare: the working image against the reference copy.
struct OpenDebugCompareWindow {
  bool operator==(const OpenDebugCompareWindow&) const = default;
};
// The reference copy becomes the working image as it is now.
struct TakeReference {
  bool operator==(const TakeReference&) const = default;
};
struct RefreshMenuStates {
  bool operator==(const RefreshMenuStates&) const = default;
};
struct RefreshToolbarStates {
  bool operator==(const RefreshToolbarStates&) const = default;
};
// The sub-items of the menu item bound to `cellLink` go.
struct ClearMenuSubItems {
  int cellLink = 0;
  bool operator==(const ClearMenuSubItems&) const = default;
};
// The menu item bound to `cellLink` gets the items of the overlay's popup menu `overlayKey`.
struct BuildMenuSubItems {
  int cellLink = 0;
  std::string overlayKey;
  bool operator==(const BuildMenuSubItems&) const = default;
};
// Every bound cell is drawn again.
struct DataChanged {
  bool operator==(const DataChanged&) const = default;
};
// The cells of one cell type, one cell link, or the list rows from, up to or at an index are
// drawn again.
struct RedrawType {
  int cellType = 0;
  bool operator==(const RedrawType&) const = default;
};
struct RedrawLink {
  int cellLink = 0;
  bool operator==(const RedrawLink&) const = default;
};
struct RedrawIndex {
  int index = 0;
  bool operator==(const RedrawIndex&) const = default;
};
struct RedrawIndexUpTo {
  int index = 0;
  bool operator==(const RedrawIndexUpTo&) const = default;
};
struct RedrawIndexFrom {
  int index = 0;
  bool operator==(const RedrawIndexFrom&) const = default;
};
// The sheet's cursor moved to a cell bound to these.
struct CurrentCellChanged {
  int cellType = 0;
  int cellLink = 0;
  int index = 0;
  bool operator==(const CurrentCellChanged&) const = default;
};
// A value being typed is committed into the working image.
struct CommitEdits {
  bool operator==(const CommitEdits&) const = default;
};
// The warning checks ran again.
struct WarningsUpdated {
  bool operator==(const WarningsUpdated&) const = default;
};
// The tree selects the node of a sheet descriptor.
struct SelectTreeNode {
  std::string sheet;
  bool operator==(const SelectTreeNode&) const = default;
};
// New, Open, a clone read or a model change put another image in place.
struct ImageReplaced {
  bool operator==(const ImageReplaced&) const = default;
};
// Which channels are in use changed: the channel sheet on show lists them again.
struct ChannelsInUseChanged {
  bool operator==(const ChannelsInUseChanged&) const = default;
};
// The user asked for the other channel view (every channel, or those in use).
struct SwitchChannelView {
  bool operator==(const SwitchChannelView&) const = default;
};
struct OpenAdjustWindow {
  bool operator==(const OpenAdjustWindow&) const = default;
};
// The adjustment window was open already: its sheet is shown instead.
struct AdjustWindowOpen {
  std::string sheet;
  bool operator==(const AdjustWindowOpen&) const = default;
};
struct OpenFreeDebugWindow {
  bool operator==(const OpenFreeDebugWindow&) const = default;
};
// One line for the free debug window.
struct DebugText {
  std::string line;
  bool operator==(const DebugText&) const = default;
};
// The memory window shows this image address.
struct DebugGoToAddress {
  int address = 0;
  bool operator==(const DebugGoToAddress&) const = default;
};
// Paste Rows from the clipboard, once the popup command that asked has returned.
struct PasteClipboardRows {
  bool operator==(const PasteClipboardRows&) const = default;
};

}  // namespace msg

using Message = std::variant<
    msg::ModeChanged, msg::ShowAbout, msg::StatusText, msg::OpenFlagBitsWindow,
    msg::OpenMemoryWindow, msg::OpenDebugCompareWindow, msg::TakeReference, msg::RefreshMenuStates,
    msg::RefreshToolbarStates, msg::ClearMenuSubItems, msg::BuildMenuSubItems, msg::DataChanged,
    msg::RedrawType, msg::RedrawLink, msg::RedrawIndex, msg::RedrawIndexUpTo, msg::RedrawIndexFrom,
    msg::CurrentCellChanged, msg::CommitEdits, msg::WarningsUpdated, msg::SelectTreeNode,
    msg::ImageReplaced, msg::ChannelsInUseChanged, msg::SwitchChannelView, msg::OpenAdjustWindow,
    msg::AdjustWindowOpen, msg::OpenFreeDebugWindow, msg::DebugText, msg::DebugGoToAddress,
    msg::PasteClipboardRows>;

// Handlers of several message types in one visitor: std::visit(Overloaded{...}, message),
// with a last `[](const auto&) {}` for the types the subscriber ignores.
template <class... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
// Spelt out for compilers without deduction for aggregates (clang 14).
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace rtv
