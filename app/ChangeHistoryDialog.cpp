#include "app/ChangeHistoryDialog.h"

#include "app/render/AccessKeys.h"

#include "app/ColumnFit.h"
#include "app/PageSearch.h"
#include "app/PlainText.h"
#include "framework/ui/Ui.h"
#include "host/admin/SettingCatalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSet>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int EntryRole = Qt::UserRole;

QString csvField(const QString& text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    return u"\""_s + QString(text).replace(u"\""_s, u"\"\""_s) + u"\""_s;
}
} // namespace

ChangeHistoryDialog::ChangeHistoryDialog(const QString& caption, std::vector<ChangeEntry> entries,
                                         const SettingCatalogue& catalogue, QHash<QString, QString> pageTitles, Ui& ui,
                                         QWidget* parent)
    : QDialog(parent),
      entries_(std::move(entries)),
      catalogue_(catalogue),
      pageTitles_(std::move(pageTitles)),
      ui_(ui),
      caption_(caption),
      list_(new QTreeWidget(this))
{
    setObjectName(u"frmWijzigingen"_s);
    setWindowTitle(caption);
    list_->setObjectName(u"lvwWijzigingen"_s);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    QStringList headers(Columns);
    headers[Nr] = u"Nr."_s;
    headers[When] = u"Datum en tijd"_s;
    headers[Setting] = u"Instelling"_s;
    headers[OldValue] = u"Oude waarde"_s;
    headers[NewValue] = u"Nieuwe waarde"_s;
    headers[Adviser] = u"Adviseur"_s;
    headers[Page] = u"Pagina"_s;
    headers[How] = u"Gewijzigd via"_s;
    headers[Name] = u"Naam"_s;
    headers[StoredOld] = u"Opgeslagen oude waarde"_s;
    headers[StoredNew] = u"Opgeslagen nieuwe waarde"_s;
    list_->setHeaderLabels(headers);

    page_ = new QComboBox(this);
    page_->setObjectName(u"cboPagina"_s);
    adviser_ = new QComboBox(this);
    adviser_->setObjectName(u"cboAdviseur"_s);
    setting_ = new QLineEdit(this);
    setting_->setObjectName(u"txtInstelling"_s);
    setting_->setPlaceholderText(u"Naam of opschrift"_s);
    setting_->setClearButtonEnabled(true);
    period_ = new QCheckBox(u"Periode"_s, this);
    period_->setObjectName(u"chkPeriode"_s);
    from_ = new QDateEdit(QDate::currentDate().addMonths(-1), this);
    from_->setObjectName(u"datVan"_s);
    to_ = new QDateEdit(QDate::currentDate(), this);
    to_->setObjectName(u"datTot"_s);
    for (QDateEdit* d : {from_, to_}) {
        d->setDisplayFormat(u"dd-MM-yyyy"_s);
        d->setCalendarPopup(true);
        d->setEnabled(false);
    }
    auto* filters = new QGridLayout;
    const auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    filters->addWidget(label(u"&Pagina"_s, page_), 0, 0);
    filters->addWidget(page_, 0, 1);
    filters->addWidget(label(u"A&dviseur"_s, adviser_), 0, 2);
    filters->addWidget(adviser_, 0, 3);
    filters->addWidget(label(u"&Instelling"_s, setting_), 1, 0);
    filters->addWidget(setting_, 1, 1);
    auto* periodRow = new QHBoxLayout;
    periodRow->addWidget(period_);
    periodRow->addWidget(from_);
    periodRow->addWidget(new QLabel(u"tot en met"_s, this));
    periodRow->addWidget(to_);
    periodRow->addStretch();
    filters->addLayout(periodRow, 1, 2, 1, 2);
    filters->setColumnStretch(1, 1);
    filters->setColumnStretch(3, 1);

    codeNames_ = new QCheckBox(u"Namen en opgeslagen waarden tonen"_s, this);
    codeNames_->setObjectName(u"chkNamen"_s);
    none_ = new QLabel(u"Er zijn nog geen wijzigingen opgeslagen."_s, this);
    none_->setObjectName(u"lblGeenWijzigingen"_s);

    auto* buttons = new QDialogButtonBox(this);
    revert_ = buttons->addButton(u"Deze wijziging terugdraaien"_s, QDialogButtonBox::ActionRole);
    revert_->setObjectName(u"cmdTerugdraaien"_s);
    export_ = buttons->addButton(u"Exporteren..."_s, QDialogButtonBox::ActionRole);
    export_->setObjectName(u"cmdExporteren"_s);
    QPushButton* close = buttons->addButton(u"Sluiten"_s, QDialogButtonBox::RejectRole);
    close->setObjectName(u"cmdSluiten"_s);
    // Enter, also in the filter boxes, closes the list: taking a change back
    // is a button the user presses on purpose.
    revert_->setAutoDefault(false);
    export_->setAutoDefault(false);
    close->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(none_);
    layout->addWidget(list_, 1);
    layout->addWidget(codeNames_);
    layout->addWidget(buttons);

    // Tab reads the filters before the list they choose from.
    const std::vector<QWidget*> reading = {page_, adviser_, setting_, period_, from_, to_, list_, codeNames_, buttons};
    for (std::size_t i = 1; i < reading.size(); ++i)
        QWidget::setTabOrder(reading[i - 1], reading[i]);
    giveAccessKeys(*this);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    QObject::connect(page_, &QComboBox::currentIndexChanged, this, [this] { applyFilter(); });
    QObject::connect(adviser_, &QComboBox::currentIndexChanged, this, [this] { applyFilter(); });
    QObject::connect(setting_, &QLineEdit::textChanged, this, [this] { applyFilter(); });
    QObject::connect(period_, &QCheckBox::toggled, this, [this](bool on) {
        from_->setEnabled(on);
        to_->setEnabled(on);
        applyFilter();
    });
    QObject::connect(from_, &QDateEdit::dateChanged, this, [this] { applyFilter(); });
    QObject::connect(to_, &QDateEdit::dateChanged, this, [this] { applyFilter(); });
    QObject::connect(codeNames_, &QCheckBox::toggled, this, [this](bool on) { showCodeNames(on); });
    QObject::connect(list_, &QTreeWidget::currentItemChanged, this,
                     [this](QTreeWidgetItem* item) { revert_->setEnabled(item && !item->isHidden()); });
    QObject::connect(revert_, &QPushButton::clicked, this, [this] {
        QTreeWidgetItem* item = list_->currentItem();
        if (!item)
            return;
        int shown = 0;
        for (int i = 0; i < list_->topLevelItemCount(); ++i) {
            QTreeWidgetItem* row = list_->topLevelItem(i);
            if (row == item) {
                revertLine(shown);
                return;
            }
            if (!row->isHidden())
                ++shown;
        }
    });
    QObject::connect(export_, &QPushButton::clicked, this, [this] { exportChosen(); });
    fill();
    showCodeNames(false);
}

void ChangeHistoryDialog::setEntries(std::vector<ChangeEntry> entries)
{
    entries_ = std::move(entries);
    fill();
}

void ChangeHistoryDialog::fill()
{
    const QString page = page_->currentData().toString();
    const QString adviser = adviser_->currentText();
    // The page chosen stays a choice, also when it has no changes (yet).
    {
        const QSignalBlocker a(page_), b(adviser_);
        page_->clear();
        adviser_->clear();
        page_->addItem(u"Alle pagina's"_s, QString());
        adviser_->addItem(u"Alle adviseurs"_s);
        QStringList pages, advisers;
        if (!page.isEmpty())
            pages << page;
        for (const ChangeEntry& e : entries_) {
            if (!pages.contains(e.page))
                pages << e.page;
            if (!advisers.contains(e.adviserName))
                advisers << e.adviserName;
        }
        std::sort(pages.begin(), pages.end(), [this](const QString& a, const QString& b) {
            return pageTitles_.value(a, a).localeAwareCompare(pageTitles_.value(b, b)) < 0;
        });
        advisers.sort(Qt::CaseInsensitive);
        for (const QString& p : pages)
            page_->addItem(pageTitles_.value(p, p), p);
        for (const QString& a : advisers)
            adviser_->addItem(a);
        page_->setCurrentIndex(std::max(0, page_->findData(page)));
        adviser_->setCurrentIndex(std::max(0, adviser_->findText(adviser)));
    }
    list_->clear();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const ChangeEntry& e = entries_[i];
        SettingPresentation p = catalogue_.find(e.object, e.setting);
        p.secret = p.secret || e.secret;
        const auto [before, after] = shownChange(p, e.oldValue, e.newValue);
        const QString setting = listedCaption(p);
        auto* row = new QTreeWidgetItem(list_);
        row->setData(0, EntryRole, qint64(i));
        row->setText(Nr, QString::number(i + 1));
        row->setText(When, e.when.toString(u"dd-MM-yyyy HH:mm:ss"_s));
        row->setText(Adviser, e.adviserName);
        row->setText(Page, pageTitles_.value(e.page, e.page));
        row->setText(Setting, setting);
        row->setText(OldValue, listedValue(before));
        row->setText(NewValue, listedValue(after));
        row->setText(How, e.how.isEmpty() ? ChangeHistory::InWindow : e.how);
        row->setText(Name, e.object + u'.' + e.setting);
        row->setText(StoredOld, p.secret ? u"(gewijzigd)"_s : listedValue(e.oldValue.value_or(QString())));
        row->setText(StoredNew, p.secret ? u"(gewijzigd)"_s : listedValue(e.newValue.value_or(QString())));
        row->setTextAlignment(Nr, Qt::AlignRight | Qt::AlignVCenter);
        for (int c = 0; c < Columns; ++c)
            row->setToolTip(c, plainToolTip(row->text(c)));
    }
    applyFilter();
    fitColumns();
}

void ChangeHistoryDialog::filter(const QString& page, const QString& adviser, const QString& setting, const QDate& from,
                                 const QDate& to)
{
    if (!page.isEmpty() && page_->findData(page) < 0) {
        const QSignalBlocker block(page_);
        page_->addItem(pageTitles_.value(page, page), page);
    }
    page_->setCurrentIndex(std::max(0, page_->findData(page)));
    adviser_->setCurrentIndex(std::max(0, adviser_->findText(adviser)));
    setting_->setText(setting);
    const bool period = from.isValid() || to.isValid();
    if (period) {
        from_->setDate(from.isValid() ? from : QDate(2000, 1, 1));
        to_->setDate(to.isValid() ? to : QDate(9999, 12, 31));
    }
    period_->setChecked(period);
    applyFilter();
}

void ChangeHistoryDialog::applyFilter()
{
    const QString page = page_->currentData().toString();
    const QString adviser = adviser_->currentIndex() > 0 ? adviser_->currentText() : QString();
    // Accent-blind, as the window's search: "geeindigd" finds "geëindigd".
    const QString wanted = searchKey(setting_->text());
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list_->topLevelItem(i);
        const ChangeEntry& e = entries_[std::size_t(row->data(0, EntryRole).toLongLong())];
        bool shown = (page.isEmpty() || e.page == page) && (adviser.isEmpty() || e.adviserName == adviser);
        if (shown && !wanted.isEmpty())
            shown = searchKey(row->text(Setting)).contains(wanted) || searchKey(e.setting).contains(wanted);
        if (shown && period_->isChecked())
            shown = e.when.date() >= from_->date() && e.when.date() <= to_->date();
        row->setHidden(!shown);
    }
    QTreeWidgetItem* current = list_->currentItem();
    revert_->setEnabled(current && !current->isHidden());
    const int shown = shownLines();
    export_->setEnabled(shown > 0);
    const QString pageTitle = pageTitles_.value(page, page);
    setWindowTitle(page.isEmpty() ? caption_ : u"Wijzigingen – %1"_s.arg(pageTitle));
    // What an empty list means: nothing stored yet, nothing for this page, or
    // nothing that the filters let through.
    const bool pageHasNone = !page.isEmpty() && std::none_of(entries_.begin(), entries_.end(),
                                                             [&](const ChangeEntry& e) { return e.page == page; });
    none_->setText(entries_.empty() ? u"Er zijn nog geen wijzigingen opgeslagen."_s
                   : pageHasNone    ? u"Op de pagina %1 zijn nog geen wijzigingen opgeslagen."_s.arg(pageTitle)
                                    : u"Geen wijzigingen die aan de filters voldoen."_s);
    none_->setVisible(shown == 0);
}

int ChangeHistoryDialog::shownLines() const
{
    int n = 0;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        n += list_->topLevelItem(i)->isHidden() ? 0 : 1;
    return n;
}

void ChangeHistoryDialog::showCodeNames(bool on)
{
    if (codeNames_->isChecked() != on)
        codeNames_->setChecked(on);
    for (int c : {Name, StoredOld, StoredNew})
        list_->setColumnHidden(c, !on);
    fitColumns();
}

void ChangeHistoryDialog::fitColumns() { fitColumnsAndDialog(*this, *list_, 360, {720, 520}); }

const ChangeEntry* ChangeHistoryDialog::entryOf(int shownLine) const
{
    int n = 0;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list_->topLevelItem(i);
        if (row->isHidden())
            continue;
        if (n++ == shownLine)
            return &entries_[std::size_t(row->data(0, EntryRole).toLongLong())];
    }
    return nullptr;
}

bool ChangeHistoryDialog::revertLine(int i)
{
    const ChangeEntry* e = entryOf(i);
    if (!e || !onRevert)
        return false;
    const ChangeEntry chosen = *e; // the list may be refilled
    return onRevert(chosen);
}

bool ChangeHistoryDialog::exportCsv(const QString& file, QString* why) const
{
    QStringList lines;
    QStringList header;
    for (int c = 0; c < Columns; ++c)
        header << csvField(list_->headerItem()->text(c));
    lines << header.join(u';');
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list_->topLevelItem(i);
        if (row->isHidden())
            continue;
        QStringList fields;
        for (int c = 0; c < Columns; ++c)
            fields << csvField(row->text(c));
        lines << fields.join(u';');
    }
    // Written beside the file and put in its place when whole: a failed
    // export leaves no half file.
    QSaveFile out(file);
    const QByteArray bytes = "\xEF\xBB\xBF" + lines.join(u"\r\n"_s).toUtf8() + "\r\n";
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        if (why)
            *why = u"De wijzigingsgeschiedenis kan niet worden opgeslagen in %1: %2"_s.arg(
                QFileInfo(file).absoluteFilePath(), out.errorString());
        return false;
    }
    return true;
}

void ChangeHistoryDialog::exportChosen()
{
    FileRequest request;
    request.title = u"Wijzigingsgeschiedenis exporteren"_s;
    request.fileName = u"wijzigingen.csv"_s;
    request.filter = u"CSV-bestanden (*.csv)|*.csv|Alle bestanden (*.*)|*.*"_s;
    request.defaultExtension = u"csv"_s;
    const std::optional<QString> file = ui_.chooseSaveFile(request);
    if (!file)
        return;
    QString why;
    if (!exportCsv(*file, &why))
        ui_.msgBox(why, MsgButtons::OK, MsgIcon::Critical, request.title);
}

} // namespace tarvelo
