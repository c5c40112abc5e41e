#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QCheckBox;
class QLineEdit;

namespace tarvelo {

// Before exporting: whether the passwords go along and, if so, the password
// of the file (typed twice) that encrypts them.
class ExportSettingsDialog final : public QDialog {
public:
    explicit ExportSettingsDialog(QWidget* parent = nullptr);

    // The file's password when "Wachtwoorden meenemen" is ticked, else none.
    std::optional<QString> passphrase() const;
    // Empty when the choice can be used, else the Dutch reason.
    QString problem() const;

    void accept() override;

private:
    QCheckBox* withPasswords_;
    QLineEdit* passphrase_;
    QLineEdit* repeat_;
};

} // namespace tarvelo
