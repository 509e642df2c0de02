#pragma once

#include <string>
#include <vector>

namespace rtv {

// Every setting the program remembers between runs. Other parts read and change the
// fields directly while the program runs.
class AppSettings {
 public:
  static constexpr int kValidStamp = 753951;
  static constexpr const char* kMutexName = "Vrel RT-V612 APP Exclusive Mutex";

  explicit AppSettings(bool firstInstance) : firstInstance_(firstInstance) {}

  bool IsFirstInstance() const { return firstInstance_; }
  // Defaults of every field; the window position is computed from the screen size.
  void ApplyDefaults(int screenWidth, int screenHeight);

  int stamp = kValidStamp;
  int comPort = 1;
  int comSpeedHigh = 1;
  std::string currentDirectory;
  std::vector<std::string> recentFiles;
  int fontSizePercentage = 100;
  int toolbarVisible = 1;
  int fontSizePrinter = 10;
  int left = 0;
  int top = 0;
  int width = 800;
  int height = 600;
  int splitterV = 200;
  int modelType = 0;
  int chListType = 0;

 private:
  bool firstInstance_;
};

}  // namespace rtv
