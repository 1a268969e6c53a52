// The stand-in for the floating-point to_chars/from_chars (the web build's libc++ lacks them) gives
// the standard library's text and values, so that a mesh file written or read in the browser has
// the desktop's bytes and numbers.
#include "engine/xfile/float_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace engine::xfile {
namespace {

std::string StandardText(float f) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, f);
  EXPECT_EQ(ec, std::errc());
  return std::string(buffer, end);
}

std::string StandInText(float f) {
  char buffer[64];
  const auto [end, ec] = standin::FloatToChars(buffer, buffer + sizeof buffer, f);
  EXPECT_EQ(ec, std::errc());
  return std::string(buffer, end);
}

// Writes the float and reads the text back with the stand-in: the same text as the standard
// library's, and the same float.
void ExpectSameText(float f) {
  const std::string text = StandInText(f);
  ASSERT_EQ(text, StandardText(f)) << "bits " << std::hex << std::bit_cast<uint32_t>(f);
  if (std::isnan(f)) return;
  float back = 0;
  const auto [end, ec] = standin::FloatFromChars(text.data(), text.data() + text.size(), back);
  EXPECT_EQ(ec, std::errc()) << text;
  EXPECT_EQ(end, text.data() + text.size()) << text;
  EXPECT_EQ(std::bit_cast<uint32_t>(back), std::bit_cast<uint32_t>(f)) << text;
}

TEST(FloatTextStandIn, WritesWhatTheStandardLibraryWrites) {
  const float lim = std::numeric_limits<float>::max();
  for (float f : {0.0f,
                  -0.0f,
                  1.0f,
                  -1.0f,
                  0.5f,
                  0.1f,
                  0.3f,
                  1.5f,
                  2.0f,
                  10.0f,
                  100.0f,
                  1e6f,
                  1e7f,
                  1e8f,
                  1e9f,
                  1e10f,
                  123456789.0f,
                  16777216.0f,
                  16777217.0f,
                  1e-3f,
                  1e-4f,
                  1e-5f,
                  1e-6f,
                  0.00012345f,
                  3.14159265f,
                  2.7182818f,
                  1e38f,
                  lim,
                  -lim,
                  std::numeric_limits<float>::min(),
                  std::numeric_limits<float>::denorm_min(),
                  std::numeric_limits<float>::infinity(),
                  -std::numeric_limits<float>::infinity(),
                  std::numeric_limits<float>::quiet_NaN()}) {
    ExpectSameText(f);
  }
}

// Where the neighbours of a float lie at unequal distances (powers of two), the nearest decimal of
// a given length may not read back while a farther one does.
TEST(FloatTextStandIn, PowersOfTwoAndTheirNeighbours) {
  for (int e = -149; e <= 127; ++e) {
    const float p = std::ldexp(1.0f, e);
    ExpectSameText(p);
    ExpectSameText(std::nextafter(p, 0.0f));
    ExpectSameText(std::nextafter(p, std::numeric_limits<float>::infinity()));
  }
}

TEST(FloatTextStandIn, RandomFloatsOfEveryMagnitude) {
  std::mt19937 random(27);
  for (int i = 0; i < 300000; ++i) {
    const float f = std::bit_cast<float>(static_cast<uint32_t>(random()));
    if (std::isnan(f)) continue;
    ExpectSameText(f);
    if (HasFatalFailure()) return;
  }
  // Numbers of the size a mesh holds: coordinates, normals and colours.
  std::uniform_real_distribution<float> coordinate(-1000.0f, 1000.0f), unit(0.0f, 1.0f);
  for (int i = 0; i < 100000; ++i) {
    ExpectSameText(coordinate(random));
    ExpectSameText(unit(random));
    if (HasFatalFailure()) return;
  }
}

TEST(FloatTextStandIn, TooSmallABufferIsRefused) {
  char buffer[4];
  const auto result = standin::FloatToChars(buffer, buffer + sizeof buffer, 3.14159f);
  EXPECT_EQ(result.ec, std::errc::value_too_large);
  EXPECT_EQ(result.ptr, buffer + sizeof buffer);
}

// Reads each text with the standard functions and the stand-in: the same end, error and value.
TEST(FloatTextStandIn, ReadsWhatTheStandardLibraryReads) {
  const std::vector<std::string> texts = {"0",
                                          "-0",
                                          "1",
                                          "-1.5",
                                          "3.25",
                                          ".5",
                                          "5.",
                                          "1e3",
                                          "1E3",
                                          "1e+3",
                                          "1e-3",
                                          "2.5e",
                                          "2.5e+",
                                          "2.5ex",
                                          "1.2.3",
                                          "12abc",
                                          "-",
                                          "",
                                          ".",
                                          "+1",
                                          " 1",
                                          "0x10",
                                          "inf",
                                          "-INF",
                                          "infinity",
                                          "infinit",
                                          "nan",
                                          "NaN(123)",
                                          "nan(",
                                          "1e40",
                                          "-1e40",
                                          "1e-50",
                                          "1e400",
                                          "1e-400",
                                          "1e-40",
                                          "0.1",
                                          "0.30000001192092896",
                                          "340282346638528859811704183484516925440",
                                          "16777217",
                                          "1.00000005960464477539062500001",
                                          "0000000000000000000000001.5"};
  for (const std::string& text : texts) {
    const char* first = text.data();
    const char* last = first + text.size();
    float standardFloat = 7, standInFloat = 7;
    const auto a = std::from_chars(first, last, standardFloat);
    const auto b = standin::FloatFromChars(first, last, standInFloat);
    EXPECT_EQ(a.ptr, b.ptr) << '"' << text << '"';
    EXPECT_EQ(a.ec, b.ec) << '"' << text << '"';
    if (!std::isnan(standardFloat)) {
      EXPECT_EQ(standardFloat, standInFloat) << '"' << text << '"';
    }
    double standardDouble = 7, standInDouble = 7;
    const auto c = std::from_chars(first, last, standardDouble);
    const auto d = standin::DoubleFromChars(first, last, standInDouble);
    EXPECT_EQ(c.ptr, d.ptr) << '"' << text << '"';
    EXPECT_EQ(c.ec, d.ec) << '"' << text << '"';
    if (!std::isnan(standardDouble)) {
      EXPECT_EQ(standardDouble, standInDouble) << '"' << text << '"';
    }
  }
}

}  // namespace
}  // namespace engine::xfile
