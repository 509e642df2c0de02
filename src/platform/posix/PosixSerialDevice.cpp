// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/PosixSerialDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <vector>

#include "platform/posix/PortHolders.h"

namespace rtv {
namespace {

bool SpeedOf(int baudRate, speed_t& speed) {
  struct Entry {
    int rate;
    speed_t speed;
  };
  static constexpr Entry kSpeeds[] = {
      {300, B300},       {600, B600},       {1200, B1200},     {2400, B2400},   {4800, B4800},
      {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600}, {115200, B115200},
      {230400, B230400}, {460800, B460800}, {921600, B921600},
  };
  for (const Entry& entry : kSpeeds) {
    if (entry.rate == baudRate) {
      speed = entry.speed;
      return true;
    }
  }
  return false;
}

bool SizeFlag(int byteSize, tcflag_t& flag) {
  switch (byteSize) {
    case 5:
      flag = CS5;
      return true;
    case 6:
      flag = CS6;
      return true;
    case 7:
      flag = CS7;
      return true;
    case 8:
      flag = CS8;
      return true;
    default:
      return false;  // termios has no 4-bit characters
  }
}

}  // namespace

PosixSerialDevice::~PosixSerialDevice() { Close(); }

SerialError PosixSerialDevice::ErrorFromErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case ENOTDIR:
      return SerialError::NoSuchDevice;
    case EACCES:
    case EPERM:
      return SerialError::PermissionDenied;
    case EBUSY:
    case EWOULDBLOCK:
      return SerialError::Busy;
    case ENOTTY:
      return SerialError::NotASerialPort;
    default:
      return SerialError::Failed;
  }
}

SerialError PosixSerialDevice::Open(const std::string& path) {
  if (fd_ >= 0) return SerialError::Busy;
  lastError_ = 0;
  busyReason_.clear();
  // Sharing the line with a program that also reads it (ModemManager on a new USB
  // adapter, a terminal program) steals the radio's answers: refuse, and say who has it.
  const std::vector<PortHolder> holders = FindPortHolders(path);
  if (!holders.empty()) {
    lastError_ = EBUSY;
    busyReason_ = DescribePortHolders(path, holders);
    return SerialError::Busy;
  }
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    lastError_ = errno;
    return ErrorFromErrno(lastError_);
  }
  termios probe{};
  if (::tcgetattr(fd, &probe) != 0) {
    lastError_ = errno;
    ::close(fd);
    return SerialError::NotASerialPort;
  }
  // TIOCEXCL keeps later opens out; the lock also catches programs that opened it before us.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
    lastError_ = errno;
    ::close(fd);
    return ErrorFromErrno(lastError_);
  }
  fd_ = fd;
  return SerialError::None;
}

void PosixSerialDevice::Close() {
  if (fd_ < 0) return;
  // The exclusive flag belongs to the terminal, not to this descriptor: clear it, or the
  // next open fails while some other process (a simulator) still holds the line.
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
}

bool PosixSerialDevice::ApplyLineConfig(const SerialLineConfig& config, termios& tio) {
  speed_t speed{};
  tcflag_t size{};
  if (!SpeedOf(config.baudRate, speed) || !SizeFlag(config.byteSize, size)) return false;
  ::cfmakeraw(&tio);
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | ISTRIP);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  tio.c_cflag |= size | CLOCAL | CREAD;
  if (config.parity != SerialParity::None) {
    tio.c_cflag |= PARENB;
    tio.c_iflag |= INPCK;
    if (config.parity == SerialParity::Odd) tio.c_cflag |= PARODD;
  }
  // There is no 1.5 here; two stop bits are what the line then gets.
  if (config.stopBits != SerialStopBits::One) tio.c_cflag |= CSTOPB;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  return ::cfsetispeed(&tio, speed) == 0 && ::cfsetospeed(&tio, speed) == 0;
}

SerialError PosixSerialDevice::Configure(const SerialLineConfig& config) {
  if (fd_ < 0) return SerialError::Failed;
  termios tio{};
  if (::tcgetattr(fd_, &tio) != 0) {
    lastError_ = errno;
    return SerialError::Failed;
  }
  if (!ApplyLineConfig(config, tio)) {
    lastError_ = EINVAL;
    return SerialError::Unsupported;
  }
  if (::tcsetattr(fd_, TCSANOW, &tio) != 0) {
    lastError_ = errno;
    return SerialError::Failed;
  }
  baudRate_ = config.baudRate;

  int lines = 0;
  if (::ioctl(fd_, TIOCMGET, &lines) == 0) {
    int dtr = TIOCM_DTR;
    int rts = TIOCM_RTS;
    const bool ok = ::ioctl(fd_, config.dtr ? TIOCMBIS : TIOCMBIC, &dtr) == 0 &&
                    ::ioctl(fd_, config.rts ? TIOCMBIS : TIOCMBIC, &rts) == 0;
    if (!ok) {
      lastError_ = errno;
      return SerialError::Failed;
    }
  }
  // A device without modem lines (a pseudo-terminal) refuses TIOCMGET: nothing to set.
  return SerialError::None;
}

bool PosixSerialDevice::Purge() {
  if (fd_ < 0) return false;
  if (::tcflush(fd_, TCIOFLUSH) == 0) return true;
  lastError_ = errno;
  return false;
}

int PosixSerialDevice::Read(std::uint8_t* buffer, int maxCount) {
  if (fd_ < 0 || maxCount <= 0) return fd_ < 0 ? -1 : 0;
  const ssize_t n = ::read(fd_, buffer, static_cast<size_t>(maxCount));
  if (n >= 0) return static_cast<int>(n);
  if (errno == EAGAIN || errno == EINTR) return 0;
  lastError_ = errno;
  return -1;
}

int PosixSerialDevice::Write(const std::uint8_t* bytes, int count) {
  if (fd_ < 0) return -1;
  // A write that the driver cannot take at once may wait as long as the line needs to send
  // the bytes, plus three seconds; what is left after that is a short write.
  using Clock = std::chrono::steady_clock;
  const auto limit = std::chrono::milliseconds(3000 + (100000 / baudRate_) * count);
  const auto deadline = Clock::now() + limit;
  int done = 0;
  bool failed = false;
  while (done < count) {
    const ssize_t n = ::write(fd_, bytes + done, static_cast<size_t>(count - done));
    if (n > 0) {
      done += static_cast<int>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) {
      lastError_ = errno;
      failed = true;
      break;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    pollfd waiter{fd_, POLLOUT, 0};
    ::poll(&waiter, 1, static_cast<int>(left));
  }
  return done == 0 && failed ? -1 : done;
}

int PosixSerialDevice::InputWaiting() {
  int n = 0;
  if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &n) != 0) return -1;
  return n;
}

int PosixSerialDevice::OutputWaiting() {
  int n = 0;
  if (fd_ < 0 || ::ioctl(fd_, TIOCOUTQ, &n) != 0) return -1;
  return n;
}

}  // namespace rtv
