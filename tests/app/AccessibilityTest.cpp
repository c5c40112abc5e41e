#include "app/QtUi.h"
#include "app/ReviewDialogs.h"
#include "app/WindowPages.h"
#include "app/render/FormView.h"
#include "framework/forms/CheckBox.h"
#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Dialog.h"
#include "framework/forms/Form.h"
#include "framework/forms/Frame.h"
#include "framework/forms/Label.h"
#include "framework/forms/ListView.h"
#include "framework/forms/TextBox.h"
#include "framework/forms/UserControl.h"
#include "framework/page/PageRegistry.h"
#include "framework/page/SettingsPage.h"
#include "host/ReferenceApplication.h"
#include "pages/AllPages.h"
#include "tests/app/WidgetTestSupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <map>

using namespace Qt::StringLiterals;

using namespace tarvelo;
using tarvelo::testing::runEvents;
using tarvelo::testing::widgetApplication;

namespace {

// What a screen reader says a widget is. On Linux Qt reads a combo as its
// value and takes what it is for from the label that names it (or else its
// description); every other widget has a name of its own.
QString spokenName(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    if (!face)
        return QString();
    if (face->role() != QAccessible::ComboBox)
        return face->text(QAccessible::Name);
    const auto labels = face->relations(QAccessible::Label);
    return labels.isEmpty() ? face->text(QAccessible::Description) : labels.front().first->text(QAccessible::Name);
}

bool takesTab(const QWidget* w) { return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy(); }

// The widgets a user fills in or chooses with.
bool isField(QWidget* w)
{
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QComboBox*>(w) ||
           qobject_cast<QAbstractItemView*>(w) || qobject_cast<QAbstractButton*>(w);
}

// Visible fields of the view (a combo's popup list is a window of its own).
std::vector<QWidget*> fieldsOf(QWidget& view)
{
    std::vector<QWidget*> fields;
    for (QWidget* w : view.findChildren<QWidget*>()) {
        if (isField(w) && w->window() == view.window() && w->isVisibleTo(&view) && takesTab(w))
            fields.push_back(w);
    }
    return fields;
}

// The widgets Tab visits in the view, in the order of its focus chain, from
// the view onwards round to it again.
std::vector<QWidget*> tabCycle(QWidget& view)
{
    std::vector<QWidget*> cycle;
    for (QWidget* w = view.nextInFocusChain(); w && w != &view; w = w->nextInFocusChain()) {
        if (view.isAncestorOf(w) && takesTab(w) && w->isVisibleTo(&view) && w->window() == view.window())
            cycle.push_back(w);
    }
    return cycle;
}

// Whether going from a to b reads on: b lies below a's row, or in a's row to
// the right of it. Compared where the two parts meet: a frame or an embedded
// form is read as a whole where it stands.
bool readsOn(QWidget* a, QWidget* b)
{
    QWidget* common = a->parentWidget();
    while (common && !common->isAncestorOf(b))
        common = common->parentWidget();
    const auto partIn = [common](QWidget* w) {
        while (w->parentWidget() != common)
            w = w->parentWidget();
        return w->geometry();
    };
    const QRect from = partIn(a);
    const QRect to = partIn(b);
    if (from == to)
        return true; // parts of one control keep their own order
    const int fromMiddle = from.top() + from.height() / 2;
    return to.center().y() > from.top() && (to.top() >= fromMiddle || to.left() >= from.left());
}

QString nameOf(const QWidget* w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

// The steps of the tab cycle that go back against the reading order, when
// there are more than the one step from the last field round to the first.
QStringList backSteps(const std::vector<QWidget*>& cycle)
{
    QStringList back;
    for (std::size_t i = 0; i < cycle.size() && cycle.size() > 1; ++i) {
        QWidget* a = cycle[i];
        QWidget* b = cycle[(i + 1) % cycle.size()];
        if (!readsOn(a, b))
            back << nameOf(a) + u" -> "_s + nameOf(b);
    }
    return back.size() > 1 ? back : QStringList();
}

// The access key of a text: the character after a single "&".
QChar mnemonicOf(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return QChar();
}

QString textOf(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->buddy() ? label->text() : QString();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    if (auto* box = qobject_cast<QGroupBox*>(w))
        return box->title();
    return QString();
}

struct Findings {
    QStringList unnamed;
    QStringList backwards;
    QStringList mnemonicsMissed;
    QStringList keyless;
    QStringList keysShared;
    int mnemonicsTried = 0;
    int fieldsNamed = 0;
};

// Every check of a form drawn on its own: names, tab order and access keys.
void inspect(const QString& what, Form& form, const TwipsScale& scale, Findings& found)
{
    FormView view(form, scale);
    view.flushPending();
    view.show();
    QApplication::setActiveWindow(&view);
    runEvents();

    for (QWidget* field : fieldsOf(view)) {
        // The parts of a yes/no choice are named Ja and Nee, as they read,
        // and described by the label of the whole.
        const QString spoken = spokenName(field).trimmed();
        const bool described = !QAccessible::queryAccessibleInterface(field)->text(QAccessible::Description).isEmpty();
        // A button read as "..." or "X" says nothing of what it does.
        const QString letters = QString(spoken).remove(u'&');
        const bool sign = letters.size() == 1 ||
                          std::none_of(letters.begin(), letters.end(), [](QChar c) { return c.isLetterOrNumber(); });
        if (spoken.isEmpty() || (spoken == field->objectName() && !described) || sign)
            found.unnamed << what + u"."_s + nameOf(field) + u" (\""_s + spoken + u"\")"_s;
        else
            ++found.fieldsNamed;
    }
    for (const QString& step : backSteps(tabCycle(view)))
        found.backwards << what + u": "_s + step;
    const std::vector<QWidget*> chain = view.tabChain();
    if (QSet<QWidget*>(chain.begin(), chain.end()).size() != qsizetype(chain.size()))
        found.backwards << what + u": a widget stands twice in the Tab chain"_s;

    // Each label's access key that no other text of the form uses moves the
    // focus into the field it names.
    std::map<QChar, int> uses;
    for (QWidget* w : view.findChildren<QWidget*>()) {
        if (w->isVisibleTo(&view))
            ++uses[mnemonicOf(textOf(w))];
    }
    // Every label of a field, button, check box and option shown has a key,
    // and a key the window chose is nobody else's while a letter is free.
    std::map<QChar, QStringList> users;
    std::vector<std::pair<QWidget*, QChar>> chosen;
    for (QWidget* w : view.findChildren<QWidget*>()) {
        const QString text = textOf(w);
        const QString letters = withoutAccessKey(text).trimmed();
        const bool keyed = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w) || qobject_cast<QGroupBox*>(w);
        if (!keyed || !w->isVisibleTo(&view) || letters.size() < 2 || w->property("tarveloWithoutAccessKey").toBool() ||
            std::none_of(letters.begin(), letters.end(), [](QChar c) { return c.isLetterOrNumber(); }))
            continue;
        const QChar key = mnemonicOf(text);
        if (key.isNull() && !qobject_cast<QGroupBox*>(w)) {
            found.keyless << what + u"."_s + nameOf(w) + u" (\""_s + text + u"\")"_s;
            continue;
        }
        if (key.isNull())
            continue;
        users[key] << nameOf(w);
        if (!w->property("tarveloAccessKeySource").toString().contains(u'&'))
            chosen.push_back({w, key});
    }
    // Only a caption whose letters are all taken shares its key: of the
    // captions on one key, one at most could have had another.
    std::map<QChar, QStringList> couldMove;
    for (const auto& [w, key] : chosen) {
        const QString letters = withoutAccessKey(textOf(w)).toLower();
        const bool free = std::any_of(letters.begin(), letters.end(), [&](QChar c) {
            return ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')) && !users.count(c);
        });
        if (users[key].size() > 1 && free)
            couldMove[key] << nameOf(w);
    }
    for (const auto& [key, names] : couldMove) {
        if (names.size() > 1)
            found.keysShared << what + u": "_s + key + u" "_s + names.join(u'/');
    }
    for (QLabel* label : view.findChildren<QLabel*>()) {
        QWidget* field = label->buddy();
        const QChar key = mnemonicOf(textOf(label));
        // (a label the page disabled answers no key, as Qt has it)
        if (!field || key.isNull() || uses[key] != 1 || !label->isVisibleTo(&view) || !field->isVisibleTo(&view) ||
            !field->isEnabled() || !label->isEnabled())
            continue;
        view.setFocus();
        QTest::keyClick(&view, key.toLatin1(), Qt::AltModifier);
        QWidget* now = QApplication::focusWidget();
        ++found.mnemonicsTried;
        if (!now || !(now == field || field->isAncestorOf(now)))
            found.mnemonicsMissed << what + u"."_s + nameOf(label) + u" (\""_s + label->text() + u"\" voor "_s +
                                         nameOf(field) + u") -> "_s + (now ? nameOf(now) : u"niets"_s);
    }
    view.hide();
}

void report(const Findings& found)
{
    EXPECT_TRUE(found.unnamed.isEmpty()) << "without a name: " << found.unnamed.join(u", "_s).toStdString();
    EXPECT_TRUE(found.backwards.isEmpty()) << "tab goes back: " << found.backwards.join(u"; "_s).toStdString();
    EXPECT_TRUE(found.mnemonicsMissed.isEmpty())
        << "access key misses its field: " << found.mnemonicsMissed.join(u", "_s).toStdString();
    EXPECT_TRUE(found.keyless.isEmpty()) << "without an access key: " << found.keyless.join(u", "_s).toStdString();
    EXPECT_TRUE(found.keysShared.isEmpty())
        << "a chosen key used twice: " << found.keysShared.join(u", "_s).toStdString();
}

// A small form with controls declared out of their layout order: a name row
// and a frame with two rows, the second of two fields and a button a little
// taller than they are.
struct ScrambledForm {
    Form form{u"frmTest"_s};
    Frame& fraAdres = form.add<Frame>(form, u"fraAdres"_s);
    CommandButton& cmdZoeken = form.add<CommandButton>(fraAdres, u"cmdZoeken"_s);
    TextBox& txtPlaats = form.add<TextBox>(fraAdres, u"txtPlaats"_s);
    TextBox& txtStraat = form.add<TextBox>(fraAdres, u"txtStraat"_s);
    Label& lblPlaats = form.add<Label>(fraAdres, u"lblPlaats"_s);
    Label& lblStraat = form.add<Label>(fraAdres, u"lblStraat"_s);
    TextBox& txtNaam = form.add<TextBox>(form, u"txtNaam"_s);
    Label& lblNaam = form.add<Label>(form, u"lblNaam"_s);
    Label& lblUitleg = form.add<Label>(form, u"lblUitleg"_s);
    CheckBox& chkActief = form.add<CheckBox>(form, u"chkActief"_s);
    ListView& lvwNotities = form.add<ListView>(fraAdres, u"lvwNotities"_s);

    ScrambledForm()
    {
        form.setBounds(0, 0, 7000, 5000);
        lblNaam.setBounds(120, 150, 1500, 255);
        lblNaam.setCaption(u"&Naam"_s);
        txtNaam.setBounds(1700, 120, 3000, 315);
        chkActief.setBounds(4900, 150, 1800, 255);
        chkActief.setCaption(u"&Actief"_s);
        fraAdres.setBounds(120, 600, 6700, 3600);
        fraAdres.setCaption(u"Adres"_s);
        lblStraat.setBounds(120, 330, 1400, 255);
        lblStraat.setCaption(u"&Straat"_s);
        txtStraat.setBounds(1600, 300, 4900, 315);
        lblPlaats.setBounds(120, 780, 1400, 255);
        lblPlaats.setCaption(u"&Woonplaats"_s);
        txtPlaats.setBounds(1600, 750, 3400, 315);
        cmdZoeken.setBounds(5100, 720, 1400, 375);
        cmdZoeken.setCaption(u"&Zoeken"_s);
        lvwNotities.setBounds(120, 1300, 6400, 2000);
        // A text of its own row, not beside a field: it names nothing.
        lblUitleg.setBounds(120, 4400, 6000, 255);
        lblUitleg.setCaption(u"Vul het adres in zoals het op de brief staat."_s);
    }
};

std::vector<QString> namesOf(const std::vector<QWidget*>& widgets)
{
    std::vector<QString> names;
    for (QWidget* w : widgets)
        names.push_back(w->objectName());
    return names;
}

// The view's focus chain from its first field, as Tab walks it.
std::vector<QString> tabNames(FormView& view, const QString& first)
{
    std::vector<QWidget*> cycle = tabCycle(view);
    const auto start = std::find_if(cycle.begin(), cycle.end(), [&](QWidget* w) { return w->objectName() == first; });
    std::rotate(cycle.begin(), start, cycle.end());
    return namesOf(cycle);
}

} // namespace

// Catches a tab order that follows the order the page declared its controls
// in, or one that stays put when the layout moves a field: Tab reads the form
// row by row, into the frame where it stands, and follows a change of bounds
// after one turn of the event loop.
TEST(AccessibilityTest, TabOrderFollowsTheLayoutAndItsChanges)
{
    widgetApplication();
    ScrambledForm f;
    FormView view(f.form, TwipsScale{});
    const std::vector<QString> reading = {u"txtNaam"_s,   u"chkActief"_s, u"txtStraat"_s,
                                          u"txtPlaats"_s, u"cmdZoeken"_s, u"lvwNotities"_s};
    EXPECT_EQ(tabNames(view, u"txtNaam"_s), reading);

    // The layout puts the town above the street.
    f.txtPlaats.setTop(300);
    f.txtStraat.setTop(1200);
    f.lvwNotities.setTop(1700);
    EXPECT_EQ(tabNames(view, u"txtNaam"_s), reading) << "reordered at once instead of once per turn";
    runEvents();
    EXPECT_EQ(tabNames(view, u"txtNaam"_s), (std::vector<QString>{u"txtNaam"_s, u"chkActief"_s, u"txtPlaats"_s,
                                                                  u"cmdZoeken"_s, u"txtStraat"_s, u"lvwNotities"_s}));

    // Tab itself goes that way.
    view.show();
    QApplication::setActiveWindow(&view);
    view.findChild<QWidget*>(u"txtNaam"_s)->setFocus();
    QStringList walked;
    for (int i = 0; i < 6; ++i) {
        walked << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(walked.join(u' '), u"txtNaam chkActief txtPlaats cmdZoeken txtStraat lvwNotities"_s);
}

// Catches fields read by their object names, or by the wrong label: a field
// is named by the label the page gave it, else by the label before it in its
// row; a check box and a button by their own captions; a list without a label
// by its frame; a caption change follows.
TEST(AccessibilityTest, FieldsAreNamedByTheirLabels)
{
    widgetApplication();
    ScrambledForm f;
    // The page pairs the town with its label; the others pair by their place.
    f.lblPlaats.setBuddy(&f.txtPlaats);
    FormView view(f.form, TwipsScale{});
    const auto spoken = [&](const char* name) {
        return spokenName(view.findChild<QWidget*>(QString::fromLatin1(name)));
    };
    EXPECT_EQ(spoken("txtNaam"), u"Naam"_s);
    EXPECT_EQ(spoken("txtStraat"), u"Straat"_s);
    EXPECT_EQ(spoken("txtPlaats"), u"Woonplaats"_s);
    EXPECT_EQ(spoken("chkActief"), u"Actief"_s);
    EXPECT_EQ(spoken("cmdZoeken"), u"Zoeken"_s);
    EXPECT_EQ(spoken("lvwNotities"), u"Adres"_s);
    auto* uitleg = view.findChild<QLabel*>(u"lblUitleg"_s);
    EXPECT_EQ(uitleg->buddy(), nullptr) << "a text on its own row names no field";

    // Two labels before one field: the nearer one names it.
    Label& lblVoor = f.form.add<Label>(f.form, u"lblVoor"_s);
    lblVoor.setBounds(0, 150, 100, 255);
    lblVoor.setCaption(u"Klant"_s);
    f.lblNaam.setCaption(u"&Naam van de klant"_s);
    runEvents();
    EXPECT_EQ(spoken("txtNaam"), u"Naam van de klant"_s);

    // A page's own pairing overrules the place: the street label names the list.
    f.lblStraat.setBuddy(&f.lvwNotities);
    runEvents();
    EXPECT_EQ(spoken("lvwNotities"), u"Straat"_s);
    EXPECT_EQ(spoken("txtStraat"), u"Adres"_s) << "left without a label, the field takes its frame's caption";

    // A combo is read by the label that names it.
    ComboBox& cboLand = f.form.add<ComboBox>(f.fraAdres, u"cboLand"_s);
    Label& lblLand = f.form.add<Label>(f.fraAdres, u"lblLand"_s);
    lblLand.setBounds(120, 3400, 1400, 255);
    lblLand.setCaption(u"&Land"_s);
    cboLand.setBounds(1600, 3370, 3000, 315);
    runEvents();
    EXPECT_EQ(spoken("cboLand"), u"Land"_s);
}

// Catches an access key that does nothing, or that ticks a box instead of
// going there: Alt and a label's letter moves the focus to the label's field
// and changes nothing; the letter is drawn only once the label names a field.
TEST(AccessibilityTest, ALabelsAccessKeyMovesTheFocusToItsField)
{
    widgetApplication();
    ScrambledForm f;
    CheckBox& chkZonder = f.form.add<CheckBox>(f.form, u"chkZonder"_s);
    Label& lblZonder = f.form.add<Label>(f.form, u"lblZonder"_s);
    lblZonder.setBounds(120, 4700, 1500, 255);
    lblZonder.setCaption(u"&Geheim nummer"_s);
    chkZonder.setBounds(1700, 4700, 300, 255);
    FormView view(f.form, TwipsScale{});
    view.show();
    QApplication::setActiveWindow(&view);
    runEvents();

    for (const auto& [key, field] : {std::pair{'w', "txtPlaats"}, std::pair{'s', "txtStraat"},
                                     std::pair{'n', "txtNaam"}, std::pair{'g', "chkZonder"}}) {
        view.setFocus();
        QTest::keyClick(&view, key, Qt::AltModifier);
        ASSERT_NE(QApplication::focusWidget(), nullptr) << key;
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(field)) << key;
        EXPECT_EQ(f.form.focusedControl(), &f.form.control(QString::fromLatin1(field))) << "the model knows it";
    }
    EXPECT_EQ(chkZonder.value(), 0) << "the key moved the focus only";
    EXPECT_EQ(view.findChild<QLabel*>(u"lblNaam"_s)->text(), u"&Naam"_s);
    EXPECT_EQ(view.findChild<QLabel*>(u"lblUitleg"_s)->text(), f.lblUitleg.caption());
}

// Catches Enter that slips past a refusing check, or that does nothing: in a
// dialog Enter presses the default button once the field being edited
// validated, and Escape the cancel button.
TEST(AccessibilityTest, EnterAndEscapeAnswerADialog)
{
    widgetApplication();
    QtUi ui;
    for (const int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        Form dialog(u"frmTest"_s);
        dialog.setBounds(0, 0, 5000, 2000);
        auto& txtBedrag = dialog.add<TextBox>(dialog, u"txtBedrag"_s);
        txtBedrag.setBounds(120, 120, 3000, 315);
        auto& cmdOk = dialog.add<CommandButton>(dialog, u"cmdOk"_s);
        cmdOk.setBounds(120, 900, 1200, 375);
        cmdOk.setDefault(true);
        auto& cmdAnnuleren = dialog.add<CommandButton>(dialog, u"cmdAnnuleren"_s);
        cmdAnnuleren.setBounds(1500, 900, 1200, 375);
        cmdAnnuleren.setCancel(true);
        QStringList pressed;
        int checks = 0;
        txtBedrag.Validate.connect([&](bool& cancel) {
            ++checks;
            cancel = txtBedrag.text() == u"veel"_s;
        });
        cmdOk.Click.connect([&] {
            pressed << u"OK"_s;
            dialog.hide();
        });
        cmdAnnuleren.Click.connect([&] {
            pressed << u"Annuleren"_s;
            dialog.hide();
        });
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(shown, nullptr);
            QApplication::setActiveWindow(shown);
            auto* edit = shown->findChild<QLineEdit*>(u"txtBedrag"_s);
            edit->setFocus();
            QTest::keyClicks(edit, u"veel"_s);
            QTest::keyClick(edit, Qt::Key(key));
            if (key != Qt::Key_Escape) {
                EXPECT_TRUE(pressed.isEmpty()) << "OK while the amount was refused";
                EXPECT_TRUE(shown->isVisible());
                runEvents();
                edit->selectAll();
                QTest::keyClicks(edit, u"12"_s);
                QTest::keyClick(edit, Qt::Key(key));
            }
            if (shown->isVisible())
                dialog.hide();
        });
        ui.showModal(dialog);
        EXPECT_EQ(pressed, QStringList{key == Qt::Key_Escape ? u"Annuleren"_s : u"OK"_s}) << key;
        EXPECT_EQ(checks, key == Qt::Key_Escape ? 0 : 2) << key;
    }
}

// Catches a page a keyboard or screen-reader user cannot use: on every page
// as the window shows it on the demo office, every field has a name that is
// not its object name, Tab reads the page in its layout order, and every
// label's access key reaches its field.
TEST(AccessibilityTest, EveryPageCanBeUsedByKeyboardAndScreenReader)
{
    widgetApplication();
    QTemporaryDir dir;
    ScriptedUi ui;
    PageRegistry registry;
    registerAllPages(registry);
    ReferenceApplication host(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    Findings found;
    for (const PageInfo& info : registry.pages()) {
        std::unique_ptr<SettingsPage> page = openWindowPage(registry, info.className, host);
        ASSERT_NE(page, nullptr) << info.className.toStdString();
        inspect(info.className, page->form(), screenScale(ui), found);
        page->Terminate();
    }
    report(found);
    EXPECT_GT(found.fieldsNamed, 300);
    EXPECT_GT(found.mnemonicsTried, 120) << "the labels of the pages have access keys";
}

// The same for every dialog of the product, and Enter and Escape: Enter in a
// field presses the dialog's default button, Escape its cancel button or else
// closes it as cancelled.
TEST(AccessibilityTest, EveryDialogCanBeUsedByKeyboardAndScreenReader)
{
    widgetApplication();
    QTemporaryDir dir;
    ScriptedUi ui;
    ReferenceApplication host(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    Findings found;
    // Dialogs without a default: a move that starts only on its button, the
    // only question before an adviser is removed, a progress window.
    const QStringList withoutDefault = {u"frmWijzigenHDNBerichtenOpslag"_s, u"frmOmzettenAdviseur"_s, u"frmProgress"_s};
    for (const QString& name : ReviewDialogs::names()) {
        {
            std::unique_ptr<Form> dialog = ReviewDialogs::open(name, host);
            ASSERT_NE(dialog, nullptr) << name.toStdString();
            inspect(name, *dialog, screenScale(ui), found);
        }
        // The progress window is no modal dialog; its view has a test of its own.
        if (name == u"frmProgress"_s)
            continue;
        for (const int key : {Qt::Key_Return, Qt::Key_Escape}) {
            std::unique_ptr<Form> dialog = ReviewDialogs::open(name, host);
            QString expected;
            QStringList pressed;
            bool defaultUnusable = false;
            for (Control* c : dialog->controls()) {
                if (c->kind() == ControlKind::CommandButton && !c->isUsable() &&
                    static_cast<CommandButton*>(c)->isDefault())
                    defaultUnusable = true;
                if (c->kind() != ControlKind::CommandButton || !c->isUsable())
                    continue;
                auto* button = static_cast<CommandButton*>(c);
                if ((key == Qt::Key_Escape ? button->isCancel() : button->isDefault()) && expected.isEmpty())
                    expected = button->name();
                button->Click.connect([&pressed, button] { pressed << button->name(); });
            }
            bool stillOpen = false;
            QTimer::singleShot(0, [&] {
                QWidget* shown = QApplication::activeModalWidget();
                ASSERT_NE(shown, nullptr) << name.toStdString();
                // A line of text, else any field but a button (which takes Enter
                // itself) or a box of several lines (where Enter starts a line).
                QWidget* target = nullptr;
                QWidget* other = nullptr;
                for (QWidget* w : fieldsOf(*shown)) {
                    if (!w->isEnabled())
                        continue;
                    if (auto* line = qobject_cast<QLineEdit*>(w); line && !line->isReadOnly() && !target)
                        target = w;
                    if (!other && !qobject_cast<QAbstractButton*>(w) && !qobject_cast<QPlainTextEdit*>(w))
                        other = w;
                }
                target = target ? target : other ? other : shown;
                QApplication::setActiveWindow(shown);
                target->setFocus();
                QTest::keyClick(target, Qt::Key(key));
                runEvents();
                stillOpen = shown->isVisible();
                // A dialog that stays (a check it refused, or no button for the key) is closed here.
                if (stillOpen)
                    dialog->hide();
            });
            QtUi().showModal(*dialog);
            const std::string what = name.toStdString() + (key == Qt::Key_Escape ? " Escape" : " Enter");
            // A default that is off in this state (nothing to change yet) takes no Enter either.
            if (key == Qt::Key_Return && (withoutDefault.contains(name) || (expected.isEmpty() && defaultUnusable))) {
                EXPECT_TRUE(pressed.isEmpty()) << what;
                continue;
            }
            if (key == Qt::Key_Return) {
                EXPECT_FALSE(expected.isEmpty()) << what << ": no default button";
                EXPECT_EQ(pressed.value(0), expected) << what;
            } else if (!expected.isEmpty()) {
                EXPECT_EQ(pressed.value(0), expected) << what;
            } else {
                // Without a cancel button the dialog simply closes, cancelled.
                EXPECT_TRUE(pressed.isEmpty()) << what;
                EXPECT_FALSE(stillOpen) << what;
                auto* d = dynamic_cast<Dialog*>(dialog.get());
                ASSERT_NE(d, nullptr) << what;
                EXPECT_TRUE(d->Geannuleerd()) << what;
            }
        }
    }
    report(found);
    EXPECT_GT(found.fieldsNamed, 60);
}

// Catches the names a screen reader read wrong: a folder box after the check
// box that switches it on named after its frame ("HDN"), a months box named
// by the unit of the box before it ("jaar"), and a branch read with the run of
// spaces and the identifier its entry carries out of sight.
TEST(AccessibilityTest, FieldsAreNotNamedByAFrameAUnitOrAnIdentifier)
{
    widgetApplication();
    QTemporaryDir dir;
    ScriptedUi ui;
    PageRegistry registry;
    registerAllPages(registry);
    ReferenceApplication host(ui, dir.path(), QString(), ReferenceApplication::NewOffice::Demo);
    const auto spokenIn = [](FormView& view, const char* name) {
        return spokenName(view.findChild<QWidget*>(QString::fromLatin1(name)));
    };

    {
        std::unique_ptr<SettingsPage> page = openWindowPage(registry, u"SetupHDNOUD"_s, host);
        FormView view(page->form(), screenScale(ui));
        runEvents();
        EXPECT_EQ(spokenIn(view, "txtDirHDNXML"), u"Kopie HDN Bericht bewaren"_s);
        page->Terminate();
    }
    {
        std::unique_ptr<Form> dialog = ReviewDialogs::open(u"frmAbonnementDetail"_s, host);
        ASSERT_NE(dialog, nullptr);
        FormView view(*dialog, screenScale(ui));
        runEvents();
        EXPECT_EQ(spokenIn(view, "txtContractduurJaar"), u"Contractduur"_s);
        EXPECT_EQ(spokenIn(view, "txtContractduurMaand"), u"Contractduur (maanden)"_s);
    }
    for (const QString& className : {u"Adviseurs"_s, u"SetupAutorisatie"_s}) {
        std::unique_ptr<SettingsPage> page = openWindowPage(registry, className, host);
        FormView view(page->form(), screenScale(ui));
        runEvents();
        auto& model = page->form().get<ComboBox>(u"cboVestiging"_s);
        auto* combo = view.findChild<QComboBox*>(u"cboVestiging"_s);
        ASSERT_NE(combo, nullptr);
        ASSERT_GT(combo->count(), 0) << className.toStdString();
        for (int i = 0; i < combo->count(); ++i) {
            EXPECT_FALSE(combo->itemText(i).contains(u"  "_s)) << combo->itemText(i).toStdString();
            EXPECT_TRUE(model.list(i).startsWith(combo->itemText(i))) << "the page's entry keeps its text";
        }
        if (model.listIndex() >= 0) {
            EXPECT_GE(model.list(model.listIndex()).size(), 100) << "the entry carries its identifier";
            EXPECT_EQ(QAccessible::queryAccessibleInterface(combo)->text(QAccessible::Value),
                      combo->itemText(model.listIndex()));
        }
        page->Terminate();
    }
}
