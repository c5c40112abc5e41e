#include "app/PageSearch.h"
#include "app/SettingsWindow.h"
#include "app/render/FormView.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/Form.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "framework/settings/ProxySettings.h"
#include "host/ReferenceApplication.h"
#include "pages/general/SetupProxy.h"
#include "pages/general/SetupUpdates.h"
#include "tests/app/WidgetTestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::runEvents;
using tarvelo::testing::StrictUi;
using tarvelo::testing::widgetApplication;

namespace {

// The settings window over two real pages, shown and active, as a keyboard
// user finds it.
class WindowKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        widgetApplication();
        registry.add<SetupProxy>(PageGroup::Algemeen);
        registry.add<SetupUpdates>(PageGroup::Algemeen);
        host =
            std::make_unique<ReferenceApplication>(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Empty);
        window = std::make_unique<SettingsWindow>(registry, *host);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(window->showPage(u"SetupProxy"_s));
        runEvents();
    }
    void TearDown() override
    {
        window.reset();
        host.reset();
    }

    template <class W = QWidget>
    W* child(const QString& name)
    {
        auto* w = window->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QWidget* focused() const { return QApplication::focusWidget(); }
    QString focusedName() const { return focused() ? focused()->objectName() : u"niets"_s; }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(focused() ? focused() : window.get(), Qt::Key(key), modifiers);
        runEvents();
    }
    // Where Tab goes, from the search box until it comes round again.
    QStringList tabWalk()
    {
        child("txtZoeken")->setFocus();
        QStringList walked;
        for (int i = 0; i < 60; ++i) {
            walked << focusedName();
            press(Qt::Key_Tab);
            if (focusedName() == u"txtZoeken"_s)
                break;
        }
        return walked;
    }
    QTreeWidgetItem* current() { return child<QTreeWidget>(u"lvwPaginas"_s)->currentItem(); }

    QTemporaryDir dir;
    StrictUi ui;
    PageRegistry registry;
    std::unique_ptr<ReferenceApplication> host;
    std::unique_ptr<SettingsWindow> window;
};

} // namespace

// Catches a page reached only after the window's buttons, and the pane itself
// as a stop without a name: Tab goes from the list to the page's fields, and
// only then to the window's buttons.
TEST_F(WindowKeysTest, TabReachesThePageBeforeTheWindowsButtons)
{
    const QStringList walked = tabWalk();
    EXPECT_FALSE(walked.contains(u"scrPagina"_s)) << walked.join(u' ').toStdString();
    const qsizetype field = walked.indexOf(u"chkProxy"_s);
    ASSERT_GE(field, 0) << walked.join(u' ').toStdString();
    EXPECT_LT(walked.indexOf(u"lvwPaginas"_s), field);
    EXPECT_LT(field, walked.indexOf(u"cmdWijzigingen"_s)) << walked.join(u' ').toStdString();
    EXPECT_LT(field, walked.indexOf(u"cmdOpslaan"_s));
    EXPECT_EQ(walked.back(), u"cmdAnnuleren"_s);

    // Another page takes the same place.
    ASSERT_TRUE(window->showPage(u"SetupUpdates"_s));
    runEvents();
    const QStringList again = tabWalk();
    EXPECT_FALSE(again.contains(u"chkProxy"_s)) << "a hidden page is no stop";
    EXPECT_GT(again.indexOf(u"cmdWijzigingen"_s), again.indexOf(u"cmdStandaardwaarden"_s) + 1)
        << again.join(u' ').toStdString();
}

// Catches keys that do nothing in the window: Ctrl+F goes to the search box,
// Ctrl+S saves from wherever the focus is, Return presses a focused button.
TEST_F(WindowKeysTest, CtrlFCtrlSAndReturnOnAButton)
{
    child("cmdAnnuleren")->setFocus();
    press(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(focusedName(), u"txtZoeken"_s);

    // Return on a focused button presses it: the reset asks first.
    child("cmdStandaardwaarden")->setFocus();
    ui.answerMessage(MsgResult::No);
    press(Qt::Key_Return);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages().back().caption, u"Standaardwaarden herstellen"_s);

    window->currentPage()->form().get<CheckBox>(u"chkProxy"_s).click();
    child("chkProxy")->setFocus();
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(window->result(), SettingsWindow::Result::Saved);
    EXPECT_FALSE(window->isVisible());
}

// Catches Escape that drops changes unasked, or does nothing: with a change
// it asks, and Annuleren there keeps the window open; without one it closes.
TEST_F(WindowKeysTest, EscapeAsksWhenSomethingChanged)
{
    window->currentPage()->form().get<CheckBox>(u"chkProxy"_s).click();
    child("chkProxy")->setFocus();
    ui.answerMessage(MsgResult::Cancel);
    press(Qt::Key_Escape);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages().back().text, u"Wilt u de gewijzigde instellingen opslaan?"_s);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(host->SettingsObject().get<ProxySettings>().ProxyGebruiken) << "the change is still there";

    ui.answerMessage(MsgResult::No);
    press(Qt::Key_Escape);
    EXPECT_EQ(window->result(), SettingsWindow::Result::Cancelled);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(host->SettingsObject().get<ProxySettings>().ProxyGebruiken);
}

// Catches a search box and page list a screen reader cannot name, a group
// heading that is a stop of the arrow keys, and a walk through what was found
// that jumps into the page: the arrow keys stay in the list, Enter goes to
// the field found.
TEST_F(WindowKeysTest, TheSearchAndItsResultsByKeyboard)
{
    auto* list = child<QTreeWidget>(u"lvwPaginas"_s);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(child("txtZoeken"))->text(QAccessible::Name),
              u"Zoeken in de instellingen"_s);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(list)->text(QAccessible::Name), u"Pagina's"_s);

    // Without a search the arrow keys go from page to page, past the headings.
    list->setFocus();
    for (int i = 0; i < 4; ++i) {
        press(i < 2 ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_NE(current(), nullptr) << i;
        EXPECT_FALSE(current()->data(0, Qt::UserRole).toString().isEmpty()) << "a heading became current";
        EXPECT_EQ(focused(), list);
    }
    EXPECT_EQ(list->topLevelItem(0)->data(0, Qt::AccessibleDescriptionRole).toString(), u"Groep"_s);

    child("txtZoeken")->setFocus();
    QTest::keyClicks(focused(), u"proxy"_s);
    runEvents();
    press(Qt::Key_Down);
    EXPECT_EQ(focused(), list) << "Down in the search box goes to what was found";
    QStringList walked;
    for (int i = 0; i < 3; ++i) {
        press(Qt::Key_Down);
        EXPECT_EQ(focused(), list) << "Down " << i + 2 << " left the list";
        walked << current()->text(0);
    }
    walked.removeDuplicates();
    EXPECT_GE(walked.size(), 2) << "the arrows walk through the results";
    // Enter goes to the field of the result (one the user can reach now).
    const auto reachable = [&] {
        const QString name = current()->data(0, Qt::UserRole + 1).toString();
        Control* c = name.isEmpty()
                         ? nullptr
                         : window->currentPage()->form().find(name, current()->data(0, Qt::UserRole + 2).toInt());
        Control* target = c ? PageSearch::focusTarget(window->currentPage()->form(), *c) : nullptr;
        return target && target->isUsable();
    };
    for (int i = 0; i < 20 && !reachable(); ++i)
        press(Qt::Key_Up);
    ASSERT_TRUE(reachable());
    Form& page = window->currentPage()->form();
    const QString field = PageSearch::focusTarget(page, *page.find(current()->data(0, Qt::UserRole + 1).toString(),
                                                                   current()->data(0, Qt::UserRole + 2).toInt()))
                              ->name();
    press(Qt::Key_Return);
    ASSERT_NE(focused(), nullptr);
    EXPECT_TRUE(window->currentView()->isAncestorOf(focused())) << focusedName().toStdString();
    EXPECT_TRUE(focusedName().startsWith(field)) << focusedName().toStdString() << " for " << field.toStdString();

    // Enter in the search box goes on to the first thing found: its field,
    // or the list on it where the field is switched off.
    for (const QString& query : {u"proxy"_s, u"automatisch opslaan"_s}) {
        auto* box = static_cast<QLineEdit*>(child("txtZoeken"));
        box->setFocus();
        box->setText(query);
        runEvents();
        press(Qt::Key_Return);
        ASSERT_NE(focused(), nullptr);
        EXPECT_TRUE(window->currentView()->isAncestorOf(focused()) || focused() == list)
            << query.toStdString() << ": Enter left the focus in " << focusedName().toStdString();
    }
    EXPECT_TRUE(window->currentView()->isAncestorOf(focused())) << "a field that is on takes the focus";
}
