#pragma once

#include <QString>

namespace tarvelo {

class CommandButton;
class Control;

// What a button beside a field does for it.
enum class FieldButton { ChooseFolder, ChooseFile, ChooseColour, ClearFolder, ClearFile };

// The tooltip of a button beside a field says what it does, named after the
// field ("Map kiezen voor Databaselocatie", "Bestand wissen voor Logo"); a
// button whose caption is a sign ("...", "X") is read by it as well. The
// field is named by the label that names it (Label::buddy, so call this once
// the layout is declared), else by the caption given.
void describeFieldButton(CommandButton& button, FieldButton does, const Control& field,
                         const QString& fieldCaption = QString());
// The text of that tooltip.
QString fieldButtonText(FieldButton does, const QString& fieldCaption);

} // namespace tarvelo
