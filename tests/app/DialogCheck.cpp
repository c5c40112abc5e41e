#include "tests/app/DialogCheck.h"

#include "tests/app/WidgetTestSupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <optional>

using namespace Qt::StringLiterals;

namespace tarvelo::testing::DialogCheck {

namespace {
constexpr double Readable = 4.5;

QPalette::ColorGroup groupOf(const QWidget& w) { return w.isEnabled() ? QPalette::Active : QPalette::Disabled; }

// The colour behind a widget: its own where it fills its background, else
// that of the nearest widget around it that does (or the window).
QColor backgroundBehind(const QWidget& w)
{
    const QWidget* at = &w;
    while (at->parentWidget() && !at->autoFillBackground() && !at->isWindow())
        at = at->parentWidget();
    return at->palette().color(groupOf(*at), at->backgroundRole());
}

QString nameOf(const QWidget& w)
{
    return w.objectName().isEmpty() ? QString::fromLatin1(w.metaObject()->className()) : w.objectName();
}

// The text a widget shows, with its colour and the colour it is drawn on.
struct ShownText {
    QString text;
    QColor fore;
    QColor back;
};

std::optional<ShownText> shownText(const QWidget& w)
{
    const QPalette::ColorGroup g = groupOf(w);
    const QPalette& p = w.palette();
    if (const auto* label = qobject_cast<const QLabel*>(&w); label && !label->text().isEmpty())
        return ShownText{label->text(), p.color(g, label->foregroundRole()), backgroundBehind(w)};
    if (const auto* push = qobject_cast<const QPushButton*>(&w); push && !push->text().isEmpty())
        return ShownText{push->text(), p.color(g, QPalette::ButtonText), p.color(g, QPalette::Button)};
    if (const auto* button = qobject_cast<const QAbstractButton*>(&w); button && !button->text().isEmpty())
        return ShownText{button->text(), p.color(g, QPalette::WindowText), backgroundBehind(w)};
    if (const auto* line = qobject_cast<const QLineEdit*>(&w); line && !line->text().isEmpty())
        return ShownText{line->text(), p.color(g, QPalette::Text), p.color(g, QPalette::Base)};
    if (const auto* combo = qobject_cast<const QComboBox*>(&w); combo && !combo->currentText().isEmpty())
        return combo->isEditable()
                   ? ShownText{combo->currentText(), p.color(g, QPalette::Text), p.color(g, QPalette::Base)}
                   : ShownText{combo->currentText(), p.color(g, QPalette::ButtonText), p.color(g, QPalette::Button)};
    if (const auto* box = qobject_cast<const QGroupBox*>(&w); box && !box->title().isEmpty())
        return ShownText{box->title(), p.color(g, QPalette::WindowText), backgroundBehind(w)};
    return std::nullopt;
}

QString withoutAccessKey(QString caption)
{
    caption.replace(u"&&"_s, u"\x01"_s);
    caption.remove(u'&');
    caption.replace(u"\x01"_s, u"&"_s);
    return caption;
}

bool saysItStores(const QString& caption)
{
    const QString c = withoutAccessKey(caption).toLower();
    for (const char* verb : {"opslaan", "verwijder", "terugdraaien", "toepassen", "overschrijven", "uitvoeren"})
        if (c.contains(QLatin1String(verb)))
            return true;
    return false;
}
} // namespace

QStringList textContrastFaults(const QString& name, const QWidget& root)
{
    QStringList faults;
    QList<const QWidget*> widgets{&root};
    for (const QWidget* w : root.findChildren<const QWidget*>())
        widgets << w;
    for (const QWidget* w : widgets) {
        if (!w->isVisibleTo(&root) && w != &root)
            continue;
        const std::optional<ShownText> shown = shownText(*w);
        if (!shown)
            continue;
        const double ratio = contrast(shown->fore, shown->back);
        if (ratio < Readable)
            faults << u"%1: %2 (\"%3\"%4): %5 op %6 is %7:1, minder dan 4,5:1"_s.arg(
                name, nameOf(*w), withoutAccessKey(shown->text).left(40),
                w->isEnabled() ? QString() : u", uitgeschakeld"_s, shown->fore.name(), shown->back.name(),
                QString::number(ratio, 'f', 2));
    }
    return faults;
}

QStringList storingDefaultFaults(const QString& name, const QWidget& dialog, const QStringList& storing)
{
    QStringList faults;
    for (const QPushButton* b : dialog.findChildren<const QPushButton*>()) {
        if (!b->isDefault() || !b->isVisibleTo(&dialog))
            continue;
        if (saysItStores(b->text()) || storing.contains(b->objectName()))
            faults << u"%1: %2 (\"%3\") is de standaardknop en slaat op of verwijdert: Enter doet dat zonder "
                      "dat de gebruiker het bevestigde"_s.arg(name, nameOf(*b), withoutAccessKey(b->text()));
    }
    return faults;
}

} // namespace tarvelo::testing::DialogCheck
