#pragma once

#include "TarveloExport.h"

#include "framework/ui/Ui.h"

#include <QHash>
#include <deque>
#include <functional>
#include <vector>

namespace tarvelo {

// A Ui for tests and for hosts that test their pages: every answer is queued in
// advance and every message box is logged. Anything shown with nothing queued
// is a failure reported through onUnexpected (a test sets it to fail loudly)
// and answered as if cancelled.
class TARVELO_EXPORT ScriptedUi : public Ui {
public:
    struct ShownMessage {
        QString text;
        MsgButtons buttons;
        MsgIcon icon;
        QString caption;
        MsgResult answer;
    };

    // Queue answers in the order the dialogs will appear.
    // whileShown: what the user does elsewhere while the message is shown.
    void answerMessage(MsgResult answer, std::function<void()> whileShown = {})
    {
        messageAnswers_.push_back(answer);
        whileShown_.push_back(std::move(whileShown));
    }
    void chooseFolderNext(std::optional<QString> folder) { folders_.push_back(std::move(folder)); }
    void chooseOpenFileNext(std::optional<QString> file) { openFiles_.push_back(std::move(file)); }
    void chooseSaveFileNext(std::optional<QString> file) { saveFiles_.push_back(std::move(file)); }
    void chooseColourNext(std::optional<Colour> colour) { colours_.push_back(colour); }
    // The callback plays the user inside the dialog; it must hide the form.
    void whenModal(const QString& formName, std::function<void(Form&)> play);
    // Runs at the next doEvents, like an edit still waiting in the queue.
    void postEvent(std::function<void()> event) { pending_.push_back(std::move(event)); }

    const std::vector<ShownMessage>& messages() const { return shown_; }
    const std::vector<FolderRequest>& folderRequests() const { return folderRequests_; }
    const std::vector<FileRequest>& fileRequests() const { return fileRequests_; }
    const QStringList& openedAddresses() const { return opened_; }
    int doEventsCount() const { return doEventsCount_; }

    // Answers queued but never asked for: a test that expected a dialog which
    // did not come reads them here.
    QStringList unusedAnswers() const;

    std::function<void(const QString&)> onUnexpected;

    void setTwipsPerPixel(int x, int y)
    {
        twipsX_ = x;
        twipsY_ = y;
    }

    MsgResult messageBox(const MessageBoxRequest& request) override;
    std::optional<QString> chooseFolder(const FolderRequest& request) override;
    std::optional<QString> chooseOpenFile(const FileRequest& request) override;
    std::optional<QString> chooseSaveFile(const FileRequest& request) override;
    std::optional<Colour> chooseColour(Colour initial) override;
    void showModal(Form& form) override;
    void doEvents() override;
    MousePointer mousePointer() const override { return pointer_; }
    void setMousePointer(MousePointer pointer) override { pointer_ = pointer; }
    void openAddress(const QString& address) override { opened_.push_back(address); }
    int twipsPerPixelX() const override { return twipsX_; }
    int twipsPerPixelY() const override { return twipsY_; }
    int screenWidthPixels() const override { return 1920; }
    // A fixed average character width, so layout tests do not depend on fonts.
    int textWidth(const QString& text, const Font& font) const override;

private:
    void unexpected(const QString& what);

    std::deque<MsgResult> messageAnswers_;
    std::deque<std::function<void()>> whileShown_; // one for each answer
    std::deque<std::optional<QString>> folders_, openFiles_, saveFiles_;
    std::deque<std::optional<Colour>> colours_;
    QHash<QString, std::deque<std::function<void(Form&)>>> modal_;
    std::deque<std::function<void()>> pending_;
    std::vector<ShownMessage> shown_;
    std::vector<FolderRequest> folderRequests_;
    std::vector<FileRequest> fileRequests_;
    QStringList opened_;
    MousePointer pointer_ = MousePointer::Default;
    int twipsX_ = 15, twipsY_ = 15;
    int doEventsCount_ = 0;
};

} // namespace tarvelo
