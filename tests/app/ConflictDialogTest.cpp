#include "app/ConflictDialog.h"
#include "tests/app/WidgetTestSupport.h"
#include "tests/support/PageTest.h"

#include <QComboBox>
#include <QJsonValue>
#include <QPushButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

// The question shows stored values as a user reads them, and never a password.
TEST(ConflictDialogTest, ValuesAsTheUserReadsThem)
{
    const struct {
        QJsonValue value;
        bool secret;
        const char* shown;
    } cases[] = {
        {QJsonValue(true), false, "Ja"},
        {QJsonValue(false), false, "Nee"},
        {QJsonValue(30), false, "30"},
        {QJsonValue(2.5), false, "2,5"},
        {QJsonValue(u""_s), false, "(leeg)"},
        {QJsonValue(u"proxy:8080"_s), false, "proxy:8080"},
        {QJsonValue(u"geheim"_s), true, "(verborgen)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(conflictValueText(c.value, c.secret), c.shown) << c.shown;
    EXPECT_EQ(conflictValueText(QJsonValue(QString(200, QLatin1Char('x'))), false).size(), 80);
}

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
