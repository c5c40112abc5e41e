#include "app/ChangeHistoryDialog.h"

#include "framework/host/Settings.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tarvelo {

QString ChangeHistoryDialog::displayValue(const std::optional<QString>& value, bool secret, const Settings& types,
                                          const QString& setting)
{
    if (secret)
        return u"(gewijzigd, niet getoond)"_s;
    if (!value || value->isEmpty())
        return u"(leeg)"_s;
    if (types.contains(setting)) {
        const QMetaType type = types.setting(setting).type();
        if (type == QMetaType::fromType<bool>())
            return *value == QLatin1String("true") ? u"Ja"_s : u"Nee"_s;
        if (type == QMetaType::fromType<QDate>()) {
            const QDate date = QDate::fromString(*value, Qt::ISODate);
            if (date.isValid())
                return date.toString(u"dd-MM-yyyy"_s);
        }
        if (type == QMetaType::fromType<double>())
            return QLocale(QLocale::Dutch, QLocale::Netherlands).toString(value->toDouble(), 'g', 15);
    }
    return *value;
}

ChangeHistoryDialog::ChangeHistoryDialog(const QString& caption, const std::vector<ChangeEntry>& entries,
                                         const Settings& types, const QHash<QString, QString>& pageTitles,
                                         QWidget* parent)
    : QDialog(parent), list_(new QTreeWidget(this))
{
    setObjectName(u"frmWijzigingen"_s);
    setWindowTitle(caption);
    list_->setObjectName(u"lvwWijzigingen"_s);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels({u"Datum en tijd"_s, u"Adviseur"_s, u"Instelling"_s,
                            u"Oude waarde"_s, u"Nieuwe waarde"_s, u"Pagina"_s});
    for (const ChangeEntry& e : entries) {
        const QString setting = e.object == ChangeHistory::GlobalSetupObject
                                    ? e.setting + u" (kantoor)"_s
                                    : e.setting;
        auto* row = new QTreeWidgetItem(list_);
        row->setText(0, e.when.toString(u"dd-MM-yyyy HH:mm:ss"_s));
        row->setText(1, e.adviserName);
        row->setText(2, setting);
        row->setText(3, displayValue(e.oldValue, e.secret, types, e.setting));
        row->setText(4, displayValue(e.newValue, e.secret, types, e.setting));
        row->setText(5, pageTitles.value(e.page, e.page));
    }
    for (int c = 0; c < list_->columnCount(); ++c)
        list_->resizeColumnToContents(c);

    auto* layout = new QVBoxLayout(this);
    if (entries.empty()) {
        auto* none = new QLabel(u"Er zijn nog geen wijzigingen opgeslagen."_s, this);
        none->setObjectName(u"lblGeenWijzigingen"_s);
        layout->addWidget(none);
    }
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(u"Sluiten"_s, QDialogButtonBox::RejectRole);
    close->setObjectName(u"cmdSluiten"_s);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(820, 420);
}

} // namespace tarvelo
