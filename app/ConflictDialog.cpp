#include "app/ConflictDialog.h"

#include "app/render/AccessKeys.h"

#include "app/ColumnFit.h"
#include "app/PlainText.h"
#include "framework/host/OfficeChange.h"
#include "framework/page/SettingPresentation.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

ConflictLine recordConflictLine(const SettingPresentation& list, const SettingConflict& c)
{
    // The fields in which the versions that still hold the record differ.
    std::vector<QJsonObject> versions;
    for (const QJsonValue& version : {c.started, c.theirs, c.mine})
        if (version.isObject())
            versions.push_back(version.toObject());
    QStringList differing;
    for (const QJsonObject& version : versions)
        for (auto it = version.begin(); it != version.end(); ++it)
            if (!differing.contains(it.key()) &&
                std::any_of(versions.begin(), versions.end(),
                            [&](const QJsonObject& other) { return other.value(it.key()) != it.value(); }))
                differing << it.key();
    const auto shown = [&](const QJsonValue& version) {
        if (!version.isObject())
            return u"(verwijderd)"_s;
        const QString text = recordFieldsText(list, version.toObject(), differing);
        // Only a key no screen shows differs: the record reads as a whole.
        return text.isEmpty() ? recordFieldsText(list, version.toObject()) : text;
    };
    return {list.pageTitle, recordCaption(list, c.started.toObject()), shown(c.started), shown(c.theirs), shown(c.mine),
            c.keepMine};
}

ConflictDialog::ConflictDialog(const std::vector<ConflictLine>& lines, QWidget* parent) : QDialog(parent), lines_(lines)
{
    setObjectName(u"frmWijzigingenElders"_s);
    setWindowTitle(u"Ook gewijzigd op een andere werkplek"_s);
    auto* intro = new QLabel(u"Deze instellingen zijn op een andere werkplek gewijzigd nadat u ze hier opende, "
                             "en u hebt ze hier ook gewijzigd. Kies per instelling welke waarde wordt bewaard."_s,
                             this);
    intro->setWordWrap(true);
    auto* list = new QTreeWidget(this);
    list->setObjectName(u"lvwWijzigingen"_s);
    list->setRootIsDecorated(false);
    list->setHeaderLabels({u"Pagina"_s, u"Instelling"_s, u"Was"_s, u"Andere werkplek"_s, u"Uw waarde"_s, u"Bewaren"_s});
    for (const ConflictLine& line : lines_) {
        auto* item = new QTreeWidgetItem(list, {line.page, line.caption, listedValue(line.started),
                                                listedValue(line.theirs), listedValue(line.mine)});
        for (int c = 0; c < 5; ++c)
            item->setToolTip(c, plainToolTip(item->text(c)));
        auto* choice = new QComboBox(list);
        choice->addItems({u"Uw waarde"_s, u"Andere werkplek"_s});
        choice->setCurrentIndex(line.keepMine ? 0 : 1);
        list->setItemWidget(item, 5, choice);
        choices_.push_back(choice);
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(u"Opslaan"_s, QDialogButtonBox::AcceptRole);
    save->setObjectName(u"cmdOpslaan"_s);
    QPushButton* cancel = buttons->addButton(u"Annuleren"_s, QDialogButtonBox::RejectRole);
    cancel->setObjectName(u"cmdAnnuleren"_s);
    // Enter does not store choices the user has not looked at: it goes back
    // to the window, where nothing is lost.
    save->setAutoDefault(false);
    cancel->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(list, 1);
    layout->addWidget(buttons);
    // As wide as its columns, the choices whole, and as tall as its lines
    // (within the screen).
    list->header()->setStretchLastSection(false);
    const int rowHeight = std::max(list->sizeHintForRow(0), choices_.empty() ? 0 : choices_[0]->sizeHint().height());
    // A long list scrolls after a dozen lines.
    list->setMinimumHeight(list->header()->sizeHint().height() + std::min(int(lines_.size()), 12) * rowHeight +
                           2 * list->frameWidth());
    fitColumnsAndDialog(*this, *list, 320, {560, 0});
    const QMargins m = layout->contentsMargins();
    const int height = m.top() + intro->heightForWidth(width() - m.left() - m.right()) + layout->spacing() +
                       list->minimumHeight() + layout->spacing() + buttons->sizeHint().height() + m.bottom();
    resize(width(), height);
    giveAccessKeys(*this);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void ConflictDialog::choose(int line, bool keepMine)
{
    if (line >= 0 && line < int(choices_.size()))
        choices_[std::size_t(line)]->setCurrentIndex(keepMine ? 0 : 1);
}

std::vector<ConflictLine> ConflictDialog::chosen() const
{
    std::vector<ConflictLine> result = lines_;
    for (std::size_t i = 0; i < result.size(); ++i)
        result[i].keepMine = choices_[i]->currentIndex() == 0;
    return result;
}

} // namespace tarvelo
