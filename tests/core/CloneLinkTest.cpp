// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CloneLink.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ManualClock.h"
#include "MemoryWire.h"
#include "ScriptedRadio.h"
#include "link/CloneFrames.h"

namespace rtv {
namespace {

using test::Bytes;
using test::ManualClock;
using test::MemoryWire;
using test::ScriptedRadio;

constexpr int kImageSize = 32768;
constexpr AddressRange kReadList[] = {{0x0000, 0x2B5F}, {1, 0}};
constexpr AddressRange kShortWriteList[] = {{0x02F0, 0x2B5F}, {1, 0}};

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// Memory with every kind of byte, escapes included (0x7A-0x7F go out as 0xFA-0xFF).
Bytes Pattern() {
  Bytes image(kImageSize);
  for (int a = 0; a < kImageSize; ++a) image[a] = static_cast<std::uint8_t>(a * 37 + a / 256);
  return image;
}

Bytes Payload(std::size_t size) {
  Bytes payload(size);
  for (std::size_t i = 0; i < size; ++i) payload[i] = static_cast<std::uint8_t>(0x30 + i % 10);
  payload[0] = static_cast<std::uint8_t>(size);
  return payload;
}

// The link's trace, kept line by line.
struct TraceLines : LinkTrace {
  void Line(const std::string& text) override { lines.push_back(text); }
  std::vector<std::string> lines;
};

class CloneLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    link.SetPort(1, "38400,N,8,1");
    link.SetModelWords(0x3974, 0);
    link.SetImageSize(kImageSize);
    link.SetPreamble(48);
    link.SetDataLead(58, 58);
    link.SetEchoCheck(true);
  }

  CloneLink::Callback Record() {
    return [this](LinkResult& r) {
      ++calls;
      result = r;
      EXPECT_FALSE(link.IsBusy());
      EXPECT_FALSE(link.Port().IsOpen());
    };
  }
  // Ticks until the exchange has ended; the manual time it took.
  std::int64_t Run(std::int64_t limitMs = 600000) {
    const std::int64_t start = clock.NowMs();
    while (link.IsBusy() && clock.NowMs() - start < limitMs) clock.Advance(10);
    EXPECT_FALSE(link.IsBusy());
    EXPECT_EQ(calls, 1);
    return clock.NowMs() - start;
  }
  int Status() const { return result ? result->status : -1; }
  // The image a read brought back, as bytes.
  Bytes Image() const {
    const EepromImage& image = result->image;
    return Bytes(image.Data(), image.Data() + image.Size());
  }
  int ReadStatus(const Bytes& answer, const AddressRange* ranges = kReadList) {
    radio.answers[kCmdRead] = answer;
    EXPECT_TRUE(link.StartRead(ranges, Record()));
    Run();
    return Status();
  }

  ManualClock clock;
  MemoryWire wire;
  ScriptedRadio radio{wire};
  CloneLink link{wire, clock, clock, [](int n) { return n == 1 ? "/dev/ttyS0" : ""; }};
  std::optional<LinkResult> result;
  int calls = 0;
};

TEST(HexToBytesTest, DigitsPairUpAndEverythingElseIsSkipped) {
  const std::pair<const char*, Bytes> cases[] = {
      {"FEFE EE EF E0 3974 0000 FD", {0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0x39, 0x74, 0, 0, 0xFD}},
      {"0a:Bc-d", {0x0A, 0xBC, 0xD0}},  // an odd last digit is a high nibble
      {"xyz", {}},
      {"", {}},
  };
  for (const auto& [text, bytes] : cases) {
    const ByteQueue got = HexToBytes(text);
    EXPECT_EQ(Bytes(got.Data(), got.Data() + got.Count()), bytes) << text;
  }
}

TEST_F(CloneLinkTest, IdentifySendsThePreambleAndTakesTheAnswer) {
  const Bytes payload = Payload(48);
  radio.answers[kCmdIdentify] = ScriptedRadio::IdentifyAnswer(0x3974, 0x0001, payload);
  ASSERT_TRUE(link.StartIdentify(Record()));
  EXPECT_TRUE(link.IsBusy());
  EXPECT_FALSE(link.StartIdentify(Record()));  // one exchange at a time
  Run();
  EXPECT_EQ(Status(), kLinkOk);
  EXPECT_EQ(result->exchange, Exchange::Identify);
  EXPECT_EQ(result->modelCode, 0x3974);
  EXPECT_EQ(result->extensionCode, 0x0001);
  EXPECT_EQ(Bytes(result->payload.Data(), result->payload.Data() + result->payload.Count()),
            payload);
  ASSERT_EQ(radio.frames.size(), 1u);
  EXPECT_EQ(radio.frames[0].leadBytes, 48 + 2);
  EXPECT_EQ(radio.frames[0].bytes, Bytes({0xEE, 0xEF, 0xE0, 0x39, 0x74, 0x00, 0x00}));
  EXPECT_EQ(wire.config.baudRate, 38400);
  EXPECT_EQ(wire.openCount, 1);
  EXPECT_EQ(wire.closeCount, 1);
  clock.Advance(1000);
  EXPECT_EQ(calls, 1);  // exactly once
}

TEST_F(CloneLinkTest, BadIdentifyAnswersGiveStatus6) {
  const Bytes payload = Payload(40);
  Bytes tooLong = {0xFE, 0xFE, 0xEF, 0xEE, 0xE1, 0x39, 0x74, 0x00, 0x01};
  tooLong.insert(tooLong.end(), 530, 0x11);  // no terminator within 520 bytes
  tooLong.push_back(0xFD);
  const struct {
    const char* name;
    Bytes answer;
  } cases[] = {
      {"word byte not two decimal digits", ScriptedRadio::IdentifyAnswer(0x3A74, 1, payload)},
      {"low nibble above 9", ScriptedRadio::IdentifyAnswer(0x397F, 1, payload)},
      {"seven bytes", {0xFE, 0xFE, 0xEF, 0xEE, 0xE1, 0x39, 0x74, 0x00, 0xFD}},
      {"another command", {0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x39, 0x74, 0x00, 0x01, 0xFD}},
      {"addresses swapped", {0xFE, 0xFE, 0xEE, 0xEF, 0xE1, 0x39, 0x74, 0x00, 0x01, 0xFD}},
      {"endless frame", tooLong},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    calls = 0;
    radio.answers[kCmdIdentify] = c.answer;
    ASSERT_TRUE(link.StartIdentify(Record()));
    Run();
    EXPECT_EQ(Status(), kLinkBadFrame);
  }
}

TEST_F(CloneLinkTest, SilenceEndsTheExchangeAfterOneSecond) {
  // No echo: the request's echo is missing when the time-out passes.
  wire.echo = false;
  ASSERT_TRUE(link.StartIdentify(Record()));
  std::int64_t took = Run();
  EXPECT_EQ(Status(), kLinkEchoError);
  // Start, open, the quiet line (one streamed frame at 38400 baud: 37 ms), send: the
  // second of silence follows the request.
  constexpr std::int64_t kQuietMs = 37;
  EXPECT_GE(took, 1000 + kQuietMs);
  EXPECT_LE(took, 1000 + kQuietMs + 80);

  // The echo comes back but the radio says nothing.
  wire.echo = true;
  calls = 0;
  ASSERT_TRUE(link.StartIdentify(Record()));
  took = Run();
  EXPECT_EQ(Status(), kLinkTimeout);
  EXPECT_GE(took, 1000 + kQuietMs);
  EXPECT_LE(took, 1000 + kQuietMs + 80);
}

TEST_F(CloneLinkTest, AWrongEchoByteEndsTheExchangeAtOnce) {
  wire.echo = false;
  wire.peer = [this](const std::uint8_t* bytes, int count) {
    Bytes echoed(bytes, bytes + count);
    echoed[echoed.size() / 2] ^= 0x01;
    wire.Feed(echoed);
  };
  ASSERT_TRUE(link.StartIdentify(Record()));
  EXPECT_LT(Run(), 300);
  EXPECT_EQ(Status(), kLinkEchoError);
}

TEST_F(CloneLinkTest, APortThatDoesNotOpenGivesStatus2) {
  link.SetPort(5, "38400,N,8,1");
  ASSERT_TRUE(link.StartIdentify(Record()));
  Run();
  EXPECT_EQ(Status(), kLinkPortFailed);
  EXPECT_TRUE(wire.transmitted.empty());
  EXPECT_EQ(link.Port().OpenError(), SerialError::NoSuchDevice);
}

TEST_F(CloneLinkTest, ReadTakesTheWorkedDataFrame) {
  constexpr AddressRange kTwoBytes[] = {{0x0300, 0x0301}, {1, 0}};
  const Bytes frame = ScriptedRadio::DataFrame(0x0300, {0x12, 0x7C});
  ASSERT_EQ(frame,
            Bytes({0xFE, 0xFE, 0xEF, 0xEE, 0xE4, 0x03, 0x00, 0x02, 0x92, 0xFF, 0x0C, 0x6D, 0xFD}));
  EXPECT_EQ(ReadStatus(Join({frame, ScriptedRadio::EndFrame(1)}), kTwoBytes), kLinkOk);
  EXPECT_EQ(result->image.GetByte(0x0300), 0x12);
  EXPECT_EQ(result->image.GetByte(0x0301), 0x7C);
  EXPECT_EQ(result->image.GetByte(0x0302), 0x00);
  EXPECT_EQ(link.DataDone(), 2);
  EXPECT_EQ(link.FrameCount(), 1);
  ASSERT_EQ(radio.frames.size(), 1u);
  EXPECT_EQ(radio.frames[0].bytes, Bytes({0xEE, 0xEF, 0xE2, 0x39, 0x74, 0x00, 0x00}));
}

TEST_F(CloneLinkTest, ReadGivesTheSameImageHoweverTheBytesAreSplit) {
  const Bytes image = Pattern();
  int frames = 0;
  const Bytes answer = Join({ScriptedRadio::DataFrames(image, 0x0000, 0x2B5F, &frames)});
  ASSERT_EQ(frames, 174);
  const Bytes expected(image.begin(), image.begin() + 0x2B60);
  for (const int chunk : {0, 1, 2, 7, 13, 255, 256, 300}) {
    SCOPED_TRACE(chunk);
    calls = 0;
    wire.readChunk = chunk;
    EXPECT_EQ(ReadStatus(Join({answer, ScriptedRadio::EndFrame(frames)})), kLinkOk);
    const Bytes got = Image();
    EXPECT_EQ(Bytes(got.begin(), got.begin() + 0x2B60), expected);
    EXPECT_EQ(link.FrameCount(), 174);
    EXPECT_EQ(link.DataDone(), 0x2B60);
  }
}

TEST_F(CloneLinkTest, RepeatedPreamblesAndLeadingJunkAreIgnored) {
  constexpr AddressRange kBlock[] = {{0x0040, 0x007F}, {1, 0}};
  Bytes memory(64);
  for (int i = 0; i < 64; ++i) memory[i] = static_cast<std::uint8_t>(0x70 + i);
  const Bytes answer = Join({{0x00, 0x12, 0xFD, 0x45, 0xEF},
                             Bytes(9, 0xFE),
                             ScriptedRadio::DataFrame(0x40, memory),
                             {0x33},
                             Bytes(3, 0xFE),
                             ScriptedRadio::EndFrame(1)});
  EXPECT_EQ(ReadStatus(answer, kBlock), kLinkOk);
  const Bytes got = Image();
  EXPECT_EQ(Bytes(got.begin() + 0x40, got.begin() + 0x80), memory);
}

TEST_F(CloneLinkTest, BadReadsEndWithTheirStatus) {
  constexpr AddressRange kBlock[] = {{0x0000, 0x003F}, {1, 0}};
  const Bytes good = ScriptedRadio::DataFrame(0x0000, Bytes(64, 0x21));
  Bytes badSum = good;
  badSum[badSum.size() - 2] ^= 0x01;
  Bytes shortBody = {0xFE, 0xFE, 0xEF, 0xEE, 0xE4, 0x00, 0x00, 0xFD};  // 2 body bytes
  Bytes escapeAtEnd = good;
  escapeAtEnd.insert(escapeAtEnd.end() - 1, 0xFF);
  Bytes tooLong = {0xFE, 0xFE, 0xEF, 0xEE, 0xE4};
  tooLong.insert(tooLong.end(), 10000, 0x01);
  tooLong.push_back(0xFD);
  Bytes wrongName = ScriptedRadio::EndFrame(1);
  wrongName[6] = 'X';
  Bytes longEnd = ScriptedRadio::EndFrame(1);
  longEnd.insert(longEnd.end() - 1, '0');
  Bytes endless;  // a radio that repeats its frame as long as it is listened to
  for (int i = 0; i < 1000; ++i) endless.insert(endless.end(), good.begin(), good.end());
  const struct {
    const char* name;
    Bytes answer;
    int status;
  } cases[] = {
      {"bad checksum", Join({badSum, ScriptedRadio::EndFrame(1)}), kLinkBadFrame},
      {"body shorter than its header", shortBody, kLinkBadFrame},
      {"escape at the end", escapeAtEnd, kLinkBadFrame},
      {"frame of 10000 bytes", tooLong, kLinkBadFrame},
      {"unknown command", Join({good, {0xFE, 0xFE, 0xEF, 0xEE, 0xE7, 1, 2, 3, 0xFD}}),
       kLinkBadFrame},
      {"to the PC from the PC", Join({{0xFE, 0xFE, 0xEF, 0xEF, 0xE4, 1, 2, 3, 0xFD}}),
       kLinkBadFrame},
      {"end frame name", Join({good, wrongName}), kLinkBadFrame},
      {"end frame length", Join({good, longEnd}), kLinkBadFrame},
      {"end frame count", Join({good, ScriptedRadio::EndFrame(2)}), kLinkEndCount},
      {"end before every address",
       Join({ScriptedRadio::DataFrame(0, Bytes(63, 1)), ScriptedRadio::EndFrame(1)}),
       kLinkIncomplete},
      {"nothing but the end", ScriptedRadio::EndFrame(0), kLinkIncomplete},
      {"data outside the ranges",
       Join({good, ScriptedRadio::DataFrame(0x40, {1}), ScriptedRadio::EndFrame(2)}),
       kLinkOutOfRange},
      {"at the image size", Join({good, ScriptedRadio::DataFrame(0x7FFF, {1, 2})}),
       kLinkOutOfRange},
      {"beyond the image", Join({good, ScriptedRadio::DataFrame(0xFFC0, Bytes(64, 0))}),
       kLinkOutOfRange},
      {"silence after a frame", good, kLinkTimeout},
      {"the same frame again and again", endless, kLinkOutOfRange},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    calls = 0;
    EXPECT_EQ(ReadStatus(c.answer, kBlock), c.status);
  }
}

TEST_F(CloneLinkTest, WriteCutsTheRangesIntoAlignedFrames) {
  const Bytes image = Pattern();
  EepromImage source;
  source.SetSize(kImageSize);
  source.WriteBlock(0, image.data(), kImageSize);
  radio.answers[kCmdEnd] = ScriptedRadio::WriteAnswer(0x00);
  ASSERT_TRUE(link.StartWrite(source, kShortWriteList, Record()));
  Run();
  EXPECT_EQ(Status(), kLinkOk);
  EXPECT_EQ(radio.badDataFrames, 0);

  ASSERT_GE(radio.frames.size(), 3u);
  EXPECT_EQ(radio.frames.front().bytes, Bytes({0xEE, 0xEF, 0xE3, 0x39, 0x74, 0x00, 0x00}));
  std::vector<std::pair<int, int>> pieces;  // address, count of every data frame
  for (const auto& frame : radio.frames) {
    if (frame.bytes[2] != kCmdData) continue;
    EXPECT_EQ(frame.leadBytes, 58 + 2);
    Bytes body;
    for (std::size_t i = 3; i < frame.bytes.size(); ++i) {
      body.push_back(frame.bytes[i] == 0xFF ? 0xF0 | frame.bytes[++i] : frame.bytes[i]);
    }
    pieces.emplace_back(body[0] << 8 | body[1], body[2]);
  }
  ASSERT_EQ(pieces.size(), 163u);
  EXPECT_EQ(pieces.front(), std::make_pair(0x02F0, 16));
  EXPECT_EQ(pieces[1], std::make_pair(0x0300, 64));
  EXPECT_EQ(pieces[161], std::make_pair(0x2B00, 64));
  EXPECT_EQ(pieces.back(), std::make_pair(0x2B40, 32));
  // The end frame has no lead and counts the frames: 163 = A3.
  EXPECT_EQ(radio.frames.back().leadBytes, 2);
  EXPECT_EQ(radio.frames.back().bytes,
            Bytes({0xEE, 0xEF, 0xE5, 'V', 'r', 'e', 'l', ' ', 'I', 'n', 'c', '.', 'A', '3'}));
  // What the radio decoded is the image, and nothing else.
  ASSERT_EQ(radio.written.size(), static_cast<std::size_t>(0x2B60 - 0x02F0));
  EXPECT_EQ(radio.written.begin()->first, 0x02F0);
  for (const auto& [address, value] : radio.written) ASSERT_EQ(value, image[address]) << address;
  EXPECT_EQ(link.DataDone(), 0x2B60 - 0x02F0);
}

TEST_F(CloneLinkTest, WorkedDataFrameGoesOutAfterItsLead) {
  EepromImage source;
  source.SetSize(kImageSize);
  source.SetByte(0x0300, 0x12);
  source.SetByte(0x0301, 0x7C);
  constexpr AddressRange kTwoBytes[] = {{0x0300, 0x0301}, {1, 0}};
  radio.answers[kCmdEnd] = ScriptedRadio::WriteAnswer(0x00);
  ASSERT_TRUE(link.StartWrite(source, kTwoBytes, Record()));
  Run();
  EXPECT_EQ(Status(), kLinkOk);
  const Bytes expected =
      Join({Bytes(58, 0xFE),
            {0xFE, 0xFE, 0xEE, 0xEF, 0xE4, 0x03, 0x00, 0x02, 0x92, 0xFF, 0x0C, 0x6D, 0xFD}});
  const Bytes request =
      Join({Bytes(48, 0xFE), {0xFE, 0xFE, 0xEE, 0xEF, 0xE3, 0x39, 0x74, 0x00, 0x00, 0xFD}});
  const Bytes end = {0xFE, 0xFE, 0xEE, 0xEF, 0xE5, 'V', 'r', 'e', 'l',
                     ' ',  'I',  'n',  'c',  '.',  '0', '1', 0xFD};
  EXPECT_EQ(wire.transmitted, Join({request, expected, end}));
}

TEST_F(CloneLinkTest, FramesAndEndCounts) {
  const struct {
    AddressRange range;
    int frames;
    const char* count;
  } cases[] = {
      {{0x0400, 0x041F}, 1, "01"},    // aligned and short: one frame of its length
      {{0x0410, 0x0411}, 1, "01"},    // inside one block
      {{0x043F, 0x0440}, 2, "02"},    // across a boundary
      {{0x0000, 0x2A3F}, 169, "A9"},  // 169 whole blocks
      {{0x0000, 0x3FFF}, 256, "00"},  // the count wraps
  };
  EepromImage source;
  source.SetSize(kImageSize);
  radio.answers[kCmdEnd] = ScriptedRadio::WriteAnswer(0x00);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    calls = 0;
    radio.frames.clear();
    const AddressRange ranges[] = {c.range, {1, 0}};
    ASSERT_TRUE(link.StartWrite(source, ranges, Record()));
    Run();
    EXPECT_EQ(Status(), kLinkOk);
    EXPECT_EQ(link.FrameCount(), c.frames);
    const Bytes& end = radio.frames.back().bytes;
    ASSERT_EQ(end.size(), 14u);
    EXPECT_EQ(std::string(end.begin() + 12, end.end()), c.count);
    if (c.frames == 1) {
      const Bytes& data = radio.frames[radio.frames.size() - 2].bytes;
      EXPECT_EQ(data[5], c.range.last - c.range.first + 1);
    }
  }
}

TEST_F(CloneLinkTest, TheWriteAnswerDecides) {
  EepromImage source;
  source.SetSize(kImageSize);
  constexpr AddressRange kBlock[] = {{0x0000, 0x003F}, {1, 0}};
  const struct {
    const char* name;
    Bytes answer;
    int status;
  } cases[] = {
      {"E6 00", ScriptedRadio::WriteAnswer(0x00), kLinkOk},
      {"E6 01", ScriptedRadio::WriteAnswer(0x01), kLinkWriteRefused},
      {"E6 00 and more", {0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0x00, 0xFD}, kLinkWriteRefused},
      {"E6 00 after junk", {0x11, 0xFD, 0xFE, 0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD}, kLinkOk},
      {"nothing", {}, kLinkTimeout},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    calls = 0;
    radio.answers[kCmdEnd] = c.answer;
    ASSERT_TRUE(link.StartWrite(source, kBlock, Record()));
    Run();
    EXPECT_EQ(Status(), c.status);
  }
}

TEST_F(CloneLinkTest, TheWriteAnswerMayTakeTwoSeconds) {
  EepromImage source;
  source.SetSize(kImageSize);
  constexpr AddressRange kBlock[] = {{0x0000, 0x003F}, {1, 0}};
  ASSERT_TRUE(link.StartWrite(source, kBlock, Record()));
  while (radio.frames.size() < 3) clock.Advance(10);  // E3, E4, E5 sent
  clock.Advance(1900);
  EXPECT_TRUE(link.IsBusy());
  wire.Feed(ScriptedRadio::WriteAnswer(0x00));
  Run();
  EXPECT_EQ(Status(), kLinkOk);
}

TEST_F(CloneLinkTest, AShortWriteGivesStatus17) {
  wire.writeLimit = 100;  // the request fits, the first data frame does not
  EepromImage source;
  source.SetSize(kImageSize);
  ASSERT_TRUE(link.StartWrite(source, kShortWriteList, Record()));
  Run();
  EXPECT_EQ(Status(), kLinkWriteFailed);
  EXPECT_FALSE(link.Port().WriteError());  // cleared when the port closed
}

TEST_F(CloneLinkTest, OutputThatNeverLeavesDoesNotHangTheLink) {
  wire.autoTransmit = false;
  ASSERT_TRUE(link.StartIdentify(Record()));
  Run(5000);
  EXPECT_EQ(Status(), kLinkEchoError);
}

TEST_F(CloneLinkTest, TheCallbackMayStartTheNextExchange) {
  radio.answers[kCmdIdentify] = ScriptedRadio::IdentifyAnswer(0x3974, 1, Payload(48));
  constexpr AddressRange kBlock[] = {{0x0000, 0x003F}, {1, 0}};
  radio.answers[kCmdRead] =
      Join({ScriptedRadio::DataFrame(0, Bytes(64, 0x5A)), ScriptedRadio::EndFrame(1)});
  std::vector<int> statuses;
  ASSERT_TRUE(link.StartIdentify([&](LinkResult& identified) {
    statuses.push_back(identified.status);
    EXPECT_TRUE(link.StartRead(kBlock, [&](LinkResult& read) {
      statuses.push_back(read.status);
      EXPECT_EQ(read.image.GetByte(0x3F), 0x5A);
    }));
  }));
  for (int i = 0; i < 1000 && statuses.size() < 2; ++i) clock.Advance(10);
  EXPECT_EQ(statuses, std::vector<int>({kLinkOk, kLinkOk}));
  EXPECT_EQ(wire.openCount, 2);
  EXPECT_FALSE(link.IsBusy());
  EXPECT_EQ(clock.ActiveTimerCount(), 0);
}

// Each exchange goes its own way through the states and ends idle; a state left out or
// taken twice would show here before it shows on the wire. Several states may pass in one
// tick, so the trace's state lines are the record.
TEST_F(CloneLinkTest, EachExchangeWalksItsOwnStates) {
  using State = CloneLink::State;
  TraceLines trace;
  link.SetTrace(&trace);
  constexpr AddressRange kBlock[] = {{0x0000, 0x003F}, {1, 0}};
  EepromImage source;
  source.SetSize(kImageSize);
  radio.answers[kCmdIdentify] = ScriptedRadio::IdentifyAnswer(0x3974, 1, Payload(48));
  radio.answers[kCmdRead] =
      Join({ScriptedRadio::DataFrame(0, Bytes(64, 0x5A)), ScriptedRadio::EndFrame(1)});
  radio.answers[kCmdEnd] = ScriptedRadio::WriteAnswer(0x00);
  using Names = std::vector<std::string>;
  const struct {
    const char* name;
    std::function<bool()> start;
    Names states;
  } cases[] = {
      {"identify",
       [&] { return link.StartIdentify(Record()); },
       {"WaitOutput", "OpenPort", "SendIdentify", "WaitIdentify", "Drain", "Finish"}},
      {"read",
       [&] { return link.StartRead(kBlock, Record()); },
       {"WaitOutput", "OpenPort", "SendRead", "ReceiveData", "Drain", "Finish"}},
      {"write",
       [&] { return link.StartWrite(source, kBlock, Record()); },
       {"WaitOutput", "OpenPort", "SendWrite", "SendData", "SendEnd", "WaitWriteAnswer", "Drain",
        "Finish"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    calls = 0;
    trace.lines.clear();
    ASSERT_EQ(link.CurrentState(), State::Idle);
    ASSERT_TRUE(c.start());
    EXPECT_EQ(link.CurrentState(), State::Started);
    Run();
    Names seen;
    for (const std::string& line : trace.lines) {
      const std::size_t at = line.find(" state ");
      if (at != std::string::npos) seen.push_back(line.substr(at + 7, line.find(',', at) - at - 7));
    }
    EXPECT_EQ(seen, c.states);
    EXPECT_EQ(link.CurrentState(), State::Idle);
    EXPECT_EQ(Status(), kLinkOk);
  }
}

TEST_F(CloneLinkTest, InputBeforeTheRequestIsDiscardedWhenThePortSettles) {
  wire.peer = nullptr;
  ScriptedRadio late(wire);
  late.answers[kCmdIdentify] = ScriptedRadio::IdentifyAnswer(0x3974, 1, Payload(48));
  ASSERT_TRUE(link.StartIdentify(Record()));
  clock.Advance(20);  // the port is open and settling
  ASSERT_TRUE(link.Port().IsOpen());
  wire.Feed(ScriptedRadio::IdentifyAnswer(0x1111, 1, Payload(48)));  // noise from before
  Run();
  EXPECT_EQ(Status(), kLinkOk);
  EXPECT_EQ(result->modelCode, 0x3974);
}

TEST_F(CloneLinkTest, TheFirstRequestWaitsForAQuietLineAsLongAsOneStreamedFrameTakes) {
  // A radio streaming memory sends its longest frame (142 bytes of ten bits) in this time;
  // never less than 30 ms, for adapters that hand bytes over in bursts.
  const struct {
    const char* settings;
    std::int64_t quietMs;
  } cases[] = {
      {"9600,N,8,1", 148},
      {"19200,N,8,1", 74},
      {"38400,N,8,1", 37},
      {"115200,N,8,1", 30},
  };
  radio.answers[kCmdIdentify] = ScriptedRadio::IdentifyAnswer(0x3974, 1, Payload(48));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.settings);
    calls = 0;
    radio.frames.clear();
    link.SetPort(1, c.settings);
    ASSERT_TRUE(link.StartIdentify(Record()));
    clock.Advance(1);
    ASSERT_TRUE(link.Port().IsOpen());  // at once, not a tick later
    const std::int64_t opened = clock.NowMs();
    while (radio.frames.empty() && link.IsBusy()) clock.Advance(1);
    const std::int64_t quiet = clock.NowMs() - opened;
    EXPECT_GE(quiet, c.quietMs);
    EXPECT_LE(quiet, c.quietMs + CloneLink::kStepMs);
    // This radio answers at once, so the exchange has ended in the tick that sent.
    EXPECT_FALSE(link.IsBusy());
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(Status(), kLinkOk);
  }
}

TEST_F(CloneLinkTest, OnlyAnExchangeRightAfterACleanOneOnTheSameLineSkipsTheQuietWait) {
  constexpr AddressRange kBlock[] = {{0x0000, 0x003F}, {1, 0}};
  const Bytes good = ScriptedRadio::IdentifyAnswer(0x3974, 1, Payload(48));
  const Bytes notDigits = {0xFE, 0xFE, 0xEF, 0xEE, 0xE1, 0x39, 0x74, 0xAA, 0x01, 0xFD};
  radio.answers[kCmdRead] =
      Join({ScriptedRadio::DataFrame(0, Bytes(64, 0x5A)), ScriptedRadio::EndFrame(1)});
  const struct {
    const char* name;
    Bytes firstAnswer;     // of the identify that comes first
    std::int64_t gapMs;    // from its end to the start of the next exchange
    const char* settings;  // of the next exchange
    bool nextIdentifies;
    bool waits;
  } cases[] = {
      {"a read at once after a clean identify", good, 0, "38400,N,8,1", false, false},
      {"a read 240 ms after a clean identify", good, 240, "38400,N,8,1", false, false},
      {"a read 260 ms after a clean identify", good, 260, "38400,N,8,1", false, true},
      {"a read after a failed identify", notDigits, 0, "38400,N,8,1", false, true},
      {"a read at another speed", good, 0, "19200,N,8,1", false, true},
      {"an identify after a clean identify", good, 0, "38400,N,8,1", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    link.SetPort(1, "38400,N,8,1");
    radio.answers[kCmdIdentify] = c.firstAnswer;
    std::optional<std::int64_t> endedAt;
    ASSERT_TRUE(link.StartIdentify([&](LinkResult&) { endedAt = clock.NowMs(); }));
    while (!endedAt) clock.Advance(1);
    clock.Advance(c.gapMs);
    radio.answers[kCmdIdentify] = good;
    radio.frames.clear();
    link.SetPort(1, c.settings);
    std::optional<int> status;
    auto done = [&](LinkResult& r) { status = r.status; };
    ASSERT_TRUE(c.nextIdentifies ? link.StartIdentify(done) : link.StartRead(kBlock, done));
    const std::int64_t start = clock.NowMs();
    while (radio.frames.empty() && link.IsBusy()) clock.Advance(1);
    const std::int64_t beforeRequest = clock.NowMs() - start;
    if (c.waits) {
      EXPECT_GE(beforeRequest, 30);
    } else {
      EXPECT_LE(beforeRequest, 1);
    }
    while (!status) clock.Advance(1);
    EXPECT_EQ(status, kLinkOk);
  }
}

TEST_F(CloneLinkTest, AfterNoiseTheRequestWaitsUntilTheLineWasQuietForAWholeFrame) {
  // A radio still sending the rest of an interrupted read: bytes every 20 ms for half a
  // second. Nothing may go out until the line has been quiet for as long as the longest
  // frame takes at 38400 baud (520 bytes of ten bits: 136 ms), well over the 100 ms a
  // clean line waits.
  radio.answers[kCmdIdentify] = ScriptedRadio::IdentifyAnswer(0x3974, 1, Payload(48));
  ASSERT_TRUE(link.StartIdentify(Record()));
  while (!link.Port().IsOpen()) clock.Advance(CloneLink::kStepMs);
  std::int64_t lastNoise = 0;
  for (int i = 0; i < 25; ++i) {
    clock.Advance(20);
    wire.Feed({0xFE, 0xFE, 0xEF, 0xEE, 0xE4, 0x01, 0x20, 0x10});
    lastNoise = clock.NowMs();
    EXPECT_TRUE(radio.frames.empty()) << "sent into the noise at " << i;
  }
  while (radio.frames.empty() && clock.NowMs() - lastNoise < 1000) clock.Advance(10);
  ASSERT_EQ(radio.frames.size(), 1u);
  const std::int64_t quiet = clock.NowMs() - lastNoise;
  EXPECT_GE(quiet, 136);
  EXPECT_LE(quiet, 136 + 4 * CloneLink::kStepMs);  // the ticks that notice, then send
  Run();
  EXPECT_EQ(Status(), kLinkOk);
  EXPECT_EQ(result->modelCode, 0x3974);
}

TEST_F(CloneLinkTest, BytesInTheWayOfARequestsEchoAreWaitedOutOnceThenTheyEndIt) {
  // A radio that paused longer than the quiet wait and then went on sending the rest of an
  // interrupted read: its bytes arrive before the echo of the request. An identify or a
  // read asks once more after a quiet line; bytes in the way a second time end it.
  struct Case {
    const char* what;
    int strayTimes;
    int status;
    std::size_t requests;
  };
  const Case cases[] = {{"once", 1, kLinkOk, 2}, {"every time", 99, kLinkEchoError, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ManualClock lineClock;
    MemoryWire line;
    ScriptedRadio answerer{line};
    CloneLink other{line, lineClock, lineClock, [](int n) { return n == 1 ? "/dev/ttyS0" : ""; }};
    other.SetPort(1, "38400,N,8,1");
    other.SetModelWords(0x3974, 0);
    other.SetEchoCheck(true);
    answerer.answers[kCmdIdentify] = ScriptedRadio::IdentifyAnswer(0x3974, 1, Payload(48));
    line.echo = false;
    int stray = 0;
    const auto answer = line.peer;
    line.peer = [&](const std::uint8_t* bytes, int count) {
      if (stray++ < c.strayTimes) line.Feed({0xFE, 0xFE, 0xEF, 0xEE, 0xE4, 0x01, 0x20, 0x10});
      line.Feed(bytes, count);
      answer(bytes, count);
    };
    std::optional<LinkResult> outcome;
    ASSERT_TRUE(other.StartIdentify([&](LinkResult& r) { outcome = r; }));
    for (int i = 0; i < 500 && other.IsBusy(); ++i) lineClock.Advance(CloneLink::kStepMs);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(outcome->status, c.status);
    EXPECT_EQ(answerer.frames.size(), c.requests);
  }
}

TEST_F(CloneLinkTest, TheTraceHasALineForEveryFrameAndTheOutcomeOfEachCheck) {
  TraceLines trace;
  link.SetTrace(&trace);
  constexpr AddressRange kTwoBlocks[] = {{0x0000, 0x007F}, {1, 0}};
  Bytes answer =
      Join({ScriptedRadio::DataFrame(0x0000, Bytes(64, 0x21)),
            ScriptedRadio::DataFrame(0x0040, Bytes(64, 0x22)), ScriptedRadio::EndFrame(2)});
  EXPECT_EQ(ReadStatus(answer, kTwoBlocks), kLinkOk);
  auto count = [&](const std::string& part) {
    return std::count_if(trace.lines.begin(), trace.lines.end(), [&](const std::string& line) {
      return line.find(part) != std::string::npos;
    });
  };
  EXPECT_EQ(count(" > "), 1);  // the read request
  EXPECT_EQ(count(" < "), 3);
  EXPECT_EQ(count("-> data"), 2);
  EXPECT_EQ(count("-> end"), 1);
  EXPECT_EQ(count("echo complete"), 1);
  EXPECT_EQ(count("coverage complete"), 1);
  EXPECT_EQ(count("state Drain, status 0"), 1);
  EXPECT_EQ(trace.lines.back().substr(8), " port closed, status 0");
  // Each line starts with the milliseconds since the trace began, ascending.
  long previous = -1;
  for (const std::string& line : trace.lines) {
    const long ms = std::stol(line.substr(0, 8));
    EXPECT_GE(ms, previous) << line;
    previous = ms;
  }

  trace.lines.clear();
  calls = 0;
  ReadStatus(ScriptedRadio::DataFrame(0, Bytes(63, 1)), kTwoBlocks);  // then silence
  EXPECT_EQ(count("state Drain, status 5"), 1);
}

TEST_F(CloneLinkTest, ARangeListOutsideTheImageIsAFaultOfTheProgram) {
  constexpr AddressRange kBeyond[] = {{0x7F00, 0x8000}, {1, 0}};
  EXPECT_EXIT(link.StartRead(kBeyond, Record()), ::testing::ExitedWithCode(3),
              "outside the EEPROM image");
  EepromImage small;
  small.SetSize(0x100);
  EXPECT_EXIT(link.StartWrite(small, kShortWriteList, Record()), ::testing::ExitedWithCode(3),
              "outside the EEPROM image");
}

}  // namespace
}  // namespace rtv
