#include "framework/ui/ScriptedUi.h"

#include "framework/forms/Form.h"

#include <QDebug>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tarvelo {

void ScriptedUi::whenModal(const QString& formName, std::function<void(Form&)> play)
{
    modal_[formName.toLower()].push_back(std::move(play));
}

void ScriptedUi::unexpected(const QString& what)
{
    if (onUnexpected)
        onUnexpected(what);
    else
        qWarning().noquote() << "ScriptedUi: niets klaargezet voor" << what;
}

MsgResult ScriptedUi::messageBox(const MessageBoxRequest& request)
{
    MsgResult answer = MsgResult::Cancel;
    if (messageAnswers_.empty()) {
        unexpected(u"melding \"%1\" (titel \"%2\")"_s.arg(request.text, request.caption));
    } else {
        answer = messageAnswers_.front();
        messageAnswers_.pop_front();
        const std::function<void()> whileShown = std::move(whileShown_.front());
        whileShown_.pop_front();
        if (whileShown)
            whileShown();
    }
    shown_.push_back({request.text, request.buttons, request.icon, request.caption, answer});
    return answer;
}

template <class T>
static bool takeNext(std::deque<std::optional<T>>& queue, std::optional<T>& answer)
{
    if (queue.empty())
        return false;
    answer.swap(queue.front());
    queue.pop_front();
    return true;
}

std::optional<QString> ScriptedUi::chooseFolder(const FolderRequest& request)
{
    folderRequests_.push_back(request);
    std::optional<QString> answer;
    if (!takeNext(folders_, answer))
        unexpected(u"mapkeuze \"%1\""_s.arg(request.title));
    return answer;
}

std::optional<QString> ScriptedUi::chooseOpenFile(const FileRequest& request)
{
    fileRequests_.push_back(request);
    std::optional<QString> answer;
    if (!takeNext(openFiles_, answer))
        unexpected(u"bestand openen \"%1\""_s.arg(request.title));
    return answer;
}

std::optional<QString> ScriptedUi::chooseSaveFile(const FileRequest& request)
{
    fileRequests_.push_back(request);
    std::optional<QString> answer;
    if (!takeNext(saveFiles_, answer))
        unexpected(u"bestand opslaan \"%1\""_s.arg(request.title));
    return answer;
}

std::optional<Colour> ScriptedUi::chooseColour(Colour)
{
    std::optional<Colour> answer;
    if (!takeNext(colours_, answer))
        unexpected(u"kleurkeuze"_s);
    return answer;
}

void ScriptedUi::showModal(Form& form)
{
    auto it = modal_.find(form.name().toLower());
    if (it == modal_.end() || it->empty()) {
        unexpected(u"venster \"%1\""_s.arg(form.name()));
        // Closed unanswered, as with the window's close box.
        form.show();
        form.hide();
        return;
    }
    auto play = std::move(it->front());
    it->pop_front();
    form.show();
    play(form);
    if (form.visible()) {
        unexpected(u"venster \"%1\" bleef open na het klaargezette spel"_s.arg(form.name()));
        form.hide();
    }
}

void ScriptedUi::doEvents()
{
    ++doEventsCount_;
    while (!pending_.empty()) {
        auto event = std::move(pending_.front());
        pending_.pop_front();
        event();
    }
}

int ScriptedUi::textWidth(const QString& text, const Font& font) const
{
    const double perCharacter = font.size * 20.0 * (font.bold ? 0.6 : 0.55);
    return int(std::lround(perCharacter * text.size()));
}

QStringList ScriptedUi::unusedAnswers() const
{
    QStringList unused;
    for (MsgResult r : messageAnswers_)
        unused << u"antwoord op melding (%1)"_s.arg(int(r));
    for (const auto& f : folders_)
        unused << u"map %1"_s.arg(f.value_or(u"<geannuleerd>"_s));
    for (const auto& f : openFiles_)
        unused << u"bestand openen %1"_s.arg(f.value_or(u"<geannuleerd>"_s));
    for (const auto& f : saveFiles_)
        unused << u"bestand opslaan %1"_s.arg(f.value_or(u"<geannuleerd>"_s));
    if (!colours_.empty())
        unused << u"%1 kleurkeuze(s)"_s.arg(colours_.size());
    for (auto it = modal_.begin(); it != modal_.end(); ++it) {
        if (!it->empty())
            unused << u"venster %1"_s.arg(it.key());
    }
    return unused;
}

} // namespace tarvelo
