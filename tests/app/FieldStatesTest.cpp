#include "app/ProgramLook.h"
#include "app/SettingsWindow.h"
#include "app/WindowPages.h"
#include "app/render/FormView.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/Form.h"
#include "framework/forms/TextBox.h"
#include "framework/host/SettingsObject.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "framework/settings/AutosaveSettings.h"
#include "framework/settings/HdnSettings.h"
#include "framework/settings/OnlineInventorySettings.h"
#include "framework/settings/ProxySettings.h"
#include "framework/settings/UpdateSettings.h"
#include "host/ReferenceApplication.h"
#include "tests/app/DrawnPageTest.h"
#include "tests/app/WidgetTestSupport.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::contrast;
using tarvelo::testing::runEvents;
using tarvelo::testing::StrictUi;
using tarvelo::testing::widgetApplication;

namespace {

class FieldStatesTest : public tarvelo::testing::DrawnPageTest {
protected:
    template <class W = QWidget>
    W* widget(const QString& name)
    {
        auto* w = qobject_cast<W*>(view->widgetOf(page->form().control(name)));
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    // The colour the user sees at a point of a widget.
    QColor seen(QWidget* w, QPoint at) { return view->grab().toImage().pixelColor(w->mapTo(view.get(), at)); }
    // Inside a field, past any text, before its frame and marker.
    QColor fieldColour(QWidget* w) { return seen(w, QPoint(w->width() - 20, w->height() / 2)); }

    // Every locked control's padlock is visible, inside its container, on
    // top of nothing the user must read, and carries the lock's tooltip.
    void expectPadlocksClear()
    {
        for (Control* c : page->form().controls()) {
            if (c->settingMarker() != SettingMarker::Locked || !c->visible())
                continue;
            QWidget* w = view->widgetOf(*c);
            ASSERT_NE(w, nullptr);
            const std::string where = (page->componentName() + u'.' + w->objectName()).toStdString();
            EXPECT_EQ(w->toolTip(), SettingsObject::lockedMessage()) << where;
            auto* mark =
                w->parentWidget()->findChild<QLabel*>(w->objectName() + u"_markering"_s, Qt::FindDirectChildrenOnly);
            ASSERT_NE(mark, nullptr) << where;
            EXPECT_TRUE(mark->isVisibleTo(view.get())) << where;
            EXPECT_EQ(mark->toolTip(), SettingsObject::lockedMessage()) << where;
            EXPECT_TRUE(w->parentWidget()->rect().contains(mark->geometry())) << where;
            for (QObject* o : w->parentWidget()->children()) {
                auto* other = qobject_cast<QWidget*>(o);
                if (!other || other == w || other == mark || !other->isVisibleTo(view.get()) ||
                    other->objectName().endsWith(u"_markering"_s))
                    continue;
                EXPECT_FALSE(other->geometry().intersects(mark->geometry()))
                    << where << " padlock lies on " << other->objectName().toStdString();
            }
        }
    }
};

// Catches disabled and read-only fields that look editable: a disabled text
// box, an enabled one and a read-only one each have a field colour of their own.
TEST_F(FieldStatesTest, DisabledAndReadOnlyFieldsLookIt)
{
    open(u"SetupProxy"_s);
    auto* proxy = widget<QLineEdit>(u"txtProxyadres"_s);
    ASSERT_FALSE(proxy->isEnabled()) << "the proxy fields wait for the check box";
    const QColor disabled = fieldColour(proxy);
    page->form().get<CheckBox>(u"chkProxy"_s).click();
    runEvents();
    ASSERT_TRUE(proxy->isEnabled());
    const QColor enabled = fieldColour(proxy);
    EXPECT_GT(contrast(disabled, enabled), 1.08)
        << disabled.name().toStdString() << " against " << enabled.name().toStdString();

    open(u"SetupAlgemeen"_s);
    auto* logo = widget<QLineEdit>(u"txtLogoPath"_s);
    ASSERT_TRUE(logo->isReadOnly());
    EXPECT_GT(contrast(fieldColour(logo), enabled), 1.08) << "a read-only field on the editable field colour";

    // The program's palette, whatever the theme's disabled group holds.
    QPalette flat;
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Text})
        flat.setColor(QPalette::Disabled, role, flat.color(QPalette::Active, role));
    const QPalette fixed = withVisibleStates(flat);
    EXPECT_NE(fixed.color(QPalette::Disabled, QPalette::Base), fixed.color(QPalette::Active, QPalette::Base));
    EXPECT_NE(fixed.color(QPalette::Disabled, QPalette::Text), fixed.color(QPalette::Active, QPalette::Text));
}

// Catches a locked setting drawn as nothing (a combo whose stored 0 has no
// entry, a box that shows 0 for "use the default") or a padlock hidden under
// the next control: the control shows what the page means by the stored
// value, and its padlock can be seen.
TEST_F(FieldStatesTest, LockedSettingsShowTheirValueAndPadlock)
{
    host->userSetup().get<UpdateSettings>().UpdateTermijn = 0;
    host->officeSetup().get<UpdateSettings>().UpdateTermijn = 0;
    host->userSetup().get<AutosaveSettings>().AutomatischOpslaanMinuten = 0;
    for (Settings* s : {&host->userSetup(), &host->officeSetup()})
        s->setLockedNames(s->toMap().keys());

    open(u"SetupProxy"_s);
    EXPECT_EQ(widget<QComboBox>(u"cboUpdateTermijn"_s)->currentText(), u"Dagelijks"_s);
    EXPECT_EQ(widget<QLineEdit>(u"txtAutomatischOpslaanMinuten"_s)->text(), u"10"_s);
    EXPECT_EQ(host->userSetup().get<UpdateSettings>().UpdateTermijn.get(), 0) << "the lock keeps what is stored";
    EXPECT_EQ(host->userSetup().get<AutosaveSettings>().AutomatischOpslaanMinuten.get(), 0);
    expectPadlocksClear();

    // A folder button right after the field, a unit label right after a box.
    for (const QString& name : {u"SetupKopInvice"_s, u"SetupKopUBizz"_s, u"SetupDocumenten"_s}) {
        open(name);
        expectPadlocksClear();
    }

    // A combo without a page default keeps its stored 0, which no entry
    // stands for: locked, it says that no choice was made.
    host->userSetup().get<OnlineInventorySettings>().Aanhef = 0;
    open(u"SetupQvxOnline"_s);
    auto* aanhef = widget<QComboBox>(u"cboAanhef"_s);
    EXPECT_EQ(aanhef->currentIndex(), -1);
    EXPECT_EQ(aanhef->placeholderText(), u"(geen keuze)"_s);
    EXPECT_EQ(host->userSetup().get<OnlineInventorySettings>().Aanhef.get(), 0);
    for (Settings* s : {&host->userSetup(), &host->officeSetup()})
        s->setLockedNames({});
    open(u"SetupQvxOnline"_s);
    EXPECT_EQ(widget<QComboBox>(u"cboAanhef"_s)->placeholderText(), QString()) << "a free combo waits for a choice";
}

// Catches a locked setting that Tab passes by, that a screen reader cannot
// tell is locked or why, that still takes a change from the keyboard or the
// mouse, or whose padlock and changed dot are read as pictures of their own:
// the field is a stop of Tab and read-only, its description says
// the lock, a press or a key changes neither the widget nor the setting, and
// the markers are read only with their fields.
TEST_F(FieldStatesTest, ALockedSettingIsReachedAndReadButNotChanged)
{
    host->userSetup().get<ProxySettings>().ProxyGebruiken = true;
    host->userSetup().get<ProxySettings>().ProxyAdres = u"vast:3128"_s;
    host->userSetup().get<UpdateSettings>().UpdateTermijn = 7;
    host->userSetup().setLockedNames({u"ProxyGebruiken"_s, u"ProxyAdres"_s, u"UpdateTermijn"_s});
    host->userSetup().get<ProxySettings>().ProxyGebruikersnaam = u"jan"_s;
    open(u"SetupProxy"_s);
    view->show();
    QApplication::setActiveWindow(view.get());
    runEvents();

    auto* address = widget<QLineEdit>(u"txtProxyadres"_s);
    auto* use = widget<QCheckBox>(u"chkProxy"_s);
    auto* term = widget<QComboBox>(u"cboUpdateTermijn"_s);
    const std::vector<QWidget*> chain = view->tabChain();
    for (QWidget* w : std::initializer_list<QWidget*>{address, use, term}) {
        const std::string name = w->objectName().toStdString();
        EXPECT_TRUE(w->isEnabled()) << name;
        EXPECT_TRUE(w->focusPolicy() & Qt::TabFocus) << name;
        EXPECT_NE(std::find(chain.begin(), chain.end(), w), chain.end()) << name << " is a stop of Tab";
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        EXPECT_TRUE(face->text(QAccessible::Description).contains(SettingsObject::lockedMessage())) << name;
        EXPECT_FALSE(face->state().disabled) << name;
    }
    EXPECT_TRUE(address->isReadOnly());
    QAccessibleInterface* addressFace = QAccessible::queryAccessibleInterface(address);
    EXPECT_TRUE(addressFace->state().readOnly);
    EXPECT_FALSE(addressFace->state().editable) << "a locked box is not one to type in";
    EXPECT_EQ(addressFace->editableTextInterface(), nullptr);
    ASSERT_NE(addressFace->textInterface(), nullptr);
    EXPECT_EQ(addressFace->textInterface()->text(0, 4), u"vast"_s);
    EXPECT_FALSE(addressFace->text(QAccessible::Name).contains(u'&'));

    // Keys and presses change nothing.
    use->setFocus();
    QTest::keyClick(use, Qt::Key_Space);
    QTest::mouseClick(use, Qt::LeftButton);
    EXPECT_TRUE(use->isChecked());
    term->setFocus();
    const int shownTerm = term->currentIndex();
    QTest::keyClick(term, Qt::Key_Down);
    QTest::keyClick(term, Qt::Key_End);
    EXPECT_EQ(term->currentIndex(), shownTerm);
    address->setFocus();
    QTest::keyClicks(address, u"x"_s);
    EXPECT_EQ(address->text(), u"vast:3128"_s);
    EXPECT_EQ(host->userSetup().get<ProxySettings>().ProxyGebruiken.get(), true);
    EXPECT_EQ(host->userSetup().get<ProxySettings>().ProxyAdres.get(), u"vast:3128"_s);
    EXPECT_EQ(host->userSetup().get<UpdateSettings>().UpdateTermijn.get(), 7);
    EXPECT_EQ(host->userSetup().refusedWrites(), 0) << "nothing even tried to write the locked settings";

    // The padlock and the changed dot are read with their fields only.
    auto* mark = address->parentWidget()->findChild<QLabel*>(u"txtProxyadres_markering"_s);
    ASSERT_NE(mark, nullptr);
    QAccessibleInterface* markFace = QAccessible::queryAccessibleInterface(mark);
    EXPECT_TRUE(markFace->state().invisible);
    EXPECT_TRUE(markFace->text(QAccessible::Name).isEmpty());
    auto* user = widget<QLineEdit>(u"txtGebruikersnaam"_s);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(user)->text(QAccessible::Description).startsWith(u"Gewijzigd"_s))
        << QAccessible::queryAccessibleInterface(user)->text(QAccessible::Description).toStdString();
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(user)->state().readOnly);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(user)->state().editable);
    EXPECT_NE(QAccessible::queryAccessibleInterface(user)->editableTextInterface(), nullptr);
}

// Catches white swatches that vanish on a light page: the swatch of a white
// colour has an edge that stands out from both its inside and its surround.
TEST_F(FieldStatesTest, ColourSwatchesHaveAVisibleEdge)
{
    open(u"SetupAlgemeen"_s);
    QWidget* swatch = view->widgetOf(page->form().control(u"picCurrentColor"_s, 3));
    ASSERT_NE(swatch, nullptr);
    const QColor inside = seen(swatch, swatch->rect().center());
    ASSERT_EQ(inside, QColor(Qt::white)) << "row colour 2 is white in a new office";
    const QColor edge = seen(swatch, QPoint(0, swatch->height() / 2));
    const QColor around = seen(swatch, QPoint(-3, swatch->height() / 2));
    EXPECT_GT(contrast(edge, inside), 1.8);
    EXPECT_GT(contrast(edge, around), 1.4);
}

} // namespace

namespace {

// Catches a control that the page fills and stores itself without the
// changed marker that bound controls carry.
TEST_F(FieldStatesTest, AControlThePageFillsItselfShowsTheChangedMarker)
{
    host->SettingsObject().get<tarvelo::HdnSettings>().HDNNummer = u"123456"_s;
    tarvelo::SettingsWindow window(std::as_const(*host).pageRegistry(), *host);
    ASSERT_TRUE(window.showPage(u"SetupHDNOUD"_s));
    const auto& number = window.currentPage()->form().get<tarvelo::TextBox>(u"txtHDNNummer"_s);
    EXPECT_EQ(number.settingMarker(), tarvelo::SettingMarker::ChangedFromDefault);
    EXPECT_TRUE(number.settingMarkerNote().contains(u"123456"_s)) << number.settingMarkerNote().toStdString();
}

} // namespace
