// A printed text item is a copy of its description, member by member.
#include <gtest/gtest.h>

#include "annex/print_text_item.h"

TEST(PrintTextItem, CopiesEveryMemberOfItsDescription) {
  PrintTextDescription d{QRect(QPoint(10, 20), QPoint(300, 40)), 7, QStringLiteral("CASILLA"), {1, 2, 3, 4, 5, 0x25},
                         QStringLiteral("010X"), QStringLiteral("1.234,56")};
  const CPrintTextItem item(d);
  EXPECT_EQ(item.number, 7);
  EXPECT_EQ(item.name, QStringLiteral("CASILLA"));
  EXPECT_EQ(item.layoutA, (std::array<int, 3>{1, 2, 3}));
  EXPECT_EQ(item.formatMask, QStringLiteral("010X"));
  EXPECT_EQ(item.layoutB, (std::array<int, 2>{4, 5}));
  EXPECT_EQ(item.text, QStringLiteral("1.234,56"));
  EXPECT_EQ(item.rect, QRect(QPoint(10, 20), QPoint(300, 40)));
  EXPECT_EQ(item.layoutC, 0x25);
  EXPECT_EQ(d.text, QStringLiteral("1.234,56")) << "the caller's description is its own copy";
}
