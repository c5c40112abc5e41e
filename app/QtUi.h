#pragma once

#include "TarveloExport.h"

#include "framework/ui/Ui.h"

#include <QPointer>
#include <QWidget>

namespace tarvelo {

// The Ui of the running program: Qt message boxes with Dutch buttons, the Qt
// file, folder and colour dialogs, modal forms drawn by the renderer, and the
// screen's real resolution and fonts.
class TARVELO_EXPORT QtUi final : public Ui {
public:
    explicit QtUi(QWidget* owner = nullptr) : owner_(owner) {}

    // The window that owns message boxes and dialogs.
    void setOwner(QWidget* owner) { owner_ = owner; }

    MsgResult messageBox(const MessageBoxRequest& request) override;
    std::optional<QString> chooseFolder(const FolderRequest& request) override;
    std::optional<QString> chooseOpenFile(const FileRequest& request) override;
    std::optional<QString> chooseSaveFile(const FileRequest& request) override;
    std::optional<Colour> chooseColour(Colour initial) override;
    void showModal(Form& form) override;
    void doEvents() override;
    MousePointer mousePointer() const override { return pointer_; }
    void setMousePointer(MousePointer pointer) override;
    void openAddress(const QString& address) override;
    int twipsPerPixelX() const override;
    int twipsPerPixelY() const override;
    int screenWidthPixels() const override;
    int textWidth(const QString& text, const Font& font) const override;

private:
    QWidget* parentWidget() const;
    std::optional<QString> runFileDialog(const FileRequest& request, bool save);

    QPointer<QWidget> owner_;
    MousePointer pointer_ = MousePointer::Default;
};

// The classic filter text "Tekstbestanden (*.txt)|*.txt|Alle bestanden (*.*)|*.*"
// as Qt's "Tekstbestanden (*.txt);;Alle bestanden (*)": "*.*" means every file.
TARVELO_EXPORT QString qtFileFilter(const QString& classicFilter);

} // namespace tarvelo
