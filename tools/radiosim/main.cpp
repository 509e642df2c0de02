// SPDX-License-Identifier: GPL-3.0-or-later
// radiosim: a simulated RT-V612 on a pseudo-terminal, for tests and demonstrations.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

#include "ImageFile.h"
#include "SimRadio.h"

namespace {

constexpr int kClosedLinePollMs = 2;

using radiosim::Bytes;
using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

const char* const kUsage =
    "usage: radiosim [options]\n"
    "Simulates an RT-V612 on a pseudo-terminal and prints the terminal's path.\n"
    "  --image FILE.rtv     the memory to serve, from a clone file (default: the USA\n"
    "                       model's initial memory with an MMSI and two private channels)\n"
    "  --save FILE.rtv      write the memory there after every accepted clone write\n"
    "  --link PATH          also make PATH a symbolic link to the terminal\n"
    "  --baud N             pace the radio's output at N baud, 8N1 (default: unpaced)\n"
    "  --words HHHH,HHHH    the model words the radio reports (default 3974,0001)\n"
    "  --version DDDD       the radio's version digits (default 1203)\n"
    "  --id-block HEX       the whole identification payload, in hexadecimal\n"
    "  --range FIRST-LAST   the addresses sent on a read, in hexadecimal (default 0-2B5F)\n"
    "  --verbose            log every exchange on standard error\n"
    "faults:\n"
    "  --no-echo            do not echo the PC's bytes\n"
    "  --corrupt-echo N     flip a bit in the N-th echoed byte\n"
    "  --bad-checksum N     send the N-th data frame of a read with a wrong checksum\n"
    "  --silent-after N     say nothing more after N data frames\n"
    "  --wrong-end-count    end a read with a wrong frame count\n"
    "  --frame-outside      send a data frame beyond the read range\n"
    "  --refuse-write       answer every write with E6 01\n"
    "  --refuse-read        set the refuse-read bit of the identification block\n"
    "  --lower-case-adjust  answer adjustment requests with lower-case digits\n";

[[noreturn]] void Fail(const std::string& text) {
  std::fprintf(stderr, "radiosim: %s\n", text.c_str());
  std::exit(2);
}

long Number(const char* text, int base, long low, long high, const char* option) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, base);
  if (errno != 0 || end == text || *end != '\0' || value < low || value > high) {
    Fail(std::string("bad value for ") + option + ": " + text);
  }
  return value;
}

Bytes HexBytes(const std::string& text) {
  Bytes bytes;
  if (text.size() % 2 != 0) Fail("--id-block needs an even number of hexadecimal digits");
  for (std::size_t i = 0; i < text.size(); i += 2) {
    bytes.push_back(
        static_cast<std::uint8_t>(Number(text.substr(i, 2).c_str(), 16, 0, 255, "--id-block")));
  }
  return bytes;
}

struct Settings {
  radiosim::SimOptions radio;
  std::string image;
  std::string save;
  std::string link;
  long baud = 0;
  std::string version = "1203";
  bool refuseRead = false;
  bool idBlockGiven = false;
};

Settings Parse(int argc, char** argv) {
  Settings s;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    auto value = [&]() -> const char* {
      if (i + 1 >= argc) Fail(option + " needs a value");
      return argv[++i];
    };
    if (option == "--help" || option == "-h") {
      std::fputs(kUsage, stdout);
      std::exit(0);
    } else if (option == "--image") {
      s.image = value();
    } else if (option == "--save") {
      s.save = value();
    } else if (option == "--link") {
      s.link = value();
    } else if (option == "--baud") {
      s.baud = Number(value(), 10, 0, 4000000, "--baud");
    } else if (option == "--words") {
      const std::string words = value();
      const std::size_t comma = words.find(',');
      if (comma == std::string::npos) Fail("--words needs two words, such as 3974,0001");
      s.radio.modelCode = static_cast<std::uint16_t>(
          Number(words.substr(0, comma).c_str(), 16, 0, 0xFFFF, "--words"));
      s.radio.extensionCode = static_cast<std::uint16_t>(
          Number(words.substr(comma + 1).c_str(), 16, 0, 0xFFFF, "--words"));
    } else if (option == "--version") {
      s.version = value();
      if (s.version.size() != 4) Fail("--version needs four characters, such as 1203");
    } else if (option == "--id-block") {
      s.radio.idBlock = HexBytes(value());
      s.idBlockGiven = true;
    } else if (option == "--range") {
      const std::string range = value();
      const std::size_t dash = range.find('-');
      if (dash == std::string::npos) Fail("--range needs FIRST-LAST");
      s.radio.readFirst =
          static_cast<int>(Number(range.substr(0, dash).c_str(), 16, 0, 0x7FFF, "--range"));
      s.radio.readLast = static_cast<int>(
          Number(range.substr(dash + 1).c_str(), 16, s.radio.readFirst, 0x7FFF, "--range"));
    } else if (option == "--verbose") {
      s.radio.verbose = true;
    } else if (option == "--no-echo") {
      s.radio.echo = false;
    } else if (option == "--corrupt-echo") {
      s.radio.corruptEchoByte = Number(value(), 10, 1, 1L << 30, "--corrupt-echo");
    } else if (option == "--bad-checksum") {
      s.radio.badChecksumFrame =
          static_cast<int>(Number(value(), 10, 1, 1 << 20, "--bad-checksum"));
    } else if (option == "--silent-after") {
      s.radio.silentAfterFrames =
          static_cast<int>(Number(value(), 10, 0, 1 << 20, "--silent-after"));
    } else if (option == "--wrong-end-count") {
      s.radio.wrongEndCount = true;
    } else if (option == "--frame-outside") {
      s.radio.frameOutsideRanges = true;
    } else if (option == "--refuse-write") {
      s.radio.refuseWrite = true;
    } else if (option == "--refuse-read") {
      s.refuseRead = true;
    } else if (option == "--lower-case-adjust") {
      s.radio.lowerCaseAdjust = true;
    } else {
      Fail("unknown option " + option + " (see --help)");
    }
  }
  if (!s.idBlockGiven)
    s.radio.idBlock = radiosim::SimRadio::DefaultIdBlock(s.version, s.refuseRead);
  for (const std::uint8_t b : s.radio.idBlock) {
    if (b == 0xFD || b == 0xFE) Fail("the identification block cannot hold FD or FE");
  }
  return s;
}

// The PC's end of the line is the slave; the radio holds the master only. Holding the
// slave too would make the radio look like another program using the PC's port.
struct Terminal {
  int master = -1;
  std::string path;
};

Terminal OpenTerminal() {
  Terminal t;
  t.master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (t.master < 0 || ::grantpt(t.master) != 0 || ::unlockpt(t.master) != 0) {
    Fail(std::string("no pseudo-terminal: ") + std::strerror(errno));
  }
  const char* name = ::ptsname(t.master);
  if (name == nullptr) Fail("no pseudo-terminal name");
  t.path = name;
  const int slave = ::open(t.path.c_str(), O_RDWR | O_NOCTTY);
  termios tio{};
  if (slave < 0 || ::tcgetattr(slave, &tio) != 0) Fail("cannot set up " + t.path);
  ::cfmakeraw(&tio);  // no echo or line editing by the terminal itself
  ::tcsetattr(slave, TCSANOW, &tio);
  ::close(slave);
  ::fcntl(t.master, F_SETFL, ::fcntl(t.master, F_GETFL) | O_NONBLOCK);
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  Settings settings = Parse(argc, argv);
  Bytes memory = radiosim::OwnersMemory();
  std::string error;
  if (!settings.image.empty() && !radiosim::LoadMemory(settings.image, memory, error)) Fail(error);
  radiosim::SimRadio radio(settings.radio, memory);

  Terminal terminal = OpenTerminal();
  if (!settings.link.empty()) {
    ::unlink(settings.link.c_str());
    if (::symlink(terminal.path.c_str(), settings.link.c_str()) != 0) {
      Fail("cannot link " + settings.link + ": " + std::strerror(errno));
    }
  }
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  std::printf("%s\n", terminal.path.c_str());
  std::fflush(stdout);

  // A UART: while there is output, one byte starts every ten bit times; an idle line
  // starts the next byte at once.
  const bool paced = settings.baud > 0;
  const auto byteTime = std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double>(paced ? 10.0 / static_cast<double>(settings.baud) : 0.0));
  auto nextStart = Clock::now();
  bool sending = false;
  std::deque<std::uint8_t>& output = radio.Output();

  while (g_stop == 0) {
    int timeoutMs = 100;
    const auto now = Clock::now();
    if (!output.empty()) {
      if (!sending && nextStart < now) nextStart = now;
      std::size_t allowed = output.size();
      if (paced) {
        allowed = nextStart > now
                      ? 0
                      : std::min<std::size_t>(
                            allowed, static_cast<std::size_t>((now - nextStart) / byteTime) + 1);
      }
      if (allowed > 0) {
        std::uint8_t chunk[4096];
        const std::size_t n = std::min(allowed, sizeof chunk);
        std::copy(output.begin(), output.begin() + static_cast<long>(n), chunk);
        const ssize_t written = ::write(terminal.master, chunk, n);
        if (written > 0) {
          output.erase(output.begin(), output.begin() + written);
          nextStart += byteTime * written;
        }
      }
      timeoutMs = output.empty() ? 100 : 1;
    }
    sending = !output.empty();
    pollfd waiter{terminal.master, POLLIN, 0};
    const int ready = ::poll(&waiter, 1, timeoutMs);
    if (ready > 0 && (waiter.revents & POLLIN) != 0) {
      std::uint8_t buffer[4096];
      const ssize_t n = ::read(terminal.master, buffer, sizeof buffer);
      if (n > 0) radio.Receive(buffer, static_cast<int>(n));
    } else if (ready > 0 && (waiter.revents & POLLHUP) != 0) {
      // No PC on the line: the master reports a hang-up at once, so wait here instead, but
      // briefly: a radio hears a request the moment the PC opens the port and sends it.
      ::usleep(static_cast<useconds_t>(std::min(timeoutMs, kClosedLinePollMs)) * 1000);
    }
    if (radio.TakeAcceptedWrite() && !settings.save.empty() &&
        !radiosim::SaveMemory(settings.save, radio.Memory(), error)) {
      std::fprintf(stderr, "radiosim: %s\n", error.c_str());
    }
  }
  if (!settings.link.empty()) ::unlink(settings.link.c_str());
  ::close(terminal.master);
  return 0;
}
