#include "app/ExportSettingsDialog.h"

#include "app/render/AccessKeys.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

using namespace Qt::StringLiterals;

namespace tarvelo {

ExportSettingsDialog::ExportSettingsDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"frmExporteren"_s);
    setWindowTitle(u"Instellingen exporteren"_s);
    auto* intro = new QLabel(u"Alle instellingen van de gebruiker en van het kantoor worden in één bestand "
                             "gezet. Wachtwoorden gaan alleen mee als u dat kiest; ze worden dan "
                             "versleuteld met een wachtwoord voor het bestand."_s,
                             this);
    intro->setWordWrap(true);
    withPasswords_ = new QCheckBox(u"&Wachtwoorden meenemen"_s, this);
    withPasswords_->setObjectName(u"chkWachtwoorden"_s);
    passphrase_ = new QLineEdit(this);
    passphrase_->setObjectName(u"txtWachtwoord"_s);
    passphrase_->setEchoMode(QLineEdit::Password);
    repeat_ = new QLineEdit(this);
    repeat_->setObjectName(u"txtHerhaal"_s);
    repeat_->setEchoMode(QLineEdit::Password);
    // Fields wide enough for a passphrase of some length.
    for (QLineEdit* field : {passphrase_, repeat_})
        field->setMinimumWidth(fontMetrics().averageCharWidth() * 32);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    auto* passphraseLabel = new QLabel(u"Wachtwoord voor het &bestand"_s, this);
    passphraseLabel->setBuddy(passphrase_);
    auto* repeatLabel = new QLabel(u"&Herhaal het wachtwoord"_s, this);
    repeatLabel->setBuddy(repeat_);
    form->addRow(passphraseLabel, passphrase_);
    form->addRow(repeatLabel, repeat_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(u"Exporteren..."_s);
    buttons->button(QDialogButtonBox::Cancel)->setText(u"Annuleren"_s);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(withPasswords_);
    layout->addLayout(form);
    layout->addWidget(buttons);
    // A label greys with its field.
    const auto follow = [this, passphraseLabel, repeatLabel] {
        for (QWidget* w : std::initializer_list<QWidget*>{passphrase_, repeat_, passphraseLabel, repeatLabel})
            w->setEnabled(withPasswords_->isChecked());
    };
    follow();
    giveAccessKeys(*this);
    QObject::connect(withPasswords_, &QCheckBox::toggled, this, follow);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // The introduction wraps at the dialog's width and is shown whole: the
    // dialog is as tall as the wrapped text needs at that width.
    const int width = std::max(minimumSizeHint().width(), fontMetrics().averageCharWidth() * 64);
    setMinimumWidth(width);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    resize(width, heightForWidth(width) > 0 ? heightForWidth(width) : sizeHint().height());
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
        return u"Vul een wachtwoord voor het bestand in."_s;
    if (passphrase_->text() != repeat_->text())
        return u"De twee wachtwoorden zijn niet gelijk."_s;
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
