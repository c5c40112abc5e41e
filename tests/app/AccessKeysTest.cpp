#include "app/render/AccessKeys.h"
#include "app/render/FormView.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Form.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/YesNo.h"
#include "framework/page/RowLayout.h"
#include "tests/app/WidgetTestSupport.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::runEvents;
using tarvelo::testing::widgetApplication;

// Catches a chooser that takes a letter in the middle of a word while the
// word's first letter is free, takes a letter that is taken, or overrules a
// key the caption gives.
TEST(AccessKeysTest, ACaptionTakesTheFirstFreeLetterOfItsWords)
{
    EXPECT_EQ(withFreeAccessKey(u"Databaselocatie"_s, {}), u"&Databaselocatie"_s);
    EXPECT_EQ(withFreeAccessKey(u"Database server"_s, {u'd'}), u"Database &server"_s);
    EXPECT_EQ(withFreeAccessKey(u"Database server"_s, {u'd', u's'}), u"D&atabase server"_s);
    EXPECT_EQ(withFreeAccessKey(u"Database server"_s, {u'd', u's'}, true), u"Database server"_s)
        << "only word starts asked";
    EXPECT_EQ(withFreeAccessKey(u"Naam (&kort)"_s, {u'k'}), u"Naam (&kort)"_s) << "the caption's own key stays";
    EXPECT_EQ(withFreeAccessKey(u"Kosten && baten"_s, {u'k'}), u"Kosten && &baten"_s);
    EXPECT_EQ(withFreeAccessKey(u"(gebruiker)"_s, {}), u"(&gebruiker)"_s);
    EXPECT_EQ(withFreeAccessKey(u"..."_s, {}), u"..."_s);
    EXPECT_EQ(withFreeAccessKey(u"X"_s, {}), u"X"_s) << "a sign gets no key";
    EXPECT_EQ(withFreeAccessKey(u"ab"_s, {u'a', u'b'}), u"ab"_s) << "nothing free";
    EXPECT_EQ(withFreeAccessKey(u"Één keer"_s, {}), u"Één &keer"_s) << "a letter typed without Alt Gr";
    EXPECT_EQ(accessKeyOf(u"Kosten && &Baten"_s), u'b');
    EXPECT_TRUE(accessKeyOf(u"Kosten && baten"_s).isNull());
}

namespace {

// A form whose captions give no keys but one, and share first letters.
struct KeylessForm {
    Form form{u"frmTest"_s};
    Label& lblNaam = form.add<Label>(form, u"lblNaam"_s, u"Naam"_s);
    TextBox& txtNaam = form.add<TextBox>(form, u"txtNaam"_s);
    Label& lblNummer = form.add<Label>(form, u"lblNummer"_s, u"Nummer"_s);
    TextBox& txtNummer = form.add<TextBox>(form, u"txtNummer"_s);
    Label& lblNotitie = form.add<Label>(form, u"lblNotitie"_s, u"Notitie bij het nummer"_s);
    TextBox& txtNotitie = form.add<TextBox>(form, u"txtNotitie"_s);
    Label& lblAdres = form.add<Label>(form, u"lblAdres"_s, u"&Adres"_s);
    TextBox& txtAdres = form.add<TextBox>(form, u"txtAdres"_s);
    CheckBox& chkActief = form.add<CheckBox>(form, u"chkActief"_s, u"Actief"_s);
    OptionButton& optNee = form.add<OptionButton>(form, u"optNee"_s, u"Niet doorsturen"_s);
    Label& lblVerzenden = form.add<Label>(form, u"lblVerzenden"_s, u"Verzenden"_s);
    YesNo& jnVerzenden = form.add<YesNo>(form, u"jnVerzenden"_s);
    CommandButton& cmdOk = form.add<CommandButton>(form, u"cmdOk"_s, u"OK"_s);
    Label& lblUitleg = form.add<Label>(form, u"lblUitleg"_s, u"Vul alles in."_s);

    KeylessForm()
    {
        RowLayout(form, 7000, false)
            .field(lblNaam, txtNaam, 3000)
            .field(lblNummer, txtNummer, 3000)
            .field(lblNotitie, txtNotitie, 3000)
            .field(lblAdres, txtAdres, 3000)
            .line(chkActief)
            .line(optNee)
            .field(lblVerzenden, jnVerzenden, 3000)
            .line(lblUitleg)
            .line(cmdOk)
            .finish();
    }
};

template <typename W>
QString shownText(FormView& view, const char* name)
{
    W* w = view.findChild<W*>(QString::fromLatin1(name));
    return w ? w->text() : u"(ontbreekt)"_s;
}

} // namespace

// Catches labels, boxes, options and buttons without an access key, two that
// share one, a key the page gave that is moved, a key drawn into the form's
// own captions or read out, and a key that does not reach its field.
TEST(AccessKeysTest, EveryLabelButtonAndOptionGetsAKeyOfItsOwn)
{
    widgetApplication();
    KeylessForm f;
    FormView view(f.form, TwipsScale{});
    view.show();
    QApplication::setActiveWindow(&view);
    runEvents();

    EXPECT_EQ(shownText<QLabel>(view, "lblNaam"), u"&Naam"_s);
    EXPECT_EQ(shownText<QLabel>(view, "lblNummer"), u"N&ummer"_s) << "no word start free: the next letter";
    EXPECT_EQ(shownText<QLabel>(view, "lblNotitie"), u"Notitie &bij het nummer"_s);
    EXPECT_EQ(shownText<QLabel>(view, "lblAdres"), u"&Adres"_s) << "the page's own key stays";
    EXPECT_EQ(shownText<QCheckBox>(view, "chkActief"), u"A&ctief"_s);
    EXPECT_EQ(shownText<QRadioButton>(view, "optNee"), u"Niet &doorsturen"_s);
    EXPECT_EQ(shownText<QLabel>(view, "lblVerzenden"), u"&Verzenden"_s);
    EXPECT_EQ(shownText<QPushButton>(view, "cmdOk"), u"&OK"_s);
    EXPECT_EQ(shownText<QRadioButton>(view, "Ja"), u"Ja"_s) << "the yes/no's label has the key";
    EXPECT_EQ(shownText<QLabel>(view, "lblUitleg"), u"Vul alles in."_s) << "a text that names nothing has none";

    EXPECT_EQ(f.lblNummer.caption(), u"Nummer"_s) << "the form's captions keep their texts";
    EXPECT_EQ(f.cmdOk.caption(), u"OK"_s);
    const auto spoken = [&](const char* name) {
        return QAccessible::queryAccessibleInterface(view.findChild<QWidget*>(QString::fromLatin1(name)))
            ->text(QAccessible::Name);
    };
    EXPECT_EQ(spoken("txtNummer"), u"Nummer"_s);
    EXPECT_EQ(spoken("chkActief"), u"Actief"_s);
    EXPECT_EQ(spoken("cmdOk"), u"OK"_s);

    for (const auto& [key, field] :
         {std::pair{'u', "txtNummer"}, std::pair{'b', "txtNotitie"}, std::pair{'n', "txtNaam"}, std::pair{'v', "Ja"}}) {
        view.setFocus();
        QTest::keyClick(&view, key, Qt::AltModifier);
        ASSERT_NE(QApplication::focusWidget(), nullptr) << key;
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(field)) << key;
    }

    // A caption that changes gets its key again, from the new text.
    f.lblNummer.setCaption(u"Agentnummer"_s);
    runEvents();
    EXPECT_EQ(shownText<QLabel>(view, "lblNummer"), u"A&gentnummer"_s);
    // A hidden control leaves its key to what is on screen.
    f.lblNaam.setVisible(false);
    f.txtNaam.setVisible(false);
    f.lblNummer.setCaption(u"Nummer"_s);
    runEvents();
    EXPECT_EQ(shownText<QLabel>(view, "lblNummer"), u"&Nummer"_s);
}
