#include "roster/name_index.h"

#include <cstring>
#include <utility>

namespace kzo::roster {

// A hash of a name's bytes taken eight at a time (the last eight end the name and may
// overlap the ones before), mixed by multiplying: names are short, and this costs a few
// instructions where the library's byte-wise hash costs a hundred.
std::uint32_t NameIndex::HashOf(std::string_view name) {
  std::uint64_t hash = name.size() * 0x9E3779B97F4A7C15u;
  auto mix = [&hash](std::uint64_t word) {
    hash = (hash ^ word) * 0xFF51AFD7ED558CCDu;
    hash ^= hash >> 29;
  };
  std::uint64_t word = 0;
  if (name.size() < 8) {
    if (!name.empty()) std::memcpy(&word, name.data(), name.size());  // an empty view may be null
    mix(word);
  } else {
    for (std::size_t at = 0; at + 8 < name.size(); at += 8) {
      std::memcpy(&word, name.data() + at, 8);
      mix(word);
    }
    std::memcpy(&word, name.data() + name.size() - 8, 8);
    mix(word);
  }
  return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

std::size_t NameIndex::PlaceOf(std::string_view name, std::uint32_t hash) const {
  std::size_t mask = places_.size() - 1;
  std::size_t at = hash & mask;
  while (places_[at].used && (places_[at].hash != hash || places_[at].name != name)) {
    at = (at + 1) & mask;
  }
  return at;
}

void NameIndex::Reserve(std::size_t names) {
  std::size_t size = places_.empty() ? 16 : places_.size();
  while (size < 2 * names) size *= 2;
  if (size == places_.size()) return;
  std::vector<Place> old = std::exchange(places_, std::vector<Place>(size));
  for (const Place& place : old) {
    if (place.used) places_[PlaceOf(place.name, place.hash)] = place;
  }
}

void NameIndex::Build(std::span<const Text> names) {
  places_.clear();
  count_ = 0;
  Reserve(names.size());
  for (std::size_t slot = 1; slot < names.size(); ++slot)
    Add(View(names[slot]), static_cast<int>(slot));
}

void NameIndex::Add(std::string_view name, int slot) {
  Reserve(count_ + 1);
  std::uint32_t hash = HashOf(name);
  Place& place = places_[PlaceOf(name, hash)];
  if (place.used) return;
  place = {name, hash, slot, true};
  ++count_;
}

int NameIndex::Find(std::string_view name) const {
  if (places_.empty()) return 0;
  const Place& place = places_[PlaceOf(name, HashOf(name))];
  return place.used ? place.slot : 0;
}

}  // namespace kzo::roster
