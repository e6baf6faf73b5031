#include "KeyboardIndicators.h"

#include <algorithm>

namespace qjig {

int ContactIndex(const Contact& contact) { return (contact.a - 1) * kKeyboardLines + contact.b; }

Contact ContactOf(int index) { return {(index - 1) / kKeyboardLines + 1, (index - 1) % kKeyboardLines + 1}; }

std::vector<Contact> AllContacts() {
  std::vector<Contact> all;
  for (int a = 1; a < kKeyboardLines; ++a)
    for (int b = a + 1; b <= kKeyboardLines; ++b) all.push_back({a, b});
  return all;
}

IndicatorPlace PlaceOf(const Contact& contact) {
  return {20 + 15 * (contact.b - 2) + 8 * ((contact.b - 1) / 5), 40 + 15 * (contact.a - 1) + 5 * ((contact.a - 1) / 5)};
}

IndicatorColour ReportedColour(IndicatorColour current) {
  return current == IndicatorColour::Red ? IndicatorColour::Yellow : IndicatorColour::Red;
}

std::string_view ColourName(IndicatorColour colour) {
  switch (colour) {
    case IndicatorColour::Aqua: return "aqua";
    case IndicatorColour::Red: return "red";
    case IndicatorColour::Yellow: return "yellow";
    case IndicatorColour::Black: return "black";
  }
  return "";
}

std::uint32_t ColourRgb(IndicatorColour colour) {
  switch (colour) {
    case IndicatorColour::Aqua: return 0x00FFFF;
    case IndicatorColour::Red: return 0xFF0000;
    case IndicatorColour::Yellow: return 0xFFFF00;
    case IndicatorColour::Black: return 0x000000;
  }
  return 0;
}

std::vector<IndicatorChange> IndicatorBoard::Clear() {
  std::vector<IndicatorChange> changes;
  for (const Contact& contact : AllContacts()) {
    Set(ContactIndex(contact), IndicatorColour::Aqua);
    changes.push_back({ContactIndex(contact), IndicatorColour::Aqua});
  }
  return changes;
}

void HiddenContacts::Add(int index) {
  if (indices_.size() < kCapacity) indices_.push_back(index);
}

bool HiddenContacts::Contains(int index) const {
  return std::find(indices_.begin(), indices_.end(), index) != indices_.end();
}

std::vector<IndicatorChange> ApplyReport(std::span<const Contact> contacts, HideMode mode, HiddenContacts& hidden,
                                         IndicatorBoard& board) {
  std::vector<IndicatorChange> changes;
  for (const Contact& contact : contacts) {
    const int index = ContactIndex(contact);
    IndicatorColour colour = IndicatorColour::Black;
    if (mode == HideMode::Start) {
      hidden.Add(index);
    } else {
      if (mode == HideMode::End && hidden.Contains(index)) continue;
      colour = ReportedColour(board.Colour(index));
    }
    board.Set(index, colour);
    changes.push_back({index, colour});
  }
  return changes;
}

void ContactHiding::Start() {
  std::lock_guard lock(mutex_);
  mode_ = HideMode::Start;
  hidden_.Clear();
}

void ContactHiding::Off() {
  std::lock_guard lock(mutex_);
  mode_ = HideMode::None;
}

HideMode ContactHiding::Mode() const {
  std::lock_guard lock(mutex_);
  return mode_;
}

std::vector<IndicatorChange> ContactHiding::Apply(std::span<const Contact> contacts, IndicatorBoard& board) {
  std::lock_guard lock(mutex_);
  std::vector<IndicatorChange> changes = ApplyReport(contacts, mode_, hidden_, board);
  if (mode_ == HideMode::Start && !contacts.empty()) mode_ = HideMode::End;
  return changes;
}

}  // namespace qjig
