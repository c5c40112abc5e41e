#include "app/ConflictDialog.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/support/PageTest.h"

#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

// Each line offers the user's own value or the other workstation's; what is chosen comes back per line.
TEST(ConflictDialogTest, ChoicesPerLine)
{
    widgetApplication();
    ConflictDialog dialog({{u"Algemeen"_s, u"Proxyserveradres"_s, u"(leeg)"_s, u"daar"_s, u"hier"_s, true},
                           {u"Algemeen"_s, u"Gebruikersnaam"_s, u"a"_s, u"b"_s, u"c"_s, true}});
    auto* list = dialog.findChild<QTreeWidget*>(u"lvwWijzigingen"_s);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "Proxyserveradres");
    EXPECT_EQ(list->topLevelItem(0)->text(3), "daar");
    EXPECT_EQ(list->topLevelItem(0)->text(4), "hier");
    auto* choice = qobject_cast<QComboBox*>(list->itemWidget(list->topLevelItem(1), 5));
    ASSERT_NE(choice, nullptr);
    EXPECT_EQ(choice->currentText(), "Uw waarde");
    choice->setCurrentIndex(1);
    const std::vector<ConflictLine> chosen = dialog.chosen();
    EXPECT_TRUE(chosen[0].keepMine);
    EXPECT_FALSE(chosen[1].keepMine);
    ASSERT_NE(dialog.findChild<QPushButton*>(u"cmdAnnuleren"_s), nullptr);
    dialog.findChild<QPushButton*>(u"cmdAnnuleren"_s)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}
