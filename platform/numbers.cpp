#include "platform/numbers.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace qimubox {
namespace {

// Full-width forms: the GBK bytes A3 B0..A3 B9 are the digits, A3 AB '+' and A3 AD '-'.
std::string toHalfWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == 0xA3 && i + 1 < text.size()) {
      const auto t = static_cast<unsigned char>(text[i + 1]);
      if (t >= 0xB0 && t <= 0xB9) {
        out.push_back(static_cast<char>('0' + (t - 0xB0)));
        ++i;
        continue;
      }
      if (t == 0xAB || t == 0xAD) {
        out.push_back(t == 0xAB ? '+' : '-');
        ++i;
        continue;
      }
    }
    if (c >= 0x81 && c <= 0xFE && i + 1 < text.size()) {
      out.push_back(text[i]);
      out.push_back(text[++i]);
      continue;
    }
    out.push_back(text[i]);
  }
  return out;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

std::int64_t textToInteger(std::string_view text) {
  const std::string half = toHalfWidth(text);
  std::size_t i = 0;
  while (i < half.size() && isBlank(half[i])) ++i;
  bool negative = false;
  if (i < half.size() && (half[i] == '+' || half[i] == '-')) negative = half[i++] == '-';
  constexpr std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  std::uint64_t magnitude = 0;
  for (; i < half.size() && half[i] >= '0' && half[i] <= '9'; ++i) {
    const std::uint64_t digit = static_cast<std::uint64_t>(half[i] - '0');
    if (magnitude > (limit + 1 - digit) / 10) {
      magnitude = limit + 1;
      break;
    }
    magnitude = magnitude * 10 + digit;
  }
  if (negative) return magnitude > limit ? std::numeric_limits<std::int64_t>::min() : -static_cast<std::int64_t>(magnitude);
  return magnitude > limit ? std::numeric_limits<std::int64_t>::max() : static_cast<std::int64_t>(magnitude);
}

std::string numberToText(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  char buffer[64];
  if (value == std::trunc(value) && std::fabs(value) < 1e15) {
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
    return buffer[0] == '-' && buffer[1] == '0' && buffer[2] == '\0' ? "0" : buffer;
  }
  // %g drops trailing zeros; 13 significant digits at most.
  std::snprintf(buffer, sizeof buffer, "%.13g", value);
  return buffer;
}

double roundHalfAway(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const double scaled = value * scale;
  const double rounded = scaled < 0 ? -std::floor(-scaled + 0.5) : std::floor(scaled + 0.5);
  return rounded / scale;
}

std::int64_t divideWhole(std::int64_t dividend, std::int64_t divisor) {
  if (divisor == 0) return 0;
  if (divisor == -1 && dividend == std::numeric_limits<std::int64_t>::min()) return std::numeric_limits<std::int64_t>::max();
  return dividend / divisor;
}

}  // namespace qimubox
