#pragma once
// User-perceived characters (extended grapheme clusters): what one press of
// an arrow key steps over in today's edit controls and browsers, so a flag,
// a skin-toned or joined emoji, or a letter with its accents is one step.
// Windows' own break rules are used where the system has them; the rules
// built in here follow the same published algorithm for older systems.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zrnx {

class GraphemeRules {
 public:
  virtual ~GraphemeRules() = default;
  // The clusters of a UTF-16 text, counted up to `limit` + 1 at most.
  virtual std::size_t CountClusters(std::u16string_view text, std::size_t limit) const = 0;
  // The start of the last cluster that begins at or before `at` (at most
  // text.size()); never inside a surrogate pair.
  virtual std::size_t ClusterStartAtOrBefore(std::u16string_view text, std::size_t at) const = 0;
};

// The rules built into the program, from the Unicode data they were made of.
const GraphemeRules& BuiltInGraphemeRules();
// The system's break rules when they can be loaded, else the built-in ones.
const GraphemeRules& SystemGraphemeRules();

// How much of the text to keep when it may hold at most `max_units`: all
// of it when it fits, else up to a cluster's start (a text whose first
// cluster is longer is cut between code points, never inside a pair).
std::size_t KeptLength(std::u16string_view text, std::size_t max_units, const GraphemeRules& rules);

// Decides, code point by code point, whether a cluster ends before it.
class GraphemeBreaker {
 public:
  // True for the first code point and for each that starts a new cluster.
  bool StartsCluster(char32_t c);

 private:
  int previous_ = -1;             // the class of the code point before, -1 at the start
  std::size_t regional_run_ = 0;  // regional indicators just before
  bool pictographic_run_ = false; // an Extended_Pictographic with only Extend after it
  bool joiner_after_pictographic_ = false;
};

// The code point at `at` of a UTF-16 text and its length in units; a lone
// surrogate stands for itself.
char32_t CodePointAt(std::u16string_view text, std::size_t at, std::size_t& units);

// The code point of the UTF-8 sequence at `at` and its length in bytes. A
// broken sequence is U+FFFD and takes its lead byte and the continuation
// bytes after it.
char32_t Utf8At(std::string_view utf8, std::size_t at, std::size_t& length);

// UTF-8 (as the item's bytes hold it) to UTF-16; invalid bytes become U+FFFD.
std::u16string Utf8ToUtf16Units(std::string_view utf8);

}  // namespace zrnx
