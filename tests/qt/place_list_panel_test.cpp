#include "qt/place_list_panel.h"

#include <gtest/gtest.h>

#include <QTreeWidget>

#include "app/place_list.h"
#include "test_application.h"

namespace corvane {
namespace {

PlaceRow Row(std::string layer, std::string kind) {
  PlaceRow row;
  row.texts = {std::move(layer), std::move(kind)};
  return row;
}

TEST(PlaceListPanelTest, ShowsTheRowsAndPassesTheUsersChoiceToTheCore) {
  TestApplication();
  PlaceList list({"Layer", "Kind"});
  std::vector<std::size_t> chosen;
  list.OnChosen([&](std::size_t row) { chosen.push_back(row); });
  {
    CPlaceListPanel panel(QStringLiteral("Findings"), list);
    EXPECT_EQ(panel.accessibleName(), QStringLiteral("Findings"));
    EXPECT_EQ(panel.Lines()->accessibleName(), QStringLiteral("Findings list"));
    EXPECT_EQ(panel.Lines()->headerItem()->text(1), QStringLiteral("Kind"));

    list.SetRows({Row("top.gbr", "width"), Row("bottom.gbr", "clearance")}, "2 findings");
    ASSERT_EQ(panel.Lines()->topLevelItemCount(), 2);
    EXPECT_EQ(panel.Lines()->topLevelItem(1)->text(0), QStringLiteral("bottom.gbr"));
    EXPECT_EQ(panel.SummaryText(), QStringLiteral("2 findings"));
    EXPECT_TRUE(chosen.empty());  // filling the list chooses nothing

    panel.Lines()->setCurrentItem(panel.Lines()->topLevelItem(1));  // as a click does
    EXPECT_EQ(chosen, (std::vector<std::size_t>{1}));

    list.Next();  // from the menu: the selection follows, the command runs once
    EXPECT_EQ(chosen, (std::vector<std::size_t>{1, 0}));
    EXPECT_EQ(panel.Lines()->currentItem(), panel.Lines()->topLevelItem(0));

    list.Clear();
    EXPECT_EQ(panel.Lines()->topLevelItemCount(), 0);
  }
  // The panel is gone; the list no longer calls it.
  list.SetRows({Row("a", "b")}, "");
  EXPECT_EQ(list.Rows().size(), 1u);
}

}  // namespace
}  // namespace corvane
