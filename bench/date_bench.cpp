// Placeholder expansion of large texts, and the formatting of each default
// pattern.

#include <benchmark/benchmark.h>

#include <map>

#include "fakes/fake_date_sources.h"
#include "sender/date_format.h"
#include "sender/placeholders.h"
#include "common/settings_keys.h"

namespace zrnx::test {
namespace {

struct Japanese {
  Japanese() {
    FakeLocaleSource source = JapaneseLocale();
    locale = ReadLocaleDateInfo(source);
  }
  LocaleDateInfo locale;
  JapaneseEraSource eras;
  FixedClock clock;
};

std::array<std::string, 10> DefaultPatterns() {
  std::array<std::string, 10> patterns;
  for (std::size_t n = 0; n < 10; ++n) patterns[n] = kDefaultDateFormats[n];
  return patterns;
}

// `megabytes` MB of text with one placeholder every 100 bytes, the digits in turn.
const std::string& TextOf(std::size_t megabytes) {
  static std::map<std::size_t, std::string> texts;
  std::string& text = texts[megabytes];
  if (text.empty()) {
    const std::size_t size = megabytes << 20;
    text.reserve(size + 100);
    for (int digit = 0; text.size() < size; digit = (digit + 1) % 10) {
      text.append(96, 'x');
      text += "%d" + std::to_string(digit) + "%";
    }
  }
  return text;
}

void BM_ExpandDatePlaceholders(benchmark::State& state) {
  Japanese ja;
  const DateFormatter formatter(ja.locale, ja.eras, ja.clock);
  const auto patterns = DefaultPatterns();
  const std::string& text = TextOf(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    std::string copy = text;
    state.ResumeTiming();
    std::string result = ExpandDatePlaceholders(std::move(copy), patterns, formatter);
    benchmark::DoNotOptimize(result.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ExpandDatePlaceholders)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FormatDefaultPattern(benchmark::State& state) {
  Japanese ja;
  const DateFormatter formatter(ja.locale, ja.eras, ja.clock);
  const std::string pattern(kDefaultDateFormats[static_cast<std::size_t>(state.range(0))]);
  for (auto _ : state) benchmark::DoNotOptimize(formatter.FormatNow(pattern));
}
BENCHMARK(BM_FormatDefaultPattern)->DenseRange(0, 9)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace zrnx::test
