#include "roster/name_index.h"

#include <functional>
#include <utility>

namespace kzo::roster {

std::uint32_t NameIndex::HashOf(std::string_view name) {
  return static_cast<std::uint32_t>(std::hash<std::string_view>{}(name));
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
