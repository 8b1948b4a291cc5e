// The fields of a large item: the look for any field, the scan into pieces,
// the values put in and the caret placed (its presses stop at their bound;
// the units of the whole text are counted), on texts of 1 to 100 MB.

#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "sender/item_fields.h"
#include "sender/item_fill.h"

namespace zrnx {
namespace {

// `megabytes` MB of lines with a date now and then; `marked`: "%cursor%" and
// "%clipboard%" at the start.
const std::string& TextOf(std::size_t megabytes, bool marked) {
  static std::map<std::pair<std::size_t, bool>, std::string> texts;
  std::string& text = texts[{megabytes, marked}];
  if (text.empty()) {
    if (marked) text = "%cursor%%clipboard%";
    while (text.size() < (megabytes << 20)) text += "A line of the item, %d0% and 100% of it.\r\n";
  }
  return text;
}

void BM_FillLargeItem(benchmark::State& state) {
  const bool marked = state.range(1) != 0;
  const std::string& text = TextOf(static_cast<std::size_t>(state.range(0)), marked);
  for (auto _ : state) {
    std::size_t presses = 0;
    if (MayHoldFields(text)) {
      const ItemFields fields = ScanItemFields(text);
      FilledItem filled = FillFields(fields, fields.pieces, "clipboard text", {});
      presses = PlaceCaret(filled.text, *filled.cursor, TextEncoding::kCodePage, LeadBytes::ShiftJis(),
                           BuiltInGraphemeRules())
                    .edit_total;
      benchmark::DoNotOptimize(filled.text.data());
    }
    benchmark::DoNotOptimize(presses);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_FillLargeItem)
    ->ArgsProduct({{1, 10, 100}, {0, 1}})
    ->ArgNames({"MB", "marked"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace zrnx
