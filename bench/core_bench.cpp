// The number texts of the calculator core against the standard library's
// conversions on the same values: FormatHex, FormatDec and FormatNet against
// std::to_chars, the parsers against std::from_chars.

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "number_text.h"

namespace {

using averlin::Word;

constexpr std::size_t kValues = 4096;  // a power of two: indices wrap by mask

const std::vector<Word>& Values() {
  static const std::vector<Word> values = [] {
    std::mt19937 random(20240501);
    std::vector<Word> v(kValues);
    // Every magnitude is represented: the top bits are cut at random.
    for (Word& w : v) w = static_cast<Word>(random()) >> (random() % 32);
    return v;
  }();
  return values;
}

// The values as texts in one format, made once by the core's own formatter.
template <class Format>
std::vector<std::string> Texts(Format format) {
  std::vector<std::string> texts;
  texts.reserve(kValues);
  for (Word w : Values()) texts.push_back(format(w));
  return texts;
}

const averlin::WordFormat kUnsigned32{averlin::DataWordLength::Bits32, averlin::SignedMode::Unsigned};
const averlin::WordFormat kSigned32{averlin::DataWordLength::Bits32, averlin::SignedMode::Signed};
const averlin::WordLimits kLimits32 = averlin::LimitsFor(averlin::DataWordLength::Bits32);

const std::vector<std::string>& HexTexts() {
  static const auto t = Texts([](Word w) { return averlin::FormatHex(w); });
  return t;
}
const std::vector<std::string>& UnsignedTexts() {
  static const auto t = Texts([](Word w) { return averlin::FormatDec(w, kUnsigned32); });
  return t;
}
const std::vector<std::string>& SignedTexts() {
  static const auto t = Texts([](Word w) { return averlin::FormatDec(w, kSigned32); });
  return t;
}
const std::vector<std::string>& NetTexts() {
  static const auto t = Texts([](Word w) { return averlin::FormatNet(w); });
  return t;
}

// Runs the body once per iteration on the next value, cycling through all.
template <class Item, class Body>
void ForEachItem(benchmark::State& state, const std::vector<Item>& items, Body body) {
  std::size_t i = 0;
  for (auto _ : state) body(items[i++ & (kValues - 1)]);
  state.SetItemsProcessed(state.iterations());
}

// --- Formatters -----------------------------------------------------------

// std::to_chars of each value, read as Number, into a buffer on the stack.
template <class Number, int Base>
void ToChars(benchmark::State& state) {
  ForEachItem(state, Values(), [](Word w) {
    char buf[11];
    benchmark::DoNotOptimize(std::to_chars(buf, buf + sizeof buf, static_cast<Number>(w), Base).ptr);
    benchmark::ClobberMemory();
  });
}

void BM_FormatHex(benchmark::State& state) {
  ForEachItem(state, Values(), [](Word w) { benchmark::DoNotOptimize(averlin::FormatHex(w)); });
}
void BM_ToCharsHex(benchmark::State& state) { ToChars<Word, 16>(state); }

void BM_FormatDecUnsigned(benchmark::State& state) {
  ForEachItem(state, Values(), [](Word w) { benchmark::DoNotOptimize(averlin::FormatDec(w, kUnsigned32)); });
}
void BM_ToCharsDecUnsigned(benchmark::State& state) { ToChars<Word, 10>(state); }

void BM_FormatDecSigned(benchmark::State& state) {
  ForEachItem(state, Values(), [](Word w) { benchmark::DoNotOptimize(averlin::FormatDec(w, kSigned32)); });
}
void BM_ToCharsDecSigned(benchmark::State& state) { ToChars<std::int32_t, 10>(state); }

void BM_FormatNet(benchmark::State& state) {
  ForEachItem(state, Values(), [](Word w) { benchmark::DoNotOptimize(averlin::FormatNet(w)); });
}
void BM_ToCharsNet(benchmark::State& state) {
  ForEachItem(state, Values(), [](Word w) {
    char buf[15];  // "255.255.255.255"
    char* const end = buf + sizeof buf;
    char* p = buf;
    // A to_chars that fails leaves p at the end: stop there rather than
    // write the next dot past the buffer.
    for (int shift = 24; shift >= 0 && p != end; shift -= 8) {
      if (shift != 24) *p++ = '.';
      p = std::to_chars(p, end, (w >> shift) & 0xFF).ptr;
    }
    benchmark::DoNotOptimize(p);
    benchmark::ClobberMemory();
  });
}

// --- Parsers --------------------------------------------------------------

// std::from_chars on each text in turn.
template <class Number, int Base>
void FromChars(benchmark::State& state, const std::vector<std::string>& texts) {
  ForEachItem(state, texts, [](const std::string& t) {
    Number n = 0;
    std::from_chars(t.data(), t.data() + t.size(), n, Base);
    benchmark::DoNotOptimize(n);
  });
}

void BM_ParseHex(benchmark::State& state) {
  ForEachItem(state, HexTexts(),
              [](const std::string& t) { benchmark::DoNotOptimize(averlin::ParseHex(t, 0)); });
}
void BM_FromCharsHex(benchmark::State& state) { FromChars<Word, 16>(state, HexTexts()); }

void BM_ParseUnsignedDec(benchmark::State& state) {
  ForEachItem(state, UnsignedTexts(), [](const std::string& t) {
    benchmark::DoNotOptimize(averlin::ParseUnsignedDec(t, 0, kLimits32));
  });
}
void BM_FromCharsUnsignedDec(benchmark::State& state) { FromChars<Word, 10>(state, UnsignedTexts()); }

void BM_ParseSignedDec(benchmark::State& state) {
  ForEachItem(state, SignedTexts(), [](const std::string& t) {
    benchmark::DoNotOptimize(averlin::ParseSignedDec(t, 0, kLimits32));
  });
}
void BM_FromCharsSignedDec(benchmark::State& state) { FromChars<std::int32_t, 10>(state, SignedTexts()); }

void BM_ParseDottedQuad(benchmark::State& state) {
  ForEachItem(state, NetTexts(),
              [](const std::string& t) { benchmark::DoNotOptimize(averlin::ParseDottedQuad(t, 0)); });
}
void BM_FromCharsDottedQuad(benchmark::State& state) {
  ForEachItem(state, NetTexts(), [](const std::string& t) {
    const char* p = t.data();
    const char* const end = p + t.size();
    Word w = 0;
    for (int octet = 0; octet < 4; ++octet) {
      if (octet != 0 && (p == end || *p++ != '.')) break;
      unsigned n = 0;
      p = std::from_chars(p, end, n).ptr;
      w = (w << 8) | (n & 0xFF);
    }
    benchmark::DoNotOptimize(w);
  });
}

}  // namespace

BENCHMARK(BM_FormatHex);
BENCHMARK(BM_ToCharsHex);
BENCHMARK(BM_FormatDecUnsigned);
BENCHMARK(BM_ToCharsDecUnsigned);
BENCHMARK(BM_FormatDecSigned);
BENCHMARK(BM_ToCharsDecSigned);
BENCHMARK(BM_FormatNet);
BENCHMARK(BM_ToCharsNet);
BENCHMARK(BM_ParseHex);
BENCHMARK(BM_FromCharsHex);
BENCHMARK(BM_ParseUnsignedDec);
BENCHMARK(BM_FromCharsUnsignedDec);
BENCHMARK(BM_ParseSignedDec);
BENCHMARK(BM_FromCharsSignedDec);
BENCHMARK(BM_ParseDottedQuad);
BENCHMARK(BM_FromCharsDottedQuad);

BENCHMARK_MAIN();
