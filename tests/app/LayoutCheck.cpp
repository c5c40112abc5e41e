#include "tests/app/LayoutCheck.h"

#include "framework/util/AccessKey.h"

#include "app/render/TextBaseline.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTreeView>
#include <algorithm>
#include <map>
#include <vector>

using namespace Qt::StringLiterals;

namespace tarvelo::testing {

namespace {

// One row of a page: a text box's height and the gap below it.
constexpr int RowPixels = 27;
// The room a frame keeps free left and right of its contents.
constexpr int FrameMarginPixels = 12;

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
                report(u"tekst afgekapt (%1 van %2 pixels hoog)"_s.arg(label->height())
                           .arg(label->heightForWidth(label->width())));
        } else {
            // A label that names a field draws its access key's "&" as an underline.
            const QString shown = label->buddy() ? withoutAccessKey(label->text()) : label->text();
            const int needed = label->fontMetrics().horizontalAdvance(shown.split(u'\n').first());
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

bool besideEachOther(const QRect& a, const QRect& b) { return a.top() <= b.bottom() && b.top() <= a.bottom(); }

// A label writes on the baseline of the one-line field it names beside it.
void checkBaseline(const QWidget& w, const QString& where, QStringList& faults)
{
    const auto* label = qobject_cast<const QLabel*>(&w);
    if (!label || !label->buddy() || label->wordWrap() || label->text().contains(u'\n') ||
        label->textFormat() == Qt::RichText || !label->buddy()->isVisibleTo(label->window()))
        return;
    const QWidget& field = *label->buddy();
    if (field.parentWidget() != label->parentWidget() || !besideEachOther(label->geometry(), field.geometry()))
        return;
    const int fieldBaseline = fieldTextBaseline(field, field.size());
    if (fieldBaseline < 0)
        return;
    const int off = (label->y() + labelTextBaseline(*label)) - (field.y() + fieldBaseline);
    if (std::abs(off) > 1)
        faults << u"%1: %2: %3 pixels %4 de basislijn van %5"_s.arg(where, nameOf(w))
                      .arg(std::abs(off))
                      .arg(off < 0 ? u"boven"_s : u"onder"_s, nameOf(field));
}

// A list fills its frame's width, less the frame's margins, unless it shares
// its row with other controls.
void checkListWidth(const QWidget& list, const std::vector<const QWidget*>& siblings, const QWidget& parent,
                    const QString& where, QStringList& faults)
{
    if (!qobject_cast<const QAbstractItemView*>(&list) || !qobject_cast<const QGroupBox*>(&parent))
        return;
    for (const QWidget* other : siblings) {
        if (other != &list && besideEachOther(other->geometry(), list.geometry()))
            return;
    }
    const int room = parent.width() - 2 * FrameMarginPixels;
    if (list.width() < room - 2)
        faults << u"%1: %2: lijst %3 van %4 pixels breed in %5"_s.arg(where, nameOf(list))
                      .arg(list.width())
                      .arg(room)
                      .arg(nameOf(parent));
}

void checkContainer(const QWidget& parent, const QString& where, QStringList& faults)
{
    const std::vector<const QWidget*> children = visibleControls(parent);
    for (std::size_t i = 0; i < children.size(); ++i) {
        const QWidget& a = *children[i];
        checkCaption(a, where, faults);
        checkColumns(a, where, faults);
        checkBaseline(a, where, faults);
        checkListWidth(a, children, parent, where, faults);
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

namespace {

// Where the fields of a frame's labelled rows begin, in the page's
// coordinates: the field beside each label that starts its row, and the field
// right after a check box that starts its row (the box switches it on).
struct FieldStart {
    const QWidget* field;
    int x;
    bool afterCheckBox; // switched on by the check box before it
};
using FieldStarts = std::vector<FieldStart>;
using FieldColumns = std::vector<std::pair<const QWidget*, FieldStarts>>;

bool isField(const QWidget& w) { return qobject_cast<const QLineEdit*>(&w) || qobject_cast<const QComboBox*>(&w); }

// The field a row's first control names: a label's buddy beside it, or the
// field right after a check box.
const QWidget* namedField(const QWidget& c, const std::vector<const QWidget*>& row)
{
    if (const auto* label = qobject_cast<const QLabel*>(&c)) {
        const QWidget* buddy = label->buddy();
        if (buddy && buddy->parentWidget() == c.parentWidget() && besideEachOther(c.geometry(), buddy->geometry()))
            return buddy;
        return nullptr;
    }
    if (!qobject_cast<const QCheckBox*>(&c))
        return nullptr;
    const QWidget* next = nullptr;
    for (const QWidget* other : row) {
        if (other != &c && other->x() > c.x() && besideEachOther(other->geometry(), c.geometry()) &&
            (!next || other->x() < next->x()))
            next = other;
    }
    return next && isField(*next) ? next : nullptr;
}

void collectFieldColumns(const QWidget& page, const QWidget& parent, FieldColumns& columns, const QWidget* frame)
{
    const std::vector<const QWidget*> children = visibleControls(parent);
    for (const QWidget* c : children) {
        if (qobject_cast<const QGroupBox*>(c)) {
            collectFieldColumns(page, *c, columns, c);
            continue;
        }
        const QWidget* field = frame ? namedField(*c, children) : nullptr;
        if (!field)
            continue;
        // Only a label or box that starts its row.
        const bool starts = std::none_of(children.begin(), children.end(), [&](const QWidget* other) {
            return other != c && other->x() < c->x() && besideEachOther(other->geometry(), c->geometry());
        });
        if (!starts)
            continue;
        if (columns.empty() || columns.back().first != frame)
            columns.emplace_back(frame, FieldStarts{});
        columns.back().second.push_back(
            {field, field->mapTo(&page, QPoint(0, 0)).x(), qobject_cast<const QCheckBox*>(c) != nullptr});
    }
}

} // namespace

QStringList pageLayoutFaults(const QWidget& page, const QString& pageName)
{
    QStringList faults = layoutFaults(page, pageName);
    FieldColumns columns;
    collectFieldColumns(page, page, columns, nullptr);
    const QWidget* first = nullptr;
    int firstColumn = 0;
    for (const auto& [frame, starts] : columns) {
        // The column most of the frame's rows use.
        std::map<int, int> count;
        for (const FieldStart& start : starts) {
            if (!start.afterCheckBox)
                ++count[start.x];
        }
        if (count.empty())
            continue;
        const int column = std::max_element(count.begin(), count.end(), [](const auto& a, const auto& b) {
                               return a.second < b.second;
                           })->first;
        if (!first) {
            first = frame;
            firstColumn = column;
        } else if (std::abs(column - firstColumn) > 1) {
            faults << u"%1: %2: velden beginnen op %3 pixels, in %4 op %5"_s.arg(pageName, nameOf(*frame))
                          .arg(column)
                          .arg(nameOf(*first))
                          .arg(firstColumn);
        }
        // A labelled field may start a column of its own (amounts beside
        // their choices); a field after a check box stands where a label's would.
        for (const FieldStart& start : starts) {
            if (start.afterCheckBox && std::abs(start.x - column) > 1)
                faults << u"%1: %2: begint op %3 pixels, de andere velden van %4 op %5"_s
                              .arg(pageName, nameOf(*start.field))
                              .arg(start.x)
                              .arg(nameOf(*frame))
                              .arg(column);
        }
    }
    return faults;
}

QStringList sidewaysFaults(const QScrollArea& pane, const QWidget& page, const QString& pageName)
{
    const int room = pane.viewport()->width();
    const QWidget* shown = pane.widget();
    if (!shown || shown->width() <= room)
        return {};
    // The control that reaches furthest to the right, a field or button
    // before the frame that holds it.
    const QWidget* widest = &page;
    int reach = 0;
    for (const bool leavesOnly : {true, false}) {
        for (const QWidget* w : page.findChildren<const QWidget*>()) {
            const bool holder = qobject_cast<const QGroupBox*>(w) || w->metaObject() == &QWidget::staticMetaObject;
            if (!isControl(*w) || !w->isVisibleTo(&page) || (leavesOnly && holder))
                continue;
            const int right = w->mapTo(shown, QPoint(w->width(), 0)).x();
            if (right > reach) {
                reach = right;
                widest = w;
            }
        }
        if (reach > room)
            break;
    }
    return {u"%1: %2: schuift zijwaarts (%3 pixels breed in een paneel van %4)"_s.arg(pageName, nameOf(*widest))
                .arg(shown->width())
                .arg(room)};
}

QStringList layoutFaults(const QWidget& form, const QString& formName)
{
    QStringList faults;
    checkContainer(form, formName, faults);
    return faults;
}

} // namespace tarvelo::testing
