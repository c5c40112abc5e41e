#include "framework/ui/ScriptedUi.h"

#include "framework/forms/Form.h"

#include <QDebug>
#include <cmath>

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
        unexpected(QStringLiteral("melding \"%1\" (titel \"%2\")").arg(request.text, request.caption));
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
        unexpected(QStringLiteral("mapkeuze \"%1\"").arg(request.title));
    return answer;
}

std::optional<QString> ScriptedUi::chooseOpenFile(const FileRequest& request)
{
    fileRequests_.push_back(request);
    std::optional<QString> answer;
    if (!takeNext(openFiles_, answer))
        unexpected(QStringLiteral("bestand openen \"%1\"").arg(request.title));
    return answer;
}

std::optional<QString> ScriptedUi::chooseSaveFile(const FileRequest& request)
{
    fileRequests_.push_back(request);
    std::optional<QString> answer;
    if (!takeNext(saveFiles_, answer))
        unexpected(QStringLiteral("bestand opslaan \"%1\"").arg(request.title));
    return answer;
}

std::optional<Colour> ScriptedUi::chooseColour(Colour)
{
    std::optional<Colour> answer;
    if (!takeNext(colours_, answer))
        unexpected(QStringLiteral("kleurkeuze"));
    return answer;
}

void ScriptedUi::showModal(Form& form)
{
    auto it = modal_.find(form.name().toLower());
    if (it == modal_.end() || it->empty()) {
        unexpected(QStringLiteral("venster \"%1\"").arg(form.name()));
        form.hide();
        return;
    }
    auto play = std::move(it->front());
    it->pop_front();
    form.show();
    play(form);
    if (form.visible()) {
        unexpected(QStringLiteral("venster \"%1\" bleef open na het klaargezette spel").arg(form.name()));
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
        unused << QStringLiteral("antwoord op melding (%1)").arg(int(r));
    for (const auto& f : folders_)
        unused << QStringLiteral("map %1").arg(f.value_or(QStringLiteral("<geannuleerd>")));
    for (const auto& f : openFiles_)
        unused << QStringLiteral("bestand openen %1").arg(f.value_or(QStringLiteral("<geannuleerd>")));
    for (const auto& f : saveFiles_)
        unused << QStringLiteral("bestand opslaan %1").arg(f.value_or(QStringLiteral("<geannuleerd>")));
    if (!colours_.empty())
        unused << QStringLiteral("%1 kleurkeuze(s)").arg(colours_.size());
    for (auto it = modal_.begin(); it != modal_.end(); ++it) {
        if (!it->empty())
            unused << QStringLiteral("venster %1").arg(it.key());
    }
    return unused;
}

} // namespace tarvelo
