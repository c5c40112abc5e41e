#include "tests/app/LayoutCheck.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTreeView>
#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace tarvelo::testing {

namespace {

// One row of a page: a text box's height and the gap below it.
constexpr int RowPixels = 27;

QString nameOf(const QWidget& w)
{
    return w.objectName().isEmpty() ? QString::fromLatin1(w.metaObject()->className()) : w.objectName();
}

// Markers, tooltips and the parts Qt adds inside a control are not controls of the form.
bool isControl(const QWidget& w)
{
    return !w.objectName().isEmpty() && !w.objectName().startsWith(u"qt_"_s) &&
           !w.objectName().endsWith(u"_markering"_s) && !w.isWindow();
}

std::vector<const QWidget*> visibleControls(const QWidget& parent)
{
    std::vector<const QWidget*> found;
    for (const QObject* child : parent.children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        if (w && isControl(*w) && w->isVisibleTo(&parent) && w->width() > 0 && w->height() > 0)
            found.push_back(w);
    }
    return found;
}

void checkCaption(const QWidget& w, const QString& where, QStringList& faults)
{
    const auto report = [&](const QString& what) { faults << u"%1: %2: %3"_s.arg(where, nameOf(w), what); };
    if (const auto* label = qobject_cast<const QLabel*>(&w)) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            return;
        if (label->wordWrap()) {
            if (label->heightForWidth(label->width()) > label->height() + 1)
                report(u"tekst afgekapt (%1 van %2 pixels hoog)"_s.arg(label->height()).arg(label->heightForWidth(label->width())));
        } else {
            const int needed = label->fontMetrics().horizontalAdvance(label->text().split(u'\n').first());
            if (needed > label->contentsRect().width() + 1)
                report(u"tekst afgekapt (%1 van %2 pixels breed)"_s.arg(label->contentsRect().width()).arg(needed));
        }
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(&w)) {
        if (button->text().isEmpty())
            return;
        QString shown = button->text();
        shown.remove(u'&');
        int needed = button->fontMetrics().horizontalAdvance(shown);
        if (qobject_cast<const QCheckBox*>(button) || qobject_cast<const QRadioButton*>(button))
            needed += button->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                      button->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
        else
            needed += 8;
        if (needed > button->width() + 1)
            report(u"opschrift afgekapt (%1 van %2 pixels breed)"_s.arg(button->width()).arg(needed));
    } else if (const auto* box = qobject_cast<const QGroupBox*>(&w)) {
        const int needed = box->fontMetrics().horizontalAdvance(box->title()) + 16;
        if (!box->title().isEmpty() && needed > box->width())
            report(u"kader-opschrift afgekapt"_s);
    } else if (const auto* combo = qobject_cast<const QComboBox*>(&w)) {
        // An entry may carry its identifier after a run of spaces, out of sight.
        const QString shown = combo->currentText().section(u"   "_s, 0, 0);
        const int needed = combo->fontMetrics().horizontalAdvance(shown) + 28;
        if (!shown.isEmpty() && needed > combo->width() + 1)
            report(u"keuze afgekapt (%1 van %2 pixels breed)"_s.arg(combo->width()).arg(needed));
    }
}

void checkColumns(const QWidget& w, const QString& where, QStringList& faults)
{
    const auto* tree = qobject_cast<const QTreeView*>(&w);
    if (!tree || tree->header()->isHidden())
        return;
    const QHeaderView* header = tree->header();
    for (int i = 0; i < header->count(); ++i) {
        if (header->isSectionHidden(i) || header->sectionSize(i) == 0)
            continue;
        const QString text = tree->model() ? tree->model()->headerData(i, Qt::Horizontal).toString() : QString();
        const int needed = header->fontMetrics().horizontalAdvance(text) + 8;
        if (!text.isEmpty() && header->sectionSize(i) < needed)
            faults << u"%1: %2: kolom '%3' smaller dan zijn kop"_s.arg(where, nameOf(w), text);
    }
}

void checkBands(const QGroupBox& box, const std::vector<const QWidget*>& children, const QString& where,
                QStringList& faults)
{
    std::vector<std::pair<int, int>> spans;
    for (const QWidget* c : children)
        spans.emplace_back(c->geometry().top(), c->geometry().bottom());
    if (spans.empty())
        return;
    std::sort(spans.begin(), spans.end());
    int covered = spans.front().second;
    for (const auto& [top, bottom] : spans) {
        if (top - covered > RowPixels + 1)
            faults << u"%1: %2: lege strook van %3 pixels"_s.arg(where, nameOf(box)).arg(top - covered);
        covered = std::max(covered, bottom);
    }
    if (box.height() - covered > RowPixels + 1)
        faults << u"%1: %2: lege strook van %3 pixels onderaan"_s.arg(where, nameOf(box)).arg(box.height() - covered);
}

void checkContainer(const QWidget& parent, const QString& where, QStringList& faults)
{
    const std::vector<const QWidget*> children = visibleControls(parent);
    for (std::size_t i = 0; i < children.size(); ++i) {
        const QWidget& a = *children[i];
        checkCaption(a, where, faults);
        checkColumns(a, where, faults);
        if (!parent.rect().contains(a.geometry()))
            faults << u"%1: %2: buiten %3"_s.arg(where, nameOf(a), nameOf(parent));
        for (std::size_t j = i + 1; j < children.size(); ++j) {
            const QWidget& b = *children[j];
            if (a.geometry().intersects(b.geometry()))
                faults << u"%1: %2 overlapt %3"_s.arg(where, nameOf(a), nameOf(b));
        }
        // Frames and drawn forms hold controls; other widgets are one control.
        if (qobject_cast<const QGroupBox*>(&a) || a.metaObject() == &QWidget::staticMetaObject)
            checkContainer(a, where, faults);
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(&parent))
        checkBands(*box, children, where, faults);
}

} // namespace

QStringList layoutFaults(const QWidget& form, const QString& formName)
{
    QStringList faults;
    checkContainer(form, formName, faults);
    return faults;
}

} // namespace tarvelo::testing
