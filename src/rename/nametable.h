#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace Rename {

// The distinct names of a list of rows that each hold two names (a run's
// rows, a record's moves), each given a number once. A name is reached by
// its key: the row times two, plus one for the row's second name; TNameOf
// gives the name of a key. The table is open addressing over keys, so a
// million rows cost a dozen bytes each and no node per name; each slot keeps
// a byte of its name's hash, so a probe reads another row's name only when
// the bytes agree.
// The names of a key of rows that each hold an OldName and a NewName (a
// run's rows, a record's moves): key / 2 is a row, key % 2 its new name.
template <typename TRows>
struct TRowNames {
  const TRows* Rows;
  std::string_view operator()(uint32_t key) const {
    const auto& row = (*Rows)[key / 2];
    return key % 2 ? row.NewName : row.OldName;
  }
};

template <typename TNameOf>
class TNameTable {
 public:
  static constexpr uint32_t None = UINT32_MAX;

  TNameTable(std::size_t rows, TNameOf nameOf) : FNameOf(std::move(nameOf)) {
    std::size_t slots = 16;
    while (slots < 4 * rows) slots *= 2;
    FSlots.assign(slots, None);
    FTags.assign(slots, 0);
    FKeys.reserve(2 * rows);
  }

  // Gives the name of every key below keys its number, in key order, and
  // calls added(key, number) after each.
  template <typename TAdded>
  void AddKeys(std::size_t keys, TAdded added) {
    Ahead(
        [this, keys, next = std::size_t{0}](uint32_t& key, std::string_view& name) mutable {
          if (next == keys) return false;
          key = static_cast<uint32_t>(next++);
          name = FNameOf(key);
          return true;
        },
        [&](uint32_t key, std::string_view name, std::size_t hash) {
          const std::size_t at = Probe(name, hash);
          if (FSlots[at] == None) {
            FTags[at] = TagOf(hash);
            FSlots[at] = static_cast<uint32_t>(FKeys.size());
            FKeys.push_back(key);
          }
          added(key, FSlots[at]);
        });
  }
  // Calls found(number) for each name of packed (names each ended by a NUL)
  // that a row holds.
  template <typename TFound>
  void FindPacked(std::string_view packed, TFound found) const {
    Ahead(
        [packed, at = std::size_t{0}](uint32_t& /*key*/, std::string_view& name) mutable {
          if (at >= packed.size()) return false;
          const std::size_t end = std::min(packed.find('\0', at), packed.size());
          name = packed.substr(at, end - at);
          at = end + 1;
          return true;
        },
        [&](uint32_t /*key*/, std::string_view name, std::size_t hash) {
          if (const uint32_t number = FSlots[Probe(name, hash)]; number != None) found(number);
        });
  }
  // The number of name; None when no row holds it.
  uint32_t Find(std::string_view name) const { return FSlots[Probe(name, Hash(name))]; }
  // How many distinct names there are: they are numbered from 0.
  std::size_t Size() const { return FKeys.size(); }
  std::string_view Name(uint32_t number) const { return FNameOf(FKeys[number]); }

 private:
  static std::size_t Hash(std::string_view name) { return std::hash<std::string_view>{}(name); }
  static uint8_t TagOf(std::size_t hash) { return static_cast<uint8_t>(1 + (hash >> 32) % 255); }
  // Hands each name next gives to settle, with its hash, once its slot was
  // asked of memory a few names before: the lookups of a long list then wait
  // for memory side by side rather than one after another.
  template <typename TNext, typename TSettle>
  void Ahead(TNext next, TSettle settle) const {
    constexpr std::size_t Depth = 16;
    struct {
      uint32_t Key = 0;
      std::string_view Name;
      std::size_t Hash = 0;
    } ring[Depth];
    std::size_t count = 0;
    uint32_t key = 0;
    for (std::string_view name; next(key, name); ++count) {
      auto& pending = ring[count % Depth];
      if (count >= Depth) settle(pending.Key, pending.Name, pending.Hash);
      pending = {key, name, Hash(name)};
      const std::size_t at = pending.Hash & (FSlots.size() - 1);
      __builtin_prefetch(&FTags[at]);
      __builtin_prefetch(&FSlots[at]);
    }
    for (std::size_t i = count > Depth ? count - Depth : 0; i < count; ++i)
      settle(ring[i % Depth].Key, ring[i % Depth].Name, ring[i % Depth].Hash);
  }
  // The slot that holds name, or the free slot where it would go.
  std::size_t Probe(std::string_view name, std::size_t hash) const {
    const std::size_t mask = FSlots.size() - 1;
    const uint8_t tag = TagOf(hash);
    std::size_t at = hash & mask;
    while (FTags[at] != 0 && (FTags[at] != tag || Name(FSlots[at]) != name)) at = (at + 1) & mask;
    return at;
  }

  TNameOf FNameOf;
  std::vector<uint32_t> FSlots;  // a name's number, or None
  std::vector<uint8_t> FTags;    // per slot: 0 when free, else a byte of the hash
  std::vector<uint32_t> FKeys;   // per number: the first key with that name
};

}  // namespace Rename
