#pragma once

#include <QDialog>
#include <QString>
#include <vector>

class QComboBox;

namespace tarvelo {

struct SettingConflict;
struct SettingPresentation;

// One setting that the user changed here and another workstation stored
// differently meanwhile, in the words of the screen.
struct ConflictLine {
    QString page;
    QString caption;
    QString started; // the value this window started from
    QString theirs;  // the other workstation's value
    QString mine;    // the user's own value
    bool keepMine = true;
};

// One record of a list both workstations touched: the record named, and the
// fields that differ between the versions as its dialog calls them; a version
// that removed it reads "(verwijderd)".
ConflictLine recordConflictLine(const SettingPresentation& list, const SettingConflict& conflict);

// Asks, before saving, which value to keep of each such setting: the user's
// own or the other workstation's. "Opslaan" accepts the choices, "Annuleren"
// saves nothing and leaves every edit in the window.
class ConflictDialog final : public QDialog {
public:
    ConflictDialog(const std::vector<ConflictLine>& lines, QWidget* parent = nullptr);

    // The lines with the user's choices.
    std::vector<ConflictLine> chosen() const;
    // Chooses for line i as the user would in its list.
    void choose(int line, bool keepMine);

private:
    std::vector<ConflictLine> lines_;
    std::vector<QComboBox*> choices_;
};

} // namespace tarvelo
