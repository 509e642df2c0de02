// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/SerialPort.h"

#include <gtest/gtest.h>

#include <vector>

#include "ManualClock.h"
#include "MemoryWire.h"

namespace rtv {
namespace {

using test::ManualClock;
using test::MemoryWire;

std::string ByNumber(int number) { return number == 1 ? "/dev/ttyS0" : ""; }

class SerialPortTest : public ::testing::Test {
 protected:
  ManualClock clock;
  MemoryWire wire;
  SerialPort port{wire, clock, ByNumber};
};

TEST(SerialPortSettingsTest, SettingsTextFields) {
  struct Case {
    const char* text;
    int baud;
    SerialParity parity;
    int byteSize;
    SerialStopBits stopBits;
  };
  const Case cases[] = {
      {"38400,N,8,1", 38400, SerialParity::None, 8, SerialStopBits::One},
      {"19200,n,8,1", 19200, SerialParity::None, 8, SerialStopBits::One},
      {"9600,N,9,1", 9600, SerialParity::None, 8, SerialStopBits::One},
      {"9600,N,3,1", 9600, SerialParity::None, 4, SerialStopBits::One},
      {"9600,N,7,1.5", 9600, SerialParity::None, 7, SerialStopBits::OneAndHalf},
      {"9600,N,8,2", 9600, SerialParity::None, 8, SerialStopBits::Two},
      {"9600,N,8,1.50", 9600, SerialParity::None, 8, SerialStopBits::One},
      {"9600,N,8,two", 9600, SerialParity::None, 8, SerialStopBits::One},
      {"4800,E,7,1", 4800, SerialParity::Even, 7, SerialStopBits::One},
      {"4800,o,7,1", 4800, SerialParity::Odd, 7, SerialStopBits::One},
      {"4800,M,8,1", 4800, SerialParity::None, 8, SerialStopBits::One},
      {"fast,N,x,1", 0, SerialParity::None, 4, SerialStopBits::One},
  };
  for (const Case& c : cases) {
    SerialLineConfig start;
    start.stopBits = SerialStopBits::Two;  // must be overwritten
    const SerialLineConfig config = SerialPort::ParseSettings(c.text, start);
    EXPECT_EQ(config.baudRate, c.baud) << c.text;
    EXPECT_EQ(config.parity, c.parity) << c.text;
    EXPECT_EQ(config.byteSize, c.byteSize) << c.text;
    EXPECT_EQ(config.stopBits, c.stopBits) << c.text;
    EXPECT_FALSE(config.dtr);
    EXPECT_TRUE(config.rts);
  }
  // Missing fields keep what the line had.
  SerialLineConfig start;
  start.byteSize = 7;
  const SerialLineConfig config = SerialPort::ParseSettings("2400", start);
  EXPECT_EQ(config.baudRate, 2400);
  EXPECT_EQ(config.byteSize, 7);
}

TEST_F(SerialPortTest, OpenConfiguresTheLine) {
  ASSERT_TRUE(port.Open(1, "38400,N,8,1"));
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(wire.openedPath, "/dev/ttyS0");
  EXPECT_EQ(wire.purgeCount, 1);
  EXPECT_EQ(wire.config.baudRate, 38400);
  EXPECT_EQ(wire.config.byteSize, 8);
  EXPECT_EQ(wire.config.parity, SerialParity::None);
  EXPECT_EQ(wire.config.stopBits, SerialStopBits::One);
  EXPECT_FALSE(wire.config.dtr);
  EXPECT_TRUE(wire.config.rts);
  EXPECT_EQ(port.PortNumber(), 1);
  EXPECT_EQ(port.OpenError(), SerialError::None);
  // Open never closes by itself.
  EXPECT_FALSE(port.Open(1, "38400,N,8,1"));
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(wire.openCount, 1);
  port.Close();
  port.Close();  // safe when closed
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(wire.closeCount, 1);
}

TEST_F(SerialPortTest, FailedOpensLeaveThePortClosedWithTheirReason) {
  EXPECT_FALSE(port.Open(7, "38400,N,8,1"));  // no device under that number
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.OpenError(), SerialError::NoSuchDevice);
  EXPECT_EQ(port.PortNumber(), 7);

  wire.openErrors["/dev/ttyS0"] = SerialError::PermissionDenied;
  EXPECT_FALSE(port.Open(1, "38400,N,8,1"));
  EXPECT_EQ(port.OpenError(), SerialError::PermissionDenied);
  EXPECT_EQ(port.OpenPath(), "/dev/ttyS0");
  wire.openErrors.clear();

  wire.configureResult = SerialError::Unsupported;
  EXPECT_FALSE(port.Open(1, "12345,N,8,1"));
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.OpenError(), SerialError::Unsupported);
  wire.configureResult = SerialError::None;

  EXPECT_TRUE(port.Open(1, "38400,N,8,1"));
  EXPECT_EQ(port.OpenError(), SerialError::None);
}

TEST(SerialPortMessageTest, EveryReasonNamesThePortAndPermissionGivesTheFix) {
  const std::string denied =
      SerialPort::DescribeOpenError(SerialError::PermissionDenied, 13, "/dev/ttyUSB0");
  EXPECT_NE(denied.find("/dev/ttyUSB0"), std::string::npos);
  EXPECT_NE(denied.find("dialout"), std::string::npos);
  for (const SerialError error :
       {SerialError::NoSuchDevice, SerialError::Busy, SerialError::NotASerialPort,
        SerialError::Unsupported, SerialError::Failed}) {
    const std::string text = SerialPort::DescribeOpenError(error, 5, "/dev/ttyACM3");
    EXPECT_NE(text.find("/dev/ttyACM3"), std::string::npos) << text;
    EXPECT_EQ(text.find("dialout"), std::string::npos) << text;
  }
  EXPECT_NE(SerialPort::DescribeOpenError(SerialError::Failed, 5, "/dev/x").find("error"),
            std::string::npos);  // the system's reason, "Input/output error"
  EXPECT_TRUE(SerialPort::DescribeOpenError(SerialError::None, 0, "/dev/x").empty());
}

TEST_F(SerialPortTest, WritePumpHandsPiecesOnlyToAnEmptyQueue) {
  wire.autoTransmit = false;
  ASSERT_TRUE(port.Open(1, "38400,N,8,1"));
  std::vector<std::uint8_t> bytes(2500);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  port.Write(bytes.data(), static_cast<int>(bytes.size()));
  EXPECT_EQ(wire.writeSizes, std::vector<int>({1024}));  // at once
  EXPECT_EQ(port.PendingOutput(), 2500u);

  clock.Advance(30);  // the queue is still full: nothing more
  EXPECT_EQ(wire.writeSizes.size(), 1u);
  wire.Transmit(1000);
  clock.Advance(30);
  EXPECT_EQ(wire.writeSizes.size(), 1u);  // 24 bytes still queued
  wire.Transmit();
  EXPECT_EQ(port.PendingOutput(), 1476u);
  clock.Advance(9);
  EXPECT_EQ(wire.writeSizes.size(), 1u);  // checked every 10 ms
  clock.Advance(1);
  EXPECT_EQ(wire.writeSizes, std::vector<int>({1024, 1024}));
  wire.Transmit();
  clock.Advance(10);
  EXPECT_EQ(wire.writeSizes, std::vector<int>({1024, 1024, 452}));
  wire.Transmit();
  EXPECT_EQ(port.PendingOutput(), 0u);
  EXPECT_EQ(wire.transmitted, bytes);
  EXPECT_FALSE(port.WriteError());
  const int fired = clock.FiredCount();
  clock.Advance(100);  // the pump has stopped
  EXPECT_EQ(clock.FiredCount(), fired);
}

TEST_F(SerialPortTest, WriteOnAClosedPortIsDropped) {
  const std::uint8_t bytes[] = {1, 2, 3};
  port.Write(bytes, 3);
  EXPECT_FALSE(port.WriteError());
  EXPECT_EQ(port.PendingOutput(), 0u);
  EXPECT_TRUE(wire.writeSizes.empty());
  ASSERT_TRUE(port.Open(1, "38400,N,8,1"));
  EXPECT_EQ(port.PendingOutput(), 0u);
}

TEST_F(SerialPortTest, AShortWriteSetsTheWriteErrorUntilClose) {
  wire.writeLimit = 100;
  ASSERT_TRUE(port.Open(1, "38400,N,8,1"));
  std::vector<std::uint8_t> bytes(500, 0x55);
  port.Write(bytes.data(), 500);
  EXPECT_TRUE(port.WriteError());
  EXPECT_EQ(port.PendingOutput(), 500u);  // the buffer is left as it was
  clock.Advance(100);
  EXPECT_EQ(wire.writeSizes.size(), 1u);  // the pump stopped
  port.Close();
  EXPECT_FALSE(port.WriteError());
  EXPECT_EQ(port.PendingOutput(), 0u);
}

TEST_F(SerialPortTest, ReadsTakeWhatHasArrivedWithoutWaiting) {
  std::uint8_t buffer[8];
  EXPECT_EQ(port.Read(buffer, 8), 0);  // closed
  ASSERT_TRUE(port.Open(1, "38400,N,8,1"));
  EXPECT_EQ(port.Read(buffer, 8), 0);
  wire.Feed({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  EXPECT_EQ(port.InputWaiting(), 10u);
  EXPECT_EQ(port.Read(buffer, 8), 8);
  EXPECT_EQ(buffer[7], 8);
  EXPECT_EQ(port.Read(buffer, 8), 2);
  EXPECT_EQ(buffer[1], 10);
  // A query that fails counts as nothing waiting.
  wire.Feed({1, 2});
  wire.failQueries = true;
  EXPECT_EQ(port.InputWaiting(), 0u);
  EXPECT_EQ(port.OutputWaiting(), 0u);
  EXPECT_EQ(port.Read(buffer, 8), 0);
}

}  // namespace
}  // namespace rtv
