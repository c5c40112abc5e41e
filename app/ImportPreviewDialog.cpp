#include "app/ImportPreviewDialog.h"

#include "app/render/AccessKeys.h"

#include "app/ColumnFit.h"
#include "app/PlainText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "host/admin/SettingCatalogue.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
enum Column { Setting, Current, Proposed, Page, CodeName };
constexpr int MostColumnWidth = 300;
} // namespace

ImportPreviewDialog::ImportPreviewDialog(ImportPlan plan, const SettingCatalogue& catalogue, QWidget* parent)
    : QDialog(parent),
      plan_(std::move(plan))
{
    setObjectName(u"frmImporteren"_s);
    setWindowTitle(u"Instellingen importeren"_s);
    auto* intro =
        new QLabel(plan_.differences.empty() ? u"Het bestand bevat geen instellingen die afwijken van de huidige."_s
                                             : u"Deze instellingen wijken af. Vink aan wat u wilt overnemen; "
                                               "de gekozen regels worden in één keer toegepast."_s,
                   this);
    intro->setWordWrap(true);
    list_ = new QTreeWidget(this);
    list_->setObjectName(u"lvwVerschillen"_s);
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({u"Instelling"_s, u"Huidige waarde"_s, u"Nieuwe waarde"_s, u"Pagina"_s, u"Naam"_s});
    for (const ProfileDifference& d : plan_.differences) {
        SettingPresentation p = catalogue.find(d.object, d.name);
        p.secret = p.secret || d.secret;
        const QString caption = listedCaption(p);
        const auto [now, proposed] = shownChange(p, d.current, d.proposed);
        auto* item = new QTreeWidgetItem(
            list_, {caption, listedValue(now), listedValue(proposed), p.pageTitle, d.object + u'.' + d.name});
        item->setCheckState(0, Qt::Checked);
        for (int c = 0; c < list_->columnCount(); ++c)
            item->setToolTip(c, plainToolTip(item->text(c)));
    }
    list_->header()->setStretchLastSection(true);
    // The code names are there for whoever asks for them.
    list_->setColumnHidden(CodeName, true);
    auto* codeNames = new QCheckBox(u"Namen tonen"_s, this);
    codeNames->setObjectName(u"chkNamen"_s);

    QStringList notes;
    if (plan_.hasSecrets && !plan_.secretsRead)
        notes << u"De wachtwoorden in het bestand worden niet meegenomen."_s;
    if (!plan_.unknown.isEmpty())
        notes << u"Onbekende instellingen: %1"_s.arg(plan_.unknown.join(QLatin1String(", ")));
    if (!plan_.misfits.isEmpty())
        notes << u"Waarden die niet passen: %1"_s.arg(plan_.misfits.join(QLatin1String(", ")));
    if (!plan_.locked.isEmpty())
        notes << u"Door de beheerder vastgezet: %1"_s.arg(plan_.locked.join(QLatin1String(", ")));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(list_, 1);
    layout->addWidget(codeNames);
    if (!notes.isEmpty()) {
        layout->addWidget(new QLabel(u"Niet toegepast:"_s, this));
        auto* text = new QPlainTextEdit(notes.join(QLatin1Char('\n')), this);
        text->setObjectName(u"txtNietToegepast"_s);
        text->setReadOnly(true);
        text->setMaximumHeight(80);
        layout->addWidget(text);
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* apply = buttons->addButton(u"Toepassen"_s, QDialogButtonBox::AcceptRole);
    apply->setObjectName(u"cmdToepassen"_s);
    apply->setEnabled(!plan_.differences.empty());
    QPushButton* cancel = buttons->addButton(u"Annuleren"_s, QDialogButtonBox::RejectRole);
    cancel->setObjectName(u"cmdAnnuleren"_s);
    // Taking over the lines is a button pressed on purpose; Enter changes nothing.
    apply->setAutoDefault(false);
    cancel->setDefault(true);
    layout->addWidget(buttons);
    giveAccessKeys(*this);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    QObject::connect(codeNames, &QCheckBox::toggled, this, [this](bool on) {
        list_->setColumnHidden(CodeName, !on);
        fitColumnsAndDialog(*this, *list_, MostColumnWidth, {680, 460});
    });
    fitColumnsAndDialog(*this, *list_, MostColumnWidth, {680, 460});
}

std::vector<ProfileDifference> ImportPreviewDialog::chosen() const
{
    std::vector<ProfileDifference> lines;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        if (list_->topLevelItem(i)->checkState(0) == Qt::Checked)
            lines.push_back(plan_.differences[std::size_t(i)]);
    }
    return lines;
}

void ImportPreviewDialog::setChecked(int line, bool on)
{
    if (QTreeWidgetItem* item = list_->topLevelItem(line))
        item->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
}

} // namespace tarvelo
