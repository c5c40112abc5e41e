#pragma once

#include <QString>
#include <functional>

namespace tarvelo {

class TextBox;
class Ui;
template <class T>
class Setting;

// The folder of a FileMaker link's software, recognised by a marker file.
struct SoftwareFolder {
    QString dialogTitle;
    QString startFolder;
    std::function<bool(const QString&)> hasMarker;
    QString message;
};

// Lets the user choose the software's folder. A cancelled choice changes
// nothing and shows nothing. A chosen folder without the marker file clears
// the stored folder and tells the user so (critical, "Onjuiste directory");
// with the marker the box shows the folder and the setting holds it.
void chooseSoftwareFolder(Ui& ui, const SoftwareFolder& folder, TextBox& box, Setting<QString>& setting);

} // namespace tarvelo
