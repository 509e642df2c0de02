// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes from the radio during an identify or a read exchange: every input must
// end in one of the exchange's statuses, within the time-outs, without a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "ManualClock.h"
#include "MemoryWire.h"
#include "link/CloneLink.h"

namespace {

constexpr rtv::AddressRange kReadList[] = {{0x0000, 0x2B5F}, {1, 0}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const bool identify = (data[0] & 0x80) != 0;
  const int chunk = data[0] & 0x7F;  // 0: whatever has arrived
  ++data;
  --size;

  rtv::test::ManualClock clock;
  rtv::test::MemoryWire wire;
  wire.readChunk = chunk;
  bool answered = false;
  // The radio echoes the request, then says the fuzzer's bytes.
  wire.peer = [&](const std::uint8_t* bytes, int count) {
    if (!answered && count > 0 && bytes[count - 1] == 0xFD) {
      answered = true;
      wire.Feed(data, static_cast<int>(size));
    }
  };
  rtv::CloneLink link(wire, clock, clock, [](int) { return std::string("/dev/ttyS0"); });
  link.SetPort(1, "38400,N,8,1");
  link.SetModelWords(0x3974, 0);
  link.SetImageSize(32768);
  link.SetPreamble(48);
  link.SetDataLead(58, 58);
  link.SetEchoCheck(true);

  int calls = 0;
  int status = -1;
  int received = 0;
  auto done = [&](rtv::LinkResult& result) {
    ++calls;
    status = result.status;
    for (int i = 0; i < result.receivedMap.Count(); ++i) {
      received += __builtin_popcount(result.receivedMap.At(i));
    }
  };
  if (identify ? !link.StartIdentify(done) : !link.StartRead(kReadList, done)) std::abort();

  // Each step takes at least one byte, and silence ends the exchange within a second.
  const std::int64_t limit = static_cast<std::int64_t>(size) * 10 + 5000;
  while (link.IsBusy() && clock.NowMs() < limit) clock.Advance(10);
  if (link.IsBusy() || calls != 1) std::abort();  // a hang, or a lost or repeated callback
  switch (status) {
    case rtv::kLinkOk:
      // Success only with every address of the list, and nothing else.
      if (!identify && received != 0x2B60) std::abort();
      break;
    case rtv::kLinkEchoError:
    case rtv::kLinkTimeout:
    case rtv::kLinkBadFrame:
    case rtv::kLinkEndCount:
    case rtv::kLinkIncomplete:
    case rtv::kLinkOutOfRange:
      break;
    default:
      std::abort();
  }
  return 0;
}
