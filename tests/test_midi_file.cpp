// The standard MIDI file reader.
#include <gtest/gtest.h>

#include <vector>

#include "platform/midi_file.h"

namespace {

std::vector<uint8_t> smf(uint16_t format, uint16_t division,
                         const std::vector<std::vector<uint8_t>>& tracks) {
  std::vector<uint8_t> b = {'M',
                            'T',
                            'h',
                            'd',
                            0,
                            0,
                            0,
                            6,
                            0,
                            static_cast<uint8_t>(format),
                            0,
                            static_cast<uint8_t>(tracks.size()),
                            static_cast<uint8_t>(division >> 8),
                            static_cast<uint8_t>(division)};
  for (const auto& t : tracks) {
    const auto n = static_cast<uint32_t>(t.size());
    b.insert(b.end(),
             {'M', 'T', 'r', 'k', static_cast<uint8_t>(n >> 24), static_cast<uint8_t>(n >> 16),
              static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)});
    b.insert(b.end(), t.begin(), t.end());
  }
  return b;
}

const std::vector<uint8_t> kEnd = {0x00, 0xFF, 0x2F, 0x00};

std::vector<uint8_t> cat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The generator's test phrase: two tracks, a tempo change and running status.
TEST(MidiFile, ReadsTheTestPhrase) {
  plat::MidiSequence seq;
  ASSERT_TRUE(plat::read_midi_file("Test_Phrase.mid", &seq));
  EXPECT_EQ(seq.format, 1);
  EXPECT_EQ(seq.tracks, 2);
  std::vector<double> onsets;
  for (const auto& e : seq.events) {
    if ((e.status & 0xF0) == 0x90 && e.data2 > 0) onsets.push_back(e.seconds);
  }
  // 240 beats a minute for two beats, then 120.
  ASSERT_EQ(onsets.size(), 4u);
  EXPECT_NEAR(onsets[0], 0.0, 1e-9);
  EXPECT_NEAR(onsets[1], 0.25, 1e-9);
  EXPECT_NEAR(onsets[2], 0.5, 1e-9);
  EXPECT_NEAR(onsets[3], 1.0, 1e-9);
  EXPECT_NEAR(seq.length_seconds, 1.45, 1e-9);
}

TEST(MidiFile, ReadsEveryChannelMessageWithRunningStatus) {
  // Division 96; tempo 500,000 us a quarter (the default) stated anyway.
  const std::vector<uint8_t> track = cat(
      {
          0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // tempo
          0x00, 0xC3, 0x30,                          // program change
          0x00, 0x93, 0x3C, 0x64,                    // note on
          0x00, 0x40, 0x50,                          // running status: note on
          0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7,        // sysex, ends running status
          0x60, 0xB3, 0x07, 0x64,                    // controller, one beat later
          0x00, 0xA3, 0x3C, 0x20,                    // key pressure
          0x00, 0xD3, 0x40,                          // channel pressure
          0x00, 0xE3, 0x00, 0x60,                    // pitch bend
          0x00, 0x83, 0x3C, 0x00,                    // note off
          0x00, 0x3E, 0x00,                          // running status: note off
          0x00, 0xFF, 0x01, 0x02, 'h',  'i',         // text
      },
      kEnd);
  plat::MidiSequence seq;
  const auto bytes = smf(0, 96, {track});
  ASSERT_TRUE(plat::parse_midi(bytes.data(), bytes.size(), &seq));
  const std::vector<std::vector<int>> expected = {
      {0xC3, 0x30, 0},    {0x93, 0x3C, 0x64}, {0x93, 0x40, 0x50},
      {0xB3, 0x07, 0x64}, {0xA3, 0x3C, 0x20}, {0xD3, 0x40, 0},
      {0xE3, 0x00, 0x60}, {0x83, 0x3C, 0},    {0x83, 0x3E, 0}};
  ASSERT_EQ(seq.events.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(seq.events[i].status, expected[i][0]) << i;
    EXPECT_EQ(seq.events[i].data1, expected[i][1]) << i;
    EXPECT_EQ(seq.events[i].data2, expected[i][2]) << i;
    EXPECT_NEAR(seq.events[i].seconds, i >= 3 ? 0.5 : 0.0, 1e-9) << i;
  }
}

TEST(MidiFile, TimecodeDivisionCountsTicksPerSecond) {
  // 25 frames a second, 40 ticks a frame: 1000 ticks a second.
  const std::vector<uint8_t> track = cat({0x87, 0x68, 0x90, 0x3C, 0x64}, kEnd);  // 1000 ticks
  const auto bytes = smf(0, 0xE728, {track});
  plat::MidiSequence seq;
  ASSERT_TRUE(plat::parse_midi(bytes.data(), bytes.size(), &seq));
  ASSERT_EQ(seq.events.size(), 1u);
  EXPECT_NEAR(seq.events[0].seconds, 1.0, 1e-9);
}

TEST(MidiFile, RefusesMalformedFiles) {
  const std::vector<uint8_t> note = {0x00, 0x90, 0x3C, 0x64};
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> bad_magic = smf(0, 96, {cat(note, kEnd)});
  bad_magic[0] = 'X';
  std::vector<uint8_t> short_header = smf(0, 96, {cat(note, kEnd)});
  short_header.resize(10);
  const Case cases[] = {
      {"empty", {}},
      {"wrong magic", bad_magic},
      {"cut header", short_header},
      {"format 2", smf(2, 96, {cat(note, kEnd)})},
      {"division 0", smf(0, 0, {cat(note, kEnd)})},
      {"no tracks", smf(0, 96, {})},
      {"data byte without a status", smf(0, 96, {{0x00, 0x3C, 0x64}})},
      {"status byte in the data", smf(0, 96, {{0x00, 0x90, 0x3C, 0x90}})},
      {"message cut short", smf(0, 96, {{0x00, 0x90, 0x3C}})},
      {"delta of five bytes", smf(0, 96, {{0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 0x3C, 0x64}})},
      {"sysex longer than the track", smf(0, 96, {{0x00, 0xF0, 0x7F, 0x01}})},
      {"meta longer than the track", smf(0, 96, {{0x00, 0xFF, 0x01, 0x40, 'a'}})},
      {"system message", smf(0, 96, {{0x00, 0xF8}})},
  };
  for (const Case& c : cases) {
    plat::MidiSequence seq;
    EXPECT_FALSE(plat::parse_midi(c.bytes.data(), c.bytes.size(), &seq)) << c.what;
    EXPECT_TRUE(seq.events.empty()) << c.what;
  }
  plat::MidiSequence seq;
  EXPECT_FALSE(plat::read_midi_file("no_such_file.mid", &seq));
}

TEST(MidiFile, TrackCutShortByTheFileEndIsReadAsFarAsItGoes) {
  std::vector<uint8_t> bytes =
      smf(0, 96, {cat({0x00, 0x90, 0x3C, 0x64, 0x60, 0x80, 0x3C, 0x00}, kEnd)});
  bytes.resize(bytes.size() - kEnd.size());
  plat::MidiSequence seq;
  ASSERT_TRUE(plat::parse_midi(bytes.data(), bytes.size(), &seq));
  EXPECT_EQ(seq.events.size(), 2u);
  EXPECT_NEAR(seq.length_seconds, 0.5, 1e-9);
}

}  // namespace
