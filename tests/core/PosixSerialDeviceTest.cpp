// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/PosixSerialDevice.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "TempFile.h"

namespace rtv {
namespace {

// The master side of a pseudo-terminal; the device under test opens the slave.
class PtyMaster {
 public:
  PtyMaster() {
    fd_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (fd_ >= 0 && ::grantpt(fd_) == 0 && ::unlockpt(fd_) == 0) slave_ = ::ptsname(fd_);
  }
  ~PtyMaster() {
    if (fd_ >= 0) ::close(fd_);
  }
  const std::string& SlavePath() const { return slave_; }
  void Send(const std::vector<std::uint8_t>& bytes) const {
    ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  std::vector<std::uint8_t> Receive() const {
    std::vector<std::uint8_t> bytes(4096);
    const int flags = ::fcntl(fd_, F_GETFL);
    ::fcntl(fd_, F_SETFL, flags | O_NONBLOCK);
    const ssize_t n = ::read(fd_, bytes.data(), bytes.size());
    bytes.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return bytes;
  }

 private:
  int fd_ = -1;
  std::string slave_;
};

// Reads until count bytes arrived or a second passed.
std::vector<std::uint8_t> ReadAll(PosixSerialDevice& device, int count) {
  std::vector<std::uint8_t> got;
  for (int tries = 0; tries < 1000 && static_cast<int>(got.size()) < count; ++tries) {
    std::uint8_t buffer[256];
    const int n = device.Read(buffer, sizeof buffer);
    if (n < 0) break;
    got.insert(got.end(), buffer, buffer + n);
    if (n == 0) ::usleep(1000);
  }
  return got;
}

TEST(PosixSerialDeviceTest, RawLineOnAPseudoTerminal) {
  PtyMaster master;
  ASSERT_FALSE(master.SlavePath().empty());
  PosixSerialDevice device;
  ASSERT_EQ(device.Open(master.SlavePath()), SerialError::None);
  EXPECT_TRUE(device.IsOpen());
  EXPECT_EQ(device.Open(master.SlavePath()), SerialError::Busy);  // already open

  SerialLineConfig config;
  config.baudRate = 38400;
  // A pseudo-terminal has no modem lines: they are skipped, not an error.
  ASSERT_EQ(device.Configure(config), SerialError::None);
  termios tio{};
  ASSERT_EQ(::tcgetattr(device.NativeHandle(), &tio), 0);
  EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B38400));
  EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), 0u);

  // Raw: line ends, control characters and the protocol's bytes pass untouched, no echo.
  const std::vector<std::uint8_t> bytes = {'\r', '\n', 0x03, 0x7F, 0x11, 0x13, 0xFE, 0xFD, 0x00};
  master.Send(bytes);
  EXPECT_EQ(ReadAll(device, static_cast<int>(bytes.size())), bytes);
  EXPECT_TRUE(master.Receive().empty());

  const std::vector<std::uint8_t> out = {0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0xFD};
  EXPECT_EQ(device.Write(out.data(), static_cast<int>(out.size())), 6);
  EXPECT_EQ(master.Receive(), out);
  EXPECT_EQ(device.OutputWaiting(), 0);

  master.Send({1, 2, 3});
  for (int tries = 0; tries < 1000 && device.InputWaiting() < 3; ++tries) ::usleep(1000);
  EXPECT_EQ(device.InputWaiting(), 3);
  EXPECT_TRUE(device.Purge());
  EXPECT_EQ(device.InputWaiting(), 0);

  device.Close();
  EXPECT_FALSE(device.IsOpen());
  EXPECT_EQ(device.Read(nullptr, 0), -1);
  EXPECT_EQ(device.InputWaiting(), -1);
  // The exclusive flag went with the close, so the line opens again.
  EXPECT_EQ(device.Open(master.SlavePath()), SerialError::None);
}

TEST(PosixSerialDeviceTest, LineSettingsBecomeTermiosFlags) {
  struct Case {
    SerialStopBits stopBits;
    SerialParity parity;
    int byteSize;
    tcflag_t size;
    bool twoStops;
  };
  const Case cases[] = {
      {SerialStopBits::Two, SerialParity::None, 7, CS7, true},
      {SerialStopBits::OneAndHalf, SerialParity::Even, 5, CS5, true},  // no 1.5: two
      {SerialStopBits::One, SerialParity::Odd, 8, CS8, false},
  };
  for (const Case& c : cases) {
    SerialLineConfig config;
    config.stopBits = c.stopBits;
    config.parity = c.parity;
    config.byteSize = c.byteSize;
    termios tio{};
    tio.c_cflag = CRTSCTS | CSTOPB;  // leftovers of an earlier user
    tio.c_iflag = IXON | ICRNL;
    ASSERT_TRUE(PosixSerialDevice::ApplyLineConfig(config, tio));
    EXPECT_EQ(tio.c_cflag & CSIZE, c.size);
    EXPECT_EQ((tio.c_cflag & CSTOPB) != 0, c.twoStops);
    EXPECT_EQ((tio.c_cflag & PARENB) != 0, c.parity != SerialParity::None);
    EXPECT_EQ((tio.c_cflag & PARODD) != 0, c.parity == SerialParity::Odd);
    EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | ICRNL), 0u);
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B19200));
  }
  // What termios cannot do is refused.
  termios tio{};
  SerialLineConfig odd;
  odd.baudRate = 12345;
  EXPECT_FALSE(PosixSerialDevice::ApplyLineConfig(odd, tio));
  SerialLineConfig fourBits;
  fourBits.byteSize = 4;
  EXPECT_FALSE(PosixSerialDevice::ApplyLineConfig(fourBits, tio));

  PtyMaster master;
  PosixSerialDevice device;
  ASSERT_EQ(device.Open(master.SlavePath()), SerialError::None);
  EXPECT_EQ(device.Configure(fourBits), SerialError::Unsupported);
}

TEST(PosixSerialDeviceTest, OpenFailuresKeepTheReason) {
  PosixSerialDevice device;
  EXPECT_EQ(device.Open("/dev/rtv-no-such-port"), SerialError::NoSuchDevice);
  EXPECT_EQ(device.LastSystemError(), ENOENT);
  EXPECT_FALSE(device.IsOpen());
  const test::TempFile plain("not a terminal");
  EXPECT_EQ(device.Open(plain.Path()), SerialError::NotASerialPort);
  EXPECT_FALSE(device.IsOpen());
  EXPECT_EQ(device.Configure(SerialLineConfig{}), SerialError::Failed);
  EXPECT_FALSE(device.Purge());
  const std::uint8_t byte = 0;
  EXPECT_EQ(device.Write(&byte, 1), -1);
}

TEST(PosixSerialDeviceTest, SystemErrorsMapToReasons) {
  const std::pair<int, SerialError> cases[] = {
      {ENOENT, SerialError::NoSuchDevice},    {ENXIO, SerialError::NoSuchDevice},
      {ENODEV, SerialError::NoSuchDevice},    {EACCES, SerialError::PermissionDenied},
      {EPERM, SerialError::PermissionDenied}, {EBUSY, SerialError::Busy},
      {ENOTTY, SerialError::NotASerialPort},  {EIO, SerialError::Failed},
  };
  for (const auto& [error, reason] : cases) {
    EXPECT_EQ(PosixSerialDevice::ErrorFromErrno(error), reason) << error;
  }
}

}  // namespace
}  // namespace rtv
