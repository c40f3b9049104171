#include "app/accesskeys.h"

#include <cstddef>
#include <cstdint>
#include <set>

#include "platform/casemap.h"

namespace App {

namespace {

constexpr std::string::size_type NoMark = std::string::npos;

bool IsKeyChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

char KeyOf(char c) { return Platform::AsciiUpper(c); }

// Position of the "&" that marks a key in caption ("&&" is a literal
// ampersand, and a final "&" marks nothing); NoMark when there is none.
std::string::size_type FindMark(const std::string& caption) {
  for (std::string::size_type i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return i;
    ++i;
  }
  return NoMark;
}

bool IsCjkCodePoint(uint32_t cp) {
  return (cp >= 0x1100 && cp <= 0x11FF) || (cp >= 0x2E80 && cp <= 0x9FFF) ||
         (cp >= 0xA960 && cp <= 0xA97F) || (cp >= 0xAC00 && cp <= 0xD7FF) ||
         (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFE30 && cp <= 0xFE4F) ||
         (cp >= 0xFF00 && cp <= 0xFFEF) || (cp >= 0x20000 && cp <= 0x3FFFF);
}

// True when the UTF-8 text holds a Chinese, Japanese or Korean character.
bool HoldsCjk(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    const std::size_t length = Platform::DecodeUtf8(text, i, cp);
    if (length > 1 && IsCjkCodePoint(cp)) return true;
    i += length > 0 ? length : 1;
  }
  return false;
}

struct TEntry {
  std::string Caption;  // without a mark while the entry is unmarked
  bool DoubleByte = false;
};

// The key an unmarked entry takes given the keys held so far, or 0. A
// double-byte caption prefers its own letters, then any free key, since its
// key is written after the text.
char ChooseKey(const TEntry& entry, const std::set<char>& held) {
  for (std::size_t i = 0; i < entry.Caption.size(); ++i) {
    if (entry.Caption[i] == '&') {
      ++i;  // the rest of a literal "&&"
      continue;
    }
    if (IsKeyChar(entry.Caption[i]) && held.count(KeyOf(entry.Caption[i])) == 0) {
      return entry.Caption[i];
    }
  }
  if (!entry.DoubleByte) return 0;
  for (const char* all = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"; *all != 0; ++all) {
    if (held.count(*all) == 0) return *all;
  }
  return 0;
}

std::string InsertKey(const TEntry& entry, char key) {
  const std::string& caption = entry.Caption;
  if (entry.DoubleByte) {
    const std::string suffix = std::string("(&") + KeyOf(key) + ")";
    const bool ellipsis = caption.size() >= 3 && caption.compare(caption.size() - 3, 3, "...") == 0;
    if (ellipsis) return caption.substr(0, caption.size() - 3) + suffix + "...";
    return caption + suffix;
  }
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      ++i;
      continue;
    }
    if (caption[i] == key) return caption.substr(0, i) + "&" + caption.substr(i);
  }
  return caption;
}

struct TAttempt {
  std::vector<std::size_t> Failed;  // entry indexes, in the order tried
  std::vector<char> Keys;           // per entry of order: the key or 0
  std::size_t Marked = 0;
};

TAttempt Assign(const std::vector<TEntry>& entries, const std::vector<std::size_t>& order,
                std::set<char> held) {
  TAttempt attempt;
  for (std::size_t index : order) {
    const char key = ChooseKey(entries[index], held);
    attempt.Keys.push_back(key);
    if (key == 0) {
      attempt.Failed.push_back(index);
      continue;
    }
    held.insert(KeyOf(key));
    ++attempt.Marked;
  }
  return attempt;
}

// The next order to try: the entries that failed first, then the others in
// the order they had.
std::vector<std::size_t> FailedFirst(const std::vector<std::size_t>& order,
                                     const std::vector<std::size_t>& failed) {
  std::vector<std::size_t> next = failed;
  const std::set<std::size_t> failedSet(failed.begin(), failed.end());
  for (std::size_t index : order) {
    if (failedSet.count(index) == 0) next.push_back(index);
  }
  return next;
}

// Keeps the marks that hold a key no earlier entry holds and takes the others
// out; gives the entries left to mark, in menu order.
std::vector<std::size_t> TakeExistingMarks(const std::vector<std::string>& captions,
                                           const std::vector<bool>& hidden, bool farEast,
                                           std::vector<TEntry>& entries, std::set<char>& held) {
  std::vector<std::size_t> unmarked;
  for (std::size_t i = 0; i < captions.size(); ++i) {
    const bool isHidden = i < hidden.size() && hidden[i];
    if (isHidden || captions[i].empty() || captions[i] == "-") continue;
    TEntry& entry = entries[i];
    entry.Caption = captions[i];
    entry.DoubleByte = farEast && HoldsCjk(entry.Caption);
    const auto mark = FindMark(entry.Caption);
    if (mark != NoMark && IsKeyChar(entry.Caption[mark + 1]) &&
        held.count(KeyOf(entry.Caption[mark + 1])) == 0) {
      held.insert(KeyOf(entry.Caption[mark + 1]));
      continue;
    }
    // Every mark goes, not only the first: one left behind would still show
    // as a key that no entry of the level holds.
    for (auto m = mark; m != NoMark; m = FindMark(entry.Caption)) entry.Caption.erase(m, 1);
    unmarked.push_back(i);
  }
  return unmarked;
}

}  // namespace

std::vector<std::string> AssignAccessKeys(const std::vector<std::string>& captions,
                                          const std::vector<bool>& hidden, bool farEast) {
  std::vector<TEntry> entries(captions.size());
  std::set<char> held;
  const std::vector<std::size_t> unmarked =
      TakeExistingMarks(captions, hidden, farEast, entries, held);
  std::vector<std::size_t> order = unmarked;
  std::vector<std::size_t> bestOrder = order;
  TAttempt best = Assign(entries, order, held);
  TAttempt last = best;
  for (std::size_t round = 0; round < unmarked.size() && !last.Failed.empty(); ++round) {
    order = FailedFirst(order, last.Failed);
    last = Assign(entries, order, held);
    if (last.Marked > best.Marked) {
      best = last;
      bestOrder = order;
    }
  }
  std::vector<std::string> result = captions;
  for (std::size_t index : unmarked) result[index] = entries[index].Caption;
  for (std::size_t k = 0; k < bestOrder.size(); ++k) {
    if (best.Keys[k] != 0) result[bestOrder[k]] = InsertKey(entries[bestOrder[k]], best.Keys[k]);
  }
  return result;
}

}  // namespace App
