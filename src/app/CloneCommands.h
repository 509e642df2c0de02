// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/AdjustValueStore.h"
#include "link/CloneSession.h"
#include "link/LinkController.h"
#include "link/PortField.h"
#include "radio/CloneInformation.h"

namespace rtv {

class Document;
class MainController;
struct Cell;

// The radio commands of the program: clone read, write and information, the adjustment
// exchanges and the port choice. Each is a chain of link exchanges; the image changes only
// when the whole chain succeeded.
class CloneCommands {
 public:
  static constexpr std::uint8_t kReadOneCodes[] = {0x57, 0x58};
  static constexpr std::int32_t kReadOneAddresses[] = {0x0026, 0x0027};
  // Clone > Compare with Radio: the second entry of the read command's link.
  static constexpr int kCompareWithRadio = 1;

  CloneCommands(MainController& controller, Document& document, LinkController::Services services);
  ~CloneCommands();
  CloneCommands(const CloneCommands&) = delete;
  CloneCommands& operator=(const CloneCommands&) = delete;

  // Runs the command of a menu cell; false when the link is none of these commands.
  bool Run(int cellLink, const Cell& cell);

  void CloneRead();
  // Reads the radio as Clone > Read does, into an image of its own, and shows what differs
  // from the working image; the working image, its history and its modified mark stay.
  void CompareWithRadio();
  void CloneWrite();
  void CloneInfo();
  // Adjust read: the caution unless adjust mode is on, then a read that turns it on.
  void AdjustRead();

  // Adjust mode: every value into the store; one value into the image (0: code 0x57 into
  // 0x0026, 1: code 0x58 into 0x0027).
  void ReadAllAdjustValues();
  void ReadOneAdjustValue(int which);
  // One value to the radio. Without read-back the destination takes it once the request
  // went out whole; with read-back it takes the radio's answer. Nothing is stored when the
  // exchange fails, and nothing is sent (false) while another exchange runs.
  bool SetAdjustValue(std::uint8_t code, std::uint8_t value, std::uint8_t* destination,
                      bool readBack);
  bool SetTwelveBitValue(std::uint16_t value);
  // An edited value of the adjustment sheet goes to the radio under its code; the sheet
  // shows it once sent. False when refused (busy, or a link that is shown only).
  bool SetSheetValue(int cellLink, int value);
  AdjustValueStore& AdjustValues() { return adjustValues_; }
  // The adjustment window asked for a second refresh after the next read of every value.
  void SetAdjustWindowRefresh(bool on) { adjustWindowRefresh_ = on; }
  // View > Adjustment: the window opens on the bus; the menu entry is checked while it is.
  void OpenAdjustWindow();
  void AdjustWindowClosed() { adjustWindowOpen_ = false; }
  bool AdjustWindowChecked() const { return adjustWindowOpen_; }

  // The port menu: entries with a number, the USB entry and the dialog's three fields.
  void SetPort(int port);
  bool PortChecked(int port) const;
  bool UsbPortChecked() const;
  void ShowPortDialog(PortField field);

  LinkController& Link() { return link_; }
  bool IsBusy() const { return link_.IsBusy(); }
  // What the last good identify brought: the block and the radio's two words.
  const CloneSession& Session() const { return session_; }
  // What the clone information cells show; null before the first good identify.
  CloneInformation* Information() { return session_.IdBlock().empty() ? nullptr : &information_; }
  // The model and the revision of the radio last identified.
  std::string InfoText();

 private:
  void CheckIdentity(LinkResult& result);
  void CheckImage(LinkResult& result);
  void Prepare();
  // Identifies the radio and reads it; `done` has the read's result, whatever it is.
  void StartRead(std::function<void(LinkResult&)> done);
  void ReadDone(LinkResult& result, bool adjustAfter);
  void CompareDone(LinkResult& result);
  void SayWhenStopped(const LinkResult& result);
  void WriteIdentified(LinkResult& result);
  void RunAdjustList(std::vector<AdjustLink::Item> items, bool readAll);
  // Sends the request the link holds; `sent` stores the value when it went out whole.
  bool SendAdjustValue(std::function<void()> sent);
  void AdjustmentDone();
  void RefuseWhileBusy();

  MainController& controller_;
  Document& document_;
  LinkController link_;
  CloneSession session_;
  CloneInformation information_;
  AdjustValueStore adjustValues_;
  bool adjustWindowRefresh_ = false;
  bool adjustWindowOpen_ = false;
  EepromImage outgoing_;
};

}  // namespace rtv
