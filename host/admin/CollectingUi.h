#pragma once

#include "framework/ui/Ui.h"

#include <vector>

namespace tarvelo {

// A Ui that asks nobody: the host's look at pages that are not open. Every
// message box is kept and answered with its cautious choice (OK, No or
// Cancel), every picker and dialog as cancelled; the screen is the real one.
class CollectingUi final : public Ui {
public:
    // Where only what pages hold is read, not where it stands, texts are
    // measured roughly instead of shaped as the screen draws them.
    enum class Measuring { AsTheScreen, Roughly };

    explicit CollectingUi(const Ui& screen, Measuring measuring = Measuring::AsTheScreen)
        : screen_(screen),
          measuring_(measuring)
    {
    }

    const std::vector<MessageBoxRequest>& messages() const { return messages_; }
    void clear() { messages_.clear(); }

    MsgResult messageBox(const MessageBoxRequest& request) override;
    std::optional<QString> chooseFolder(const FolderRequest&) override { return std::nullopt; }
    std::optional<QString> chooseOpenFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> chooseSaveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<Colour> chooseColour(Colour) override { return std::nullopt; }
    void showModal(Form&) override {}
    void doEvents() override {}
    MousePointer mousePointer() const override { return pointer_; }
    void setMousePointer(MousePointer pointer) override { pointer_ = pointer; }
    void openAddress(const QString&) override {}
    int twipsPerPixelX() const override { return screen_.twipsPerPixelX(); }
    int twipsPerPixelY() const override { return screen_.twipsPerPixelY(); }
    int screenWidthPixels() const override { return screen_.screenWidthPixels(); }
    int textWidth(const QString& text, const Font& font) const override;

private:
    const Ui& screen_;
    Measuring measuring_;
    std::vector<MessageBoxRequest> messages_;
    MousePointer pointer_ = MousePointer::Default;
};

} // namespace tarvelo
