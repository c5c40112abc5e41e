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

namespace tarvelo {

QString ChangeHistoryDialog::displayValue(const std::optional<QString>& value, bool secret, const Settings& types,
                                          const QString& setting)
{
    if (secret)
        return QStringLiteral("(gewijzigd, niet getoond)");
    if (!value || value->isEmpty())
        return QStringLiteral("(leeg)");
    if (types.contains(setting)) {
        const QMetaType type = types.setting(setting).type();
        if (type == QMetaType::fromType<bool>())
            return *value == QLatin1String("true") ? QStringLiteral("Ja") : QStringLiteral("Nee");
        if (type == QMetaType::fromType<QDate>()) {
            const QDate date = QDate::fromString(*value, Qt::ISODate);
            if (date.isValid())
                return date.toString(QStringLiteral("dd-MM-yyyy"));
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
    setObjectName(QStringLiteral("frmWijzigingen"));
    setWindowTitle(caption);
    list_->setObjectName(QStringLiteral("lvwWijzigingen"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels({QStringLiteral("Datum en tijd"), QStringLiteral("Adviseur"), QStringLiteral("Instelling"),
                            QStringLiteral("Oude waarde"), QStringLiteral("Nieuwe waarde"), QStringLiteral("Pagina")});
    for (const ChangeEntry& e : entries) {
        const QString setting = e.object == ChangeHistory::GlobalSetupObject
                                    ? e.setting + QStringLiteral(" (kantoor)")
                                    : e.setting;
        auto* row = new QTreeWidgetItem(list_);
        row->setText(0, e.when.toString(QStringLiteral("dd-MM-yyyy HH:mm:ss")));
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
        auto* none = new QLabel(QStringLiteral("Er zijn nog geen wijzigingen opgeslagen."), this);
        none->setObjectName(QStringLiteral("lblGeenWijzigingen"));
        layout->addWidget(none);
    }
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("Sluiten"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdSluiten"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(820, 420);
}

} // namespace tarvelo
