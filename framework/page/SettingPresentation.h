#pragma once

#include "TarveloExport.h"

#include <QJsonObject>
#include <QMap>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>
#include <utility>

namespace tarvelo {

class Control;
class SettingBase;

// How one declared setting reads for a person: the caption the screen gives
// it, the page that shows it, and how its stored value is shown there (a
// combo's item text, "Ja"/"Nee", an amount, the ticked captions of a bit set,
// the number of records of a list). Learned from the control a page binds it
// to, else from what its block declares.
struct TARVELO_EXPORT SettingPresentation {
    enum class Kind { Text, YesNo, Choice, Bits, Records };

    QString object;       // "Setup" or "GlobalSetup"
    QString name;         // the declared name
    QString caption;      // as shown everywhere: the field's caption, with its frame's where ambiguous
    QString fieldCaption; // the control's own caption or its label's
    QString frameCaption; // the caption of the frame that holds the control, if any
    QString page;         // class name of the page that shows it
    QString pageTitle;
    QString control; // the control that shows it, for going there
    int controlIndex = -1;

    Kind kind = Kind::Text;
    QMetaType type;
    bool secret = false;
    bool amount = false;
    bool percent = false;
    bool inverted = false;
    // Choice: stored value (after toControl) -> the text the screen shows; for
    // bit sets, bit number -> the caption of its box.
    QMap<qint64, QString> choices;
    // How the page turns the stored value into the control's, where it does.
    std::function<QVariant(const QVariant&)> toControl;
    QString one, many; // a record list's records

    bool known() const { return !caption.isEmpty() && !page.isEmpty(); }
};

// What the block declares of a setting: its type and units, and its caption
// and page where no control shows it.
TARVELO_EXPORT SettingPresentation declaredPresentation(const SettingBase& setting, const QString& object);

// The caption a person reads for a control: a check box's own caption, else
// the label that names the field (its buddy: the page or its row layout pairs
// them), else the caption of its frame. Without access keys and a trailing
// colon.
TARVELO_EXPORT QString fieldCaption(const Control& control);
// The caption of the frame that holds the control, or empty.
TARVELO_EXPORT QString frameCaptionOf(const Control& control);

// The caption in a list where the user's and the office's settings mix: an
// office-wide setting says so ("Bedrijfslogo tonen (kantoor)").
TARVELO_EXPORT QString listedCaption(const SettingPresentation& p);

// A stored value as the screen shows it. Secrets read "(gewijzigd)".
TARVELO_EXPORT QString shownValue(const SettingPresentation& p, const QVariant& value);
// The stored value for a text as the screen shows it ("Ja", "Wekelijks",
// "31-01-2026"), for whoever types the screen's words instead of the stored
// value; nothing when the text is not one of them.
TARVELO_EXPORT std::optional<QVariant> storedFromShown(const SettingPresentation& p, const QString& text);
// The same from the text a change history keeps ("true", "2", "2024-01-31",
// a record list's JSON); nothing reads "(leeg)".
TARVELO_EXPORT QString shownValueText(const SettingPresentation& p, const std::optional<QString>& text);
// A change from one stored text to another, both sides as the screen shows
// them; a record list's new side says what was added, changed or removed.
TARVELO_EXPORT std::pair<QString, QString>
shownChange(const SettingPresentation& p, const std::optional<QString>& before, const std::optional<QString>& after);

// One record of a record list as the screen reads it: the record named
// ("Notariskantoor 'Notaris De Vries'"), and its fields, each as its dialog
// calls it ("Telefoonnummer: 020 123 45 67"); only the fields named, or all.
TARVELO_EXPORT QString recordCaption(const SettingPresentation& p, const QJsonObject& record);
TARVELO_EXPORT QString recordFieldsText(const SettingPresentation& p, const QJsonObject& record,
                                        const QStringList& fields = {});

} // namespace tarvelo
