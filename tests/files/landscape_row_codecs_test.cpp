// The landscape row codecs: the documented byte examples, round trips and hostile packet streams.
#include "engine/files/landscape_row_codecs.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {
using Bytes = std::vector<uint8_t>;

Bytes pack(const Bytes& in) {
  Bytes out(rle_packed_bound(in.size()) + 8);
  out.resize(static_cast<size_t>(rle_pack(in.data(), out.data(), static_cast<int32_t>(in.size()))));
  return out;
}
}  // namespace

TEST(RowCodecs, DeltaCoderEscapesStepsOutsideOneSignedByte) {
  const int16_t samples[] = {0, 127, 255, 127};
  uint8_t out[16];
  const int32_t n = delta_pack16(samples, out, 4);
  EXPECT_EQ(Bytes(out, out + n), (Bytes{0x00, 0x00, 0x7F, 0x80, 0x00, 0xFF, 0x80, 0x00, 0x7F}));
  int16_t back[4];
  ASSERT_EQ(delta_unpack16(out, n, back, 4), 4);
  EXPECT_EQ(std::vector<int16_t>(back, back + 4), std::vector<int16_t>(samples, samples + 4));
}

TEST(RowCodecs, RunLengthExamples) {
  struct Case {
    Bytes in, packed;
  };
  const Case cases[] = {
      {{1, 2, 3, 3, 3, 3}, {0x01, 0x01, 0x02, 0xFD, 0x03}},
      {{1, 2, 3, 4, 4, 4}, {0x05, 0x01, 0x02, 0x03, 0x04, 0x04, 0x04}},  // a run at the very end stays literal
      {{7, 7, 7}, {0x02, 0x07, 0x07, 0x07}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(pack(c.in), c.packed);
    Bytes back(c.in.size());
    EXPECT_EQ(rle_unpack(c.packed.data(), static_cast<int32_t>(c.packed.size()), back.data(),
                         static_cast<int32_t>(back.size())),
              static_cast<int32_t>(c.in.size()));
    EXPECT_EQ(back, c.in);
  }
}

TEST(RowCodecs, ThreeHundredEqualBytesMakeRepeatPacketsOf127And127And46) {
  const Bytes in(300, 9);
  EXPECT_EQ(pack(in), (Bytes{0x82, 9, 0x82, 9, 0xD3, 9}));
}

TEST(RowCodecs, RandomRowsRoundTripThroughBothStages) {
  std::mt19937 rng(5);
  for (int32_t trial = 0; trial < 200; ++trial) {
    const int32_t n = 2 + static_cast<int32_t>(rng() % 8193);
    std::vector<int16_t> row(static_cast<size_t>(n));
    int32_t v = static_cast<int16_t>(rng());
    for (auto& s : row) {
      // Flat stretches, small steps, large jumps and the extremes.
      const uint32_t kind = rng() % 10;
      if (kind < 4) v += 0;
      else if (kind < 8) v += static_cast<int32_t>(rng() % 255) - 127;
      else v = static_cast<int16_t>(rng());
      v = static_cast<int16_t>(v);
      s = static_cast<int16_t>(v);
    }
    Bytes delta(delta_packed_bound(row.size()));
    const int32_t d = delta_pack16(row.data(), delta.data(), n);
    Bytes packed(rle_packed_bound(static_cast<size_t>(d)));
    const int32_t p = rle_pack(delta.data(), packed.data(), d);
    ASSERT_LE(p, kPackedRowMax);
    Bytes unpacked(static_cast<size_t>(d));
    ASSERT_EQ(rle_unpack(packed.data(), p, unpacked.data(), d), d);
    std::vector<int16_t> back(static_cast<size_t>(n));
    ASSERT_EQ(delta_unpack16(unpacked.data(), d, back.data(), n), n);
    ASSERT_EQ(back, row);
  }
}

TEST(RowCodecs, DecodersNeverWritePastTheirBuffers) {
  struct Case {
    const char* what;
    Bytes in;
    int32_t capacity;
  };
  const Case rle_cases[] = {
      {"repeat longer than the buffer", {0x82, 1}, 100},
      {"literal longer than the buffer", {0x7F, 1}, 8},
      {"literal cut short by the input", {0x05, 1, 2}, 100},
      {"repeat without its value", {0xFE}, 100},
      {"second packet overflows", {0x00, 1, 0x82, 2}, 127},
  };
  for (const Case& c : rle_cases) {
    Bytes out(static_cast<size_t>(c.capacity) + 4, 0xAA);
    EXPECT_EQ(rle_unpack(c.in.data(), static_cast<int32_t>(c.in.size()), out.data(), c.capacity), -1) << c.what;
    for (size_t i = static_cast<size_t>(c.capacity); i < out.size(); ++i) ASSERT_EQ(out[i], 0xAA) << c.what;
  }
  const Case delta_cases[] = {
      {"more samples than room", {0, 0, 1, 1, 1}, 3},
      {"escape without its sample", {0, 0, 0x80, 1}, 10},
      {"single byte", {7}, 10},
  };
  for (const Case& c : delta_cases) {
    std::vector<int16_t> out(static_cast<size_t>(c.capacity) + 2, 0x5555);
    EXPECT_EQ(delta_unpack16(c.in.data(), static_cast<int32_t>(c.in.size()), out.data(), c.capacity), -1) << c.what;
    EXPECT_EQ(out[static_cast<size_t>(c.capacity)], 0x5555) << c.what;
  }
}

TEST(RowCodecs, SwapsReverseBytesInPlace) {
  uint8_t a[] = {1, 2, 3, 4};
  swap16_array(a, 2);
  EXPECT_EQ(Bytes(a, a + 4), (Bytes{2, 1, 4, 3}));
  swap32_array(a, 1);
  EXPECT_EQ(Bytes(a, a + 4), (Bytes{3, 4, 1, 2}));
}
