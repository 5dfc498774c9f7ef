#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/packing.h"

namespace {

std::span<const unsigned char> Bytes(const std::string& s) {
  return {reinterpret_cast<const unsigned char*>(s.data()), s.size()};
}

std::string Packed(const std::string& text) {
  std::vector<unsigned char> out(text.size() + 64, ' ');
  const int n = platform::Pack(Bytes(text), out);
  EXPECT_GT(n, 0);
  EXPECT_LE(static_cast<std::size_t>(n), out.size());
  return std::string(reinterpret_cast<const char*>(out.data()), static_cast<std::size_t>(std::max(n, 0)));
}

TEST(Packing, RoundTripOfTextAndBinary) {
  std::string binary;
  for (int i = 0; i < 3000; ++i) binary += static_cast<char>((i * 131) & 0xFF);
  std::vector<std::string> texts{binary, "A"};
  texts.push_back(std::string("<T10001>").append(4000, '0'));
  for (const std::string& text : texts) {
    const auto back = platform::Unpack(Bytes(Packed(text)), 4096);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, text);
  }
}

TEST(Packing, SmallBufferAsksForTheSizeNeededAndLeavesTheBufferAlone) {
  std::string text;
  for (int i = 0; i < 500; ++i) text += static_cast<char>((i * 7919) & 0xFF);  // packs poorly
  std::vector<unsigned char> small(16, ' ');
  const int n = platform::Pack(Bytes(text), small);
  EXPECT_GT(n, 16);
  EXPECT_EQ(small, std::vector<unsigned char>(16, ' '));
  std::vector<unsigned char> enough(static_cast<std::size_t>(n), ' ');
  EXPECT_EQ(platform::Pack(Bytes(text), enough), n);
}

TEST(Packing, DamagedStreamsAreRefused) {
  std::string input(3000, 'x');
  input += "tail";
  const std::string good = Packed(input);
  std::string flipped = good;
  flipped[flipped.size() / 2] ^= 0x55;
  std::vector<std::string> damaged{"", "not packed at all", flipped, good + "!"};
  damaged.push_back(good.substr(0, good.size() - 1));
  damaged.push_back(good.substr(0, 3));
  for (const std::string& bad : damaged)
    EXPECT_FALSE(platform::Unpack(Bytes(bad), 4096).has_value()) << bad.size();
  // A stream that unpacks beyond the limit is refused as well.
  EXPECT_FALSE(platform::Unpack(Bytes(good), 100).has_value());
}

}  // namespace
