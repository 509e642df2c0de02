// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CloneFrames.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "link/FrameSplitter.h"

namespace rtv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Feeds the bytes to a splitter; the frames it completed, FD left off.
std::vector<Bytes> Split(const ByteQueue& bytes, int maxLength = 521) {
  FrameSplitter splitter(maxLength);
  std::vector<Bytes> frames;
  for (int i = 0; i < bytes.Count(); ++i) {
    const FrameSplitter::Outcome outcome = splitter.Push(bytes.At(i));
    if (outcome == FrameSplitter::Outcome::Pending) continue;
    const ByteQueue& frame = splitter.Frame();
    // A frame too long is marked empty: nothing of it is handed on.
    frames.push_back(outcome == FrameSplitter::Outcome::TooLong
                         ? Bytes()
                         : Bytes(frame.Data(), frame.Data() + frame.Count()));
  }
  return frames;
}

ByteQueue Queue(const Bytes& bytes) {
  ByteQueue queue;
  queue.Append(bytes.data(), static_cast<int>(bytes.size()));
  return queue;
}

// What the radio sends is what the program sends, with the addresses swapped: the data
// frames the program builds are the frames it must take back.
ByteQueue AsFromTheRadio(const Bytes& frame) {
  ByteQueue queue = Queue(frame);
  queue.At(1) = kPcAddress;
  queue.At(2) = kRadioAddress;
  return queue;
}

TEST(CloneFramesTest, EveryByteValueSurvivesBuildingSplittingAndDecoding) {
  // 0x7A-0x7F go out as 0xFA-0xFF and need escapes; so do checksums and addresses there.
  for (int start = 0; start < 256; start += 64) {
    std::uint8_t memory[64];
    for (int i = 0; i < 64; ++i) memory[i] = static_cast<std::uint8_t>(start + i);
    const int address = 0x7AFC - start;  // the first block's low address byte is escaped
    ByteQueue wire;
    AppendDataFrame(wire, 3, address, memory, 64);
    const std::vector<Bytes> frames = Split(wire);
    ASSERT_EQ(frames.size(), 1u) << start;
    DataFrame data;
    ASSERT_EQ(DecodeReadFrame(AsFromTheRadio(frames[0]), 0x8000, std::nullopt, data),
              ReadFrameKind::Data)
        << start;
    EXPECT_EQ(data.address, address);
    ASSERT_EQ(data.count, 64);
    EXPECT_EQ(Bytes(data.bytes, data.bytes + 64), Bytes(memory, memory + 64)) << start;
  }
}

TEST(CloneFramesTest, ReadFramesThatAreNotWholeAndRightAreNamed) {
  const std::uint8_t memory[4] = {1, 2, 3, 4};
  ByteQueue wire;
  AppendDataFrame(wire, 0, 0x0100, memory, 4);
  const Bytes good = Split(wire).at(0);
  ByteQueue end;
  AppendEndFrame(end, true, 0x12B);  // the count goes modulo 256
  const Bytes goodEnd = Split(end).at(0);

  const auto changed = [](Bytes frame, std::size_t at, std::uint8_t value) {
    frame[at] = value;
    return frame;
  };
  const auto cut = [](Bytes frame, std::size_t length) {
    frame.resize(length);
    return frame;
  };
  struct Case {
    const char* name;
    Bytes frame;
    int imageSize;
    std::optional<int> expectedFrames;
    ReadFrameKind kind;
  };
  const Case cases[] = {
      {"data", good, 0x8000, std::nullopt, ReadFrameKind::Data},
      {"a checksum off by one",
       changed(good, good.size() - 1, static_cast<std::uint8_t>(good.back() + 1)), 0x8000,
       std::nullopt, ReadFrameKind::Broken},
      {"a count that is not the body's", changed(good, 6, 5), 0x8000, std::nullopt,
       ReadFrameKind::Broken},
      {"an escape with nothing after it", changed(good, good.size() - 1, kFrameEscape), 0x8000,
       std::nullopt, ReadFrameKind::Broken},
      {"too short", cut(good, 7), 0x8000, std::nullopt, ReadFrameKind::Broken},
      {"another command", changed(good, 3, kCmdRead), 0x8000, std::nullopt, ReadFrameKind::Broken},
      {"data reaching past the image", good, 0x0103, std::nullopt, ReadFrameKind::OutOfRange},
      {"data ending at the image's end", good, 0x0104, std::nullopt, ReadFrameKind::Data},
      {"the end with its count", goodEnd, 0x8000, 0x2B, ReadFrameKind::End},
      {"the end with another count", goodEnd, 0x8000, 0x2C, ReadFrameKind::WrongEndCount},
      {"the end with a count where none is sent", goodEnd, 0x8000, std::nullopt,
       ReadFrameKind::Broken},
      {"the end without the maker's tag", changed(goodEnd, 5, 'v'), 0x8000, 0x2B,
       ReadFrameKind::Broken},
  };
  for (const Case& c : cases) {
    DataFrame data;
    EXPECT_EQ(DecodeReadFrame(AsFromTheRadio(c.frame), c.imageSize, c.expectedFrames, data), c.kind)
        << c.name;
  }
}

TEST(CloneFramesTest, TheSplitterSkipsNoiseRestartsOnAPreambleAndRefusesLongFrames) {
  // Noise, a frame cut short by a new preamble, a whole frame, noise after it.
  const std::vector<Bytes> frames =
      Split(Queue({0x00, 0xFD, 0xFE, 0x11, 0xFE, 0xFE, 0x22, 0x33, 0xFD, 0x44, 0xFD}));
  EXPECT_EQ(frames, std::vector<Bytes>({{0xFE, 0x22, 0x33}}));

  for (const int length : {4, 5}) {  // the preamble and up to three bytes fit in four
    Bytes bytes = {0xFE};
    bytes.resize(static_cast<std::size_t>(length), 0x01);
    bytes.push_back(0xFD);
    const std::vector<Bytes> got = Split(Queue(bytes), 4);
    ASSERT_EQ(got.size(), 1u) << length;
    EXPECT_EQ(got[0].size(), length == 4 ? 4u : 0u) << length;  // empty: too long
  }
}

TEST(CloneFramesTest, AnswersToRequestsAreTakenOnlyWhenTheyAreWhole) {
  const auto frame = [](const Bytes& bytes) { return Queue(bytes); };
  const std::optional<IdentifyWords> words =
      DecodeIdentifyAnswer(frame({0xFE, 0xEF, 0xEE, 0xE1, 0x39, 0x74, 0x00, 0x01, 0x30}));
  ASSERT_TRUE(words.has_value());
  EXPECT_EQ(words->modelCode, 0x3974);
  EXPECT_EQ(words->extensionCode, 0x0001);
  EXPECT_FALSE(DecodeIdentifyAnswer(frame({0xFE, 0xEF, 0xEE, 0xE1, 0x39, 0x7A, 0x00, 0x01})));
  EXPECT_FALSE(DecodeIdentifyAnswer(frame({0xFE, 0xEF, 0xEE, 0xE1, 0x39, 0x74, 0x00})));

  EXPECT_TRUE(IsWriteAccepted(frame({0xFE, 0xEF, 0xEE, 0xE6, 0x00})));
  EXPECT_FALSE(IsWriteAccepted(frame({0xFE, 0xEF, 0xEE, 0xE6, 0x01})));
  EXPECT_FALSE(IsWriteAccepted(frame({0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0x00})));

  const Bytes adjust = {0xFE, 0xEF, 0xEE, 0xE8, 0x39, 0x74, 0x00, 0x00, 0x05, '3', 'C'};
  AdjustAnswer answer = DecodeAdjustAnswer(frame(adjust), 0x3974);
  EXPECT_EQ(answer.kind, AdjustAnswer::Kind::Value);
  EXPECT_EQ(answer.value, 0x3C);
  EXPECT_EQ(DecodeAdjustAnswer(frame(adjust), 0x3975).kind, AdjustAnswer::Kind::NotOurs);
  Bytes lower = adjust;
  lower[10] = 'c';  // the radio answers in capitals
  EXPECT_EQ(DecodeAdjustAnswer(frame(lower), 0x3974).kind, AdjustAnswer::Kind::Broken);
}

TEST(CloneFramesTest, AnAdjustmentRequestCarriesItsValueAsDigits) {
  const auto built = [](std::uint8_t code, std::uint8_t first, std::uint8_t second,
                        bool twelveBit) {
    ByteQueue out;
    AppendAdjustFrame(out, 2, 0x3974, 0x0001, code, first, second, twelveBit);
    return Bytes(out.Data(), out.Data() + out.Count());
  };
  EXPECT_EQ(built(0x05, 0x3C, 0x00, false), Bytes({0xFE, 0xFE, 0xFE, 0xFE, 0xEE, 0xEF, 0xE8, 0x39,
                                                   0x74, 0x00, 0x01, 0x05, '3', 'C', 0xFD}));
  EXPECT_EQ(built(0x09, 0x0A, 0xBC, true), Bytes({0xFE, 0xFE, 0xFE, 0xFE, 0xEE, 0xEF, 0xE8, 0x39,
                                                  0x74, 0x00, 0x01, 0x09, 'A', 'B', 'C', 0xFD}));
}

}  // namespace
}  // namespace rtv
