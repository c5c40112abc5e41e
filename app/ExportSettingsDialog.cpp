#include "app/ExportSettingsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvelo {

ExportSettingsDialog::ExportSettingsDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmExporteren"));
    setWindowTitle(QStringLiteral("Instellingen exporteren"));
    auto* intro = new QLabel(QStringLiteral("Alle instellingen van de gebruiker en van het kantoor worden in één bestand "
                                            "gezet. Wachtwoorden gaan alleen mee als u dat kiest; ze worden dan "
                                            "versleuteld met een wachtwoord voor het bestand."),
                             this);
    intro->setWordWrap(true);
    withPasswords_ = new QCheckBox(QStringLiteral("Wachtwoorden meenemen"), this);
    withPasswords_->setObjectName(QStringLiteral("chkWachtwoorden"));
    passphrase_ = new QLineEdit(this);
    passphrase_->setObjectName(QStringLiteral("txtWachtwoord"));
    passphrase_->setEchoMode(QLineEdit::Password);
    repeat_ = new QLineEdit(this);
    repeat_->setObjectName(QStringLiteral("txtHerhaal"));
    repeat_->setEchoMode(QLineEdit::Password);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Wachtwoord voor het bestand"), passphrase_);
    form->addRow(QStringLiteral("Herhaal het wachtwoord"), repeat_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Exporteren..."));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuleren"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(withPasswords_);
    layout->addLayout(form);
    layout->addWidget(buttons);
    const auto follow = [this] {
        passphrase_->setEnabled(withPasswords_->isChecked());
        repeat_->setEnabled(withPasswords_->isChecked());
    };
    follow();
    QObject::connect(withPasswords_, &QCheckBox::toggled, this, follow);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::optional<QString> ExportSettingsDialog::passphrase() const
{
    if (!withPasswords_->isChecked())
        return std::nullopt;
    return passphrase_->text();
}

QString ExportSettingsDialog::problem() const
{
    if (!withPasswords_->isChecked())
        return {};
    if (passphrase_->text().isEmpty())
        return QStringLiteral("Vul een wachtwoord voor het bestand in.");
    if (passphrase_->text() != repeat_->text())
        return QStringLiteral("De twee wachtwoorden zijn niet gelijk.");
    return {};
}

void ExportSettingsDialog::accept()
{
    if (const QString why = problem(); !why.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), why);
        passphrase_->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace tarvelo
