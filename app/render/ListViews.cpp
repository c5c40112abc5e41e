#include "app/render/ListViews.h"

#include "framework/forms/ComboBox.h"
#include "framework/forms/ListBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>
#include <QStyleOptionComboBox>

using namespace Qt::StringLiterals;

namespace tarvelo {

ComboBoxView::ComboBoxView(FormView& owner, ComboBox& combo, QWidget* parent)
    : FieldView(owner, combo),
      combo_(combo),
      box_(new QComboBox(parent))
{
    box_->setMaxVisibleItems(16);
    setWidget(box_);
    QObject::connect(box_, &QComboBox::activated, this,
                     [this](int index) { forward([this, index] { combo_.select(index); }); });
}

void ComboBoxView::syncProperty(Property property)
{
    switch (property) {
    case Property::Other: {
        const bool editable = combo_.style() == ComboBox::Style::DropDownCombo;
        if (box_->isEditable() != editable) {
            box_->setEditable(editable);
            if (editable) {
                box_->setInsertPolicy(QComboBox::NoInsert);
                QObject::connect(box_->lineEdit(), &QLineEdit::textEdited, this,
                                 [this](const QString& text) { forward([this, text] { combo_.type(text); }); });
            }
        }
        box_->view()->setMinimumWidth(combo_.droppedWidth());
        break;
    }
    case Property::Items:
    case Property::Selection:
    case Property::Text: scheduleLists(); break;
    default: break;
    }
}

int ComboBoxView::markerInset() const
{
    // Inside a combo a marker sits before the drop-down arrow.
    QStyleOptionComboBox option;
    option.initFrom(box_);
    option.editable = box_->isEditable();
    const QRect arrow = box_->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, box_);
    return box_->width() - arrow.left() + 12;
}

void ComboBoxView::showMarkerState(SettingMarker) { showNoChoice(); }

// A locked setting whose stored value is none of the entries says so, where
// an empty box would read as nothing to see; a free one waits for a choice.
void ComboBoxView::showNoChoice()
{
    const bool say = combo_.listIndex() < 0 && !box_->isEditable() && combo_.settingMarker() == SettingMarker::Locked;
    box_->setPlaceholderText(say ? u"(geen keuze)"_s : QString());
}

namespace {
// An entry without the identifier that follows it after a run of spaces.
QString spokenEntry(const QString& text)
{
    const qsizetype run = text.indexOf(u"          "_s);
    return run > 0 ? text.left(run).trimmed() : text;
}
} // namespace

void ComboBoxView::syncLists()
{
    silently([this] {
        const int count = combo_.listCount();
        // A list to choose from shows an entry without the identifier it
        // carries out of sight, so that a screen reader reads what the user
        // sees; the entry itself stays the page's.
        const auto shown = [this](int i) { return box_->isEditable() ? combo_.list(i) : spokenEntry(combo_.list(i)); };
        bool same = box_->count() == count;
        for (int i = 0; same && i < count; ++i)
            same = box_->itemText(i) == shown(i);
        if (!same) {
            QStringList texts;
            texts.reserve(count);
            for (int i = 0; i < count; ++i)
                texts << shown(i);
            box_->clear();
            box_->addItems(texts);
        }
        box_->setCurrentIndex(combo_.listIndex());
        showNoChoice();
        if (box_->isEditable() && box_->currentText() != combo_.text())
            box_->setEditText(combo_.text());
    });
}

ListBoxView::ListBoxView(FormView& owner, ListBox& list, QWidget* parent)
    : FieldView(owner, list),
      list_(list),
      listWidget_(new QListWidget(parent))
{
    listWidget_->setUniformItemSizes(true);
    setWidget(listWidget_);
    watch(listWidget_->viewport());
    // A click selects (or toggles, in a multi-select list); the keyboard moves
    // the selection of a single-select list.
    QObject::connect(listWidget_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        forward([this, item] { list_.select(listWidget_->row(item)); });
    });
    QObject::connect(listWidget_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && QApplication::mouseButtons() == Qt::NoButton &&
            list_.multiSelect() == ListBox::MultiSelect::None)
            forward([this, row] { list_.select(row); });
    });
    QObject::connect(listWidget_, &QListWidget::itemDoubleClicked, this,
                     [this](QListWidgetItem*) { forward([this] { list_.doubleClick(); }); });
}

void ListBoxView::syncProperty(Property property)
{
    switch (property) {
    case Property::Other:
        listWidget_->setSelectionMode(list_.multiSelect() == ListBox::MultiSelect::None
                                          ? QAbstractItemView::SingleSelection
                                          : QAbstractItemView::MultiSelection);
        break;
    case Property::Items:
        shownCount_ = -1;
        scheduleLists();
        break;
    case Property::Selection: scheduleLists(); break;
    default: break;
    }
}

void ListBoxView::syncLists()
{
    silently([this] {
        const int count = list_.listCount();
        if (shownCount_ != count || listWidget_->count() != count) {
            QStringList texts;
            texts.reserve(count);
            for (int i = 0; i < count; ++i)
                texts << list_.list(i);
            listWidget_->clear();
            listWidget_->addItems(texts);
            shownCount_ = count;
        } else {
            for (int i = 0; i < count; ++i) {
                if (listWidget_->item(i)->text() != list_.list(i))
                    listWidget_->item(i)->setText(list_.list(i));
            }
        }
        const QSignalBlocker blockSelection(listWidget_->selectionModel());
        for (int i = 0; i < count; ++i)
            listWidget_->item(i)->setSelected(list_.selected(i));
        listWidget_->setCurrentRow(list_.listIndex(), QItemSelectionModel::NoUpdate);
    });
}

} // namespace tarvelo
