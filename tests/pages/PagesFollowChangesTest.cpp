#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListBox.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/YesNo.h"
#include "tests/support/PageTest.h"

using namespace Qt::StringLiterals;

using namespace tarvelo;
using namespace tarvelo::testing;

namespace {

// Everything of a page a user can see or reach, one control a line.
QString pageState(const Form& form)
{
    QStringList lines;
    for (const Control* c : form.controls()) {
        QString line = u"%1(%2) %3%4"_s.arg(c->name())
                           .arg(c->index())
                           .arg(c->visible() ? u"zichtbaar"_s : u"verborgen"_s, c->enabled() ? u""_s : u" uit"_s);
        line += u" marker %1"_s.arg(int(c->settingMarker()));
        if (const auto* box = dynamic_cast<const CheckBox*>(c))
            line += u" '%1' %2"_s.arg(box->caption()).arg(box->value());
        else if (const auto* option = dynamic_cast<const OptionButton*>(c))
            line += u" '%1' %2"_s.arg(option->caption()).arg(option->value());
        else if (const auto* text = dynamic_cast<const TextBox*>(c))
            line += u" '%1'%2"_s.arg(text->text(), text->locked() ? u" vast"_s : u""_s);
        else if (const auto* label = dynamic_cast<const Label*>(c))
            line += u" '%1'"_s.arg(label->caption());
        else if (const auto* button = dynamic_cast<const CommandButton*>(c))
            line += u" '%1'"_s.arg(button->caption());
        else if (const auto* frame = dynamic_cast<const Frame*>(c))
            line += u" '%1'"_s.arg(frame->caption());
        else if (const auto* yesNo = dynamic_cast<const YesNo*>(c))
            line += u" %1"_s.arg(yesNo->value());
        else if (const auto* combo = dynamic_cast<const ComboBox*>(c)) {
            line += u" %1 '%2' ["_s.arg(combo->listIndex()).arg(combo->text());
            for (int i = 0; i < combo->listCount(); ++i)
                line += combo->list(i) + u"|"_s;
            line += u"]"_s;
        } else if (const auto* list = dynamic_cast<const ListBox*>(c)) {
            line += u" %1 ["_s.arg(list->listIndex());
            for (int i = 0; i < list->listCount(); ++i)
                line += list->list(i) + (list->selected(i) ? u"*|"_s : u"|"_s);
            line += u"]"_s;
        } else if (const auto* view = dynamic_cast<const ListView*>(c)) {
            line += u" ["_s;
            for (int i = 1; i <= view->count(); ++i) {
                const ListItem& row = view->item(i);
                line += row.text() + (row.checked() ? u"+"_s : u""_s) + (row.selected() ? u"*"_s : u""_s);
                for (int n = 1; n <= row.subItemCount(); ++n)
                    line += u"/"_s + row.subItem(n);
                line += u"|"_s;
            }
            line += u"]"_s;
        }
        lines << line;
    }
    return lines.join(u'\n');
}

// Plays the user changing a control to another value; false when it offers
// none (locked, out of reach, no choice or text).
bool changeAsTheUser(Control& c)
{
    if (!c.isUsable())
        return false;
    if (auto* box = dynamic_cast<CheckBox*>(&c))
        return box->click();
    if (auto* option = dynamic_cast<OptionButton*>(&c))
        return !option->value() && option->click();
    if (auto* yesNo = dynamic_cast<YesNo*>(&c))
        return yesNo->choose(yesNo->isJa() ? YesNo::Nee : YesNo::Ja);
    if (auto* combo = dynamic_cast<ComboBox*>(&c))
        return combo->listCount() > 1 && combo->select(combo->listIndex() == 0 ? 1 : 0);
    if (auto* box = dynamic_cast<TextBox*>(&c); box && !box->locked()) {
        // Another number for a number, else a text of its own.
        bool number = false;
        const int now = box->text().toInt(&number);
        box->setFocus();
        return box->type(number ? QString::number(now + 1) : box->text() + u"x"_s) && box->leave();
    }
    return false;
}

struct Stored {
    QVariantMap setup, global;
};

// The settings the page shows that differ between before and now.
QVariantMap shownChanges(SettingsPage& page, const QString& object, const QVariantMap& before, const QVariantMap& now)
{
    QVariantMap changed;
    for (const SettingPresentation& p : page.settingBindings().presentations()) {
        if (p.object == object && before.value(p.name) != now.value(p.name))
            changed.insert(p.name, now.value(p.name));
    }
    return changed;
}

} // namespace

using PagesFollowChanges = PageTest;

// A page whose own procedures work out what a setting means (a preview, what is enabled,
// what a combo lists) skipped them when the setting came from another workstation: only
// the control bound to it changed, and a setting the page fills by hand not even that.
// Every setting a page shows, changed elsewhere as its user would change it here, leaves
// the page exactly as it reads when opened afresh with that value.
TEST_F(PagesFollowChanges, ASettingChangedElsewhereLeavesThePageAsOpenedAfresh)
{
    h.ui().onUnexpected = [](const QString&) {};
    int tried = 0;
    for (const PageInfo& info : h.registry().pages()) {
        SCOPED_TRACE(str(info.className));
        const std::size_t count = h.open(info.className).form().controls().size();
        for (std::size_t i = 0; i < count; ++i) {
            const Stored before{h.setup().toMap(), h.globalSetup().toMap()};
            SettingsPage& page = h.open(info.className);
            Control& control = *page.form().controls()[i];
            SCOPED_TRACE(str(control.name()));
            if (!changeAsTheUser(control)) {
                h.close();
                continue;
            }
            const Stored elsewhere{shownChanges(page, u"Setup"_s, before.setup, h.setup().toMap()),
                                   shownChanges(page, u"GlobalSetup"_s, before.global, h.globalSetup().toMap())};
            h.close();
            h.setup().fromMap(before.setup);
            h.globalSetup().fromMap(before.global);
            if (elsewhere.setup.isEmpty() && elsewhere.global.isEmpty())
                continue;

            const auto takeIn = [&] {
                h.setup().fromMap(elsewhere.setup);
                h.globalSetup().fromMap(elsewhere.global);
            };
            const auto restore = [&] {
                h.close();
                h.setup().fromMap(before.setup);
                h.globalSetup().fromMap(before.global);
            };
            h.open(info.className);
            takeIn();
            const QString followed = pageState(h.form());
            const Stored followedSettings{h.setup().toMap(), h.globalSetup().toMap()};
            restore();
            takeIn();
            // The markers as the window shows them once the page is filled.
            h.open(info.className).settingBindings().refreshMarkers();
            const QString afresh = pageState(h.form());
            // Following writes back nothing a fresh page would not: no earlier value returns.
            EXPECT_EQ(followedSettings.setup, h.setup().toMap());
            EXPECT_EQ(followedSettings.global, h.globalSetup().toMap());
            ++tried;
            if (followed != afresh) {
                QStringList differ;
                const QStringList f = followed.split(u'\n'), a = afresh.split(u'\n');
                for (qsizetype l = 0; l < std::max(f.size(), a.size()); ++l) {
                    if (f.value(l) != a.value(l))
                        differ << u"gevolgd: "_s + f.value(l) + u"\nvers:    "_s + a.value(l);
                }
                ADD_FAILURE() << str(differ.join(u'\n'));
            }
            restore();
        }
    }
    EXPECT_GT(tried, 100);
}
