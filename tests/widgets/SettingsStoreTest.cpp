// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "QtSettingsStore.h"
#include "app/AppSettings.h"
#include "platform/posix/IniSettings.h"

namespace rtv {
namespace {

constexpr int kScreenW = 1280;
constexpr int kScreenH = 1024;

// Writes a set that differs from the defaults everywhere through an INI file.
void SaveSample(const QString& file) {
  QtSettingsStore store(file);
  AppSettings s(store, true, kScreenW, kScreenH);
  s.portNumber = 33;
  s.highSpeed = 0;
  s.currentDirectory = "/home/skipper/Boote für 2024";
  s.AddRecentFront("/home/skipper/a=b;c.rtv");
  s.AddRecentFront("/home/skipper/Dolphin.rtv");
  s.fontSizePercentage = 125;
  s.toolbarVisible = 0;
  s.fontSizePrinter = 11;
  s.left = -20;
  s.top = 15;
  s.width = 1000;
  s.height = 700;
  s.treeWidth = 250;
  s.modelType = 5;
  s.channelsInUseOnly = 1;
  WindowRecord record;
  record.name = "Adjust";
  record.left = 1;
  record.top = 2;
  record.width = 300;
  record.height = 200;
  record.windowState = 2;
  s.StoreWindowRecord(record);
}

TEST(SettingsStoreTest, AnIniFileKeepsEverySetting) {
  QTemporaryDir folder;
  const QString file = folder.filePath("RT-V612.conf");
  SaveSample(file);
  QtSettingsStore store(file);
  AppSettings s(store, true, kScreenW, kScreenH);
  EXPECT_EQ(s.portNumber, 33);
  EXPECT_EQ(s.highSpeed, 0);
  EXPECT_EQ(s.currentDirectory, "/home/skipper/Boote für 2024");
  EXPECT_EQ(s.recentFiles,
            (std::vector<std::string>{"/home/skipper/Dolphin.rtv", "/home/skipper/a=b;c.rtv"}));
  EXPECT_EQ(s.fontSizePercentage, 125);
  EXPECT_EQ(s.toolbarVisible, 0);
  EXPECT_EQ(s.fontSizePrinter, 11);
  EXPECT_EQ(s.left, -20);
  EXPECT_EQ(s.top, 15);
  EXPECT_EQ(s.width, 1000);
  EXPECT_EQ(s.height, 700);
  EXPECT_EQ(s.treeWidth, 250);
  EXPECT_EQ(s.modelType, 5);
  EXPECT_EQ(s.channelsInUseOnly, 1);
  const auto record = s.FindWindowRecord("Adjust");
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->width, 300);
  EXPECT_EQ(record->windowState, 2);
}

TEST(SettingsStoreTest, ABrokenFileGivesDefaultsAndIsRepairedBySaving) {
  QTemporaryDir folder;
  const QString good = folder.filePath("good.conf");
  SaveSample(good);
  QFile goodFile(good);
  ASSERT_TRUE(goodFile.open(QIODevice::ReadOnly));
  const QByteArray text = goodFile.readAll();
  QByteArray binary;
  for (int i = 0; i < 3000; ++i) binary.append(static_cast<char>((i * 97) % 256));
  QByteArray wrongNumber = text;
  wrongNumber.replace("ModelType=5", "ModelType=five");
  struct Case {
    const char* what;
    QByteArray contents;
  };
  const Case cases[] = {
      {"binary garbage", binary},
      {"truncated", text.left(text.size() / 2)},
      {"text for a number", wrongNumber},
      {"empty", QByteArray()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QString file = folder.filePath(QString("broken-%1.conf").arg(c.what));
    QFile broken(file);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(c.contents);
    broken.close();
    {
      QtSettingsStore store(file);
      AppSettings s(store, true, kScreenW, kScreenH);
      EXPECT_EQ(s.portNumber, 1);
      EXPECT_EQ(s.width, 960);
      EXPECT_TRUE(s.recentFiles.empty());
      s.portNumber = 4;  // saved at the end
    }
    QtSettingsStore store(file);
    AppSettings again(store, true, kScreenW, kScreenH);
    EXPECT_EQ(again.portNumber, 4);
  }
}

// Damage in the port, the list type, the window's place or the recent entries gives the
// defaults of those keys; the rest loads, and the next end writes every key sound again.
TEST(SettingsStoreTest, DamagedKeysOfTheirOwnGiveTheirDefaultsAndAreRepaired) {
  QTemporaryDir folder;
  const QString file = folder.filePath("damaged.conf");
  SaveSample(file);
  {
    QSettings damage(file, QSettings::IniFormat);
    damage.setValue("Global/ComPort", "COM7");
    damage.setValue("Setup/ChListType", "yes");
    damage.setValue("Window Position/Width", "wide");
    damage.setValue("Recent File List/Recent1", "a.rtv");
  }
  for (int start = 0; start < 2; ++start) {
    SCOPED_TRACE(start);
    QtSettingsStore store(file);
    AppSettings s(store, true, kScreenW, kScreenH);
    EXPECT_EQ(s.portNumber, 1);
    EXPECT_EQ(s.channelsInUseOnly, 0);
    EXPECT_EQ(s.width, 960);
    EXPECT_EQ(s.left, 160);  // the default place, whole
    EXPECT_EQ(s.recentFiles, (std::vector<std::string>{"/home/skipper/Dolphin.rtv"}));
    EXPECT_EQ(s.modelType, 5);  // the sound keys load
    EXPECT_EQ(s.fontSizePercentage, 125);
  }
  QtSettingsStore store(file);
  EXPECT_EQ(store.ReadInt("Global", "ComPort"), 1);
  EXPECT_EQ(store.ReadInt("Setup", "ChListType"), 0);
}

void ExpectSample(SettingsStore& store) {
  AppSettings s(store, true, kScreenW, kScreenH);
  EXPECT_EQ(s.portNumber, 33);
  EXPECT_EQ(s.currentDirectory, "/home/skipper/Boote für 2024");
  EXPECT_EQ(s.recentFiles,
            (std::vector<std::string>{"/home/skipper/Dolphin.rtv", "/home/skipper/a=b;c.rtv"}));
  EXPECT_EQ(s.left, -20);
  EXPECT_EQ(s.channelsInUseOnly, 1);
  const auto record = s.FindWindowRecord("Adjust");
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->windowState, 2);
}

// The program writes its settings itself now: a file of an earlier version reads as it was,
// and the file it writes is one Qt reads the same.
TEST(SettingsStoreTest, QtsFilesAndTheProgramsOwnReadTheSame) {
  QTemporaryDir folder;
  const QString file = folder.filePath("RT-V612.conf");
  SaveSample(file);
  {
    IniSettings store(file.toStdString(), IniPersistence::kWriteBack);
    store.WriteString("Port Map", "COM5", "/dev/serial/by-id/usb-FTDI_A,B \"x\"");
    ExpectSample(store);  // and written back when its settings end
  }
  QtSettingsStore qt(file);
  ExpectSample(qt);
  EXPECT_EQ(qt.ReadString("Port Map", "COM5"), "/dev/serial/by-id/usb-FTDI_A,B \"x\"");
}

}  // namespace
}  // namespace rtv
