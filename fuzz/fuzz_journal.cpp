// The undo record's reader on arbitrary bytes, fed whole and in pieces cut at
// a point the input chooses: both agree, a refused record yields no rows and
// says why, an accepted one holds only names of one path component and
// reads back as it formats, and what is kept never exceeds what the input
// could describe.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzzutil.h"
#include "rename/journal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Rename::TJournal whole;
  std::string error;
  const bool ok = Rename::ParseJournal(text, whole, error);
  FUZZ_CHECK(ok == error.empty());
  if (!ok) FUZZ_CHECK(whole.Pairs.empty() && whole.Dir.empty());

  Rename::TJournalReader reader;
  const std::size_t cut = size == 0 ? 0 : data[0] % size;
  const bool fed = reader.Feed(text.substr(0, cut)) && reader.Feed(text.substr(cut));
  FUZZ_CHECK((fed && reader.Finish()) == ok);
  if (!ok) return 0;
  FUZZ_CHECK(reader.Journal().Pairs.size() == whole.Pairs.size());
  FUZZ_CHECK(whole.Pairs.size() * 15 <= size);  // the shortest row takes 15 bytes
  for (const Rename::TJournalPair& pair : whole.Pairs) {
    FUZZ_CHECK(Rename::IsComponent(pair.OldName));
    FUZZ_CHECK(pair.OutOfFolder ? pair.NewName.empty() : Rename::IsComponent(pair.NewName));
  }
  const std::string again = Rename::FormatJournal(whole);
  Rename::TJournal back;
  FUZZ_CHECK(Rename::ParseJournal(again, back, error));
  FUZZ_CHECK(Rename::FormatJournal(back) == again);
  return 0;
}
