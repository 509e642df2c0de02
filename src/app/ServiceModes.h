// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace rtv {

class OverlayText;
class Prompts;

// The maker's and the adjuster's modes. Maker mode comes from its command-line switch or
// from the maker word typed in the About box, each time after the maker caution, which is
// asked again before every clone write. Adjust mode comes from its switch or from reading
// adjustment values; New and Open end it unless the switch asked for it.
class ServiceModes {
 public:
  static constexpr const char* kMakerSwitch = "/kalvorn";
  static constexpr const char* kAdjustSwitch = "/bluefin_kor";
  static constexpr const char* kMakerWord = "kalvorn";
  enum class Mode { Maker, Adjust };
  // A mode has just come on.
  using TurnedOn = std::function<void(Mode mode)>;

  ServiceModes(OverlayText& overlay, Prompts& prompts) : overlay_(overlay), prompts_(prompts) {}

  void SetTurnedOn(TurnedOn turnedOn) { turnedOn_ = std::move(turnedOn); }
  // The program's arguments, program path included.
  void SetCommandLine(std::vector<std::string> arguments) { arguments_ = std::move(arguments); }
  // The modes the command line asks for.
  void ApplyCommandLine();

  bool Maker() const { return maker_; }
  bool Adjust() const { return adjust_; }
  void MakerOn();
  void AdjustOn();
  // A character typed in the About box.
  void KeyTyped(char character);
  // In maker mode the maker caution is asked again; false when it is declined.
  bool MakerWriteAllowed();
  // After New and Open.
  void EndAdjustUnlessRequested();

 private:
  bool Confirm(const char* key);

  OverlayText& overlay_;
  Prompts& prompts_;
  TurnedOn turnedOn_;
  std::vector<std::string> arguments_;
  bool maker_ = false;
  bool adjustRequested_ = false;
  bool adjust_ = false;
  std::string typed_;  // the last characters typed in the About box, lower-cased
};

}  // namespace rtv
