#pragma once

#include "TarveloExport.h"

#include "framework/forms/Colour.h"
#include "framework/forms/Font.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tarvelo {

class Form;

// Buttons, icons and answers with the numbers of the classic message box.
enum class MsgButtons { OK = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5 };
enum class MsgIcon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum class MsgResult { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct TARVELO_EXPORT MessageBoxRequest {
    QString text;
    MsgButtons buttons = MsgButtons::OK;
    MsgIcon icon = MsgIcon::None;
    QString caption;
    int defaultButton = 1; // 1, 2 or 3
};

// The folder picker's options; the Qt dialog honours what it can.
struct TARVELO_EXPORT FolderRequest {
    QString title;
    QString initialFolder;
    bool includeFiles = false;
    bool allowNewFolder = true;
    bool showEditBox = false;
};

struct TARVELO_EXPORT FileRequest {
    QString title;
    QString initialFolder;
    QString fileName;
    QString filter; // "Tekstbestanden (*.txt)|*.txt|Alle bestanden (*.*)|*.*"
    QString defaultExtension;
};

enum class MousePointer { Default = 0, Hourglass = 11 };

// Everything that waits for a person, and what depends on the screen, goes
// through this one interface: pages stay runnable without a display.
class TARVELO_EXPORT Ui {
public:
    virtual ~Ui() = default;

    virtual MsgResult messageBox(const MessageBoxRequest& request) = 0;
    MsgResult msgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& caption,
                     int defaultButton = 1)
    {
        return messageBox({text, buttons, icon, caption, defaultButton});
    }

    // An empty answer when the user cancelled.
    virtual std::optional<QString> chooseFolder(const FolderRequest& request) = 0;
    virtual std::optional<QString> chooseOpenFile(const FileRequest& request) = 0;
    virtual std::optional<QString> chooseSaveFile(const FileRequest& request) = 0;
    virtual std::optional<Colour> chooseColour(Colour initial) = 0;

    // Shows a dialog and returns when it is hidden.
    virtual void showModal(Form& form) = 0;

    // Lets user-interface events that are waiting run (a repaint, a pending edit).
    virtual void doEvents() = 0;

    virtual MousePointer mousePointer() const = 0;
    virtual void setMousePointer(MousePointer pointer) = 0;

    virtual void openAddress(const QString& address) = 0;

    // Screen resolution as twips per pixel (15 at 96 DPI).
    virtual int twipsPerPixelX() const = 0;
    virtual int twipsPerPixelY() const = 0;
    virtual int screenWidthPixels() const = 0;

    // Width of a text in twips when drawn in font.
    virtual int textWidth(const QString& text, const Font& font) const = 0;
};

} // namespace tarvelo
