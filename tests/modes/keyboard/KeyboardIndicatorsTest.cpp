// The indicators of the keyboard tester: where each contact's indicator is,
// and what a report does to their colours, with and without hiding.
#include <gtest/gtest.h>

#include <set>

#include "modes/keyboard/KeyboardIndicators.h"

namespace {

using namespace qjig;
using C = IndicatorColour;

std::vector<IndicatorChange> Apply(std::vector<Contact> contacts, HideMode mode, HiddenContacts& hidden,
                                   IndicatorBoard& board) {
  return ApplyReport(contacts, mode, hidden, board);
}

std::vector<std::pair<int, C>> Pairs(const std::vector<IndicatorChange>& changes) {
  std::vector<std::pair<int, C>> pairs;
  for (const IndicatorChange& change : changes) pairs.emplace_back(change.index, change.colour);
  return pairs;
}

TEST(KeyboardIndicators, EachContactHasOneIndicatorInTheTriangle) {
  struct Case { Contact contact; int index; IndicatorPlace place; };
  const Case cases[] = {
      {{1, 2}, 2, {20, 40}},      {{1, 5}, 5, {65, 40}},     {{1, 6}, 6, {88, 40}},
      {{2, 3}, 35, {35, 55}},     {{5, 7}, 135, {103, 100}}, {{6, 7}, 167, {103, 120}},
      {{5, 9}, 137, {133, 100}},  {{31, 32}, 992, {518, 520}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ContactIndex(c.contact), c.index);
    EXPECT_EQ(ContactOf(c.index), c.contact);
    EXPECT_EQ(PlaceOf(c.contact).left, c.place.left) << c.index;
    EXPECT_EQ(PlaceOf(c.contact).top, c.place.top) << c.index;
  }
  std::set<int> indices;
  for (const Contact& contact : AllContacts()) indices.insert(ContactIndex(contact));
  EXPECT_EQ(indices.size(), static_cast<std::size_t>(kIndicatorCount));
  EXPECT_EQ(*indices.begin(), 2);
  EXPECT_EQ(*indices.rbegin(), kLastContactIndex);
}

TEST(KeyboardIndicators, EveryReportTurnsRedIntoYellowAndAnythingElseIntoRed) {
  IndicatorBoard board;
  HiddenContacts hidden;
  const std::vector<std::pair<int, C>> expected[] = {
      {{135, C::Red}, {137, C::Red}, {35, C::Red}},
      {{135, C::Yellow}, {35, C::Yellow}},
      {{135, C::Red}, {35, C::Red}},
  };
  EXPECT_EQ(Pairs(Apply({{5, 7}, {5, 9}, {2, 3}}, HideMode::None, hidden, board)), expected[0]);
  EXPECT_EQ(Pairs(Apply({{5, 7}, {2, 3}}, HideMode::None, hidden, board)), expected[1]);
  EXPECT_EQ(Pairs(Apply({{5, 7}, {2, 3}}, HideMode::None, hidden, board)), expected[2]);
  EXPECT_EQ(board.Colour(137), C::Red);
  EXPECT_TRUE(Apply({}, HideMode::None, hidden, board).empty());

  board.Set(135, C::Black);
  EXPECT_EQ(Pairs(Apply({{5, 7}}, HideMode::None, hidden, board)), (std::vector<std::pair<int, C>>{{135, C::Red}}));
  const auto cleared = board.Clear();
  EXPECT_EQ(cleared.size(), static_cast<std::size_t>(kIndicatorCount));
  EXPECT_EQ(board.Colour(135), C::Aqua);
}

TEST(KeyboardIndicators, HiddenContactsAreBlackAndThenLeftAlone) {
  IndicatorBoard board;
  HiddenContacts hidden;
  using V = std::vector<std::pair<int, C>>;
  EXPECT_EQ(Pairs(Apply({{5, 7}, {2, 3}}, HideMode::Start, hidden, board)), (V{{135, C::Black}, {35, C::Black}}));
  EXPECT_EQ(Pairs(Apply({{5, 7}, {2, 3}, {1, 2}}, HideMode::End, hidden, board)), (V{{2, C::Red}}));
  EXPECT_TRUE(Apply({{5, 7}}, HideMode::End, hidden, board).empty());
  // Without hiding the list is not consulted.
  EXPECT_EQ(Pairs(Apply({{5, 7}}, HideMode::None, hidden, board)), (V{{135, C::Red}}));
}

TEST(KeyboardIndicators, AtMostAThousandContactsAreHidden) {
  HiddenContacts hidden;
  for (int i = 0; i < 1000; ++i) hidden.Add(2);
  hidden.Add(35);
  EXPECT_EQ(hidden.Count(), HiddenContacts::kCapacity);
  EXPECT_FALSE(hidden.Contains(35));
}

TEST(KeyboardIndicators, HidingIsInForceAfterTheFirstReportWithAContact) {
  ContactHiding hiding;
  IndicatorBoard board;
  hiding.Start();
  hiding.Apply({}, board);
  EXPECT_EQ(hiding.Mode(), HideMode::Start);
  const std::vector<Contact> held{{2, 3}};
  hiding.Apply(held, board);
  EXPECT_EQ(hiding.Mode(), HideMode::End);
  EXPECT_TRUE(hiding.Apply(held, board).empty());
  hiding.Off();
  EXPECT_EQ(hiding.Apply(held, board).front().colour, C::Red);
  // A new start forgets what was hidden before.
  hiding.Start();
  hiding.Apply(std::vector<Contact>{{1, 2}}, board);
  EXPECT_EQ(hiding.Apply(held, board).size(), 1u);
}

}  // namespace
