#include "pages/advice/SetupAdvisering.h"

#include "framework/cipher/CipherText.h"
#include "framework/forms/Frame.h"
#include "framework/host/Application.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/AdviceTextSettings.h"
#include "framework/text/Ansi.h"
#include "framework/ui/Ui.h"
#include "pages/advice/Motiveringsonderwerpen.h"
#include "pages/advice/frmImporterenMotiveringsteksten.h"
#include "pages/advice/frmStandaardtekstDetail.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 8400;
constexpr int ListWidth = (InnerWidth - RowLayout::Gap) / 2;
constexpr int ListHeight = 1815;
constexpr int CellHeight = RowLayout::LabelHeight + ListHeight + RowLayout::RowGap + RowLayout::ButtonHeight;

const QString Filter = u"Quenmarix standaardteksten (*.tvs)|*.tvs"_s;
const QString Beschadigd =
    u"Het exportbestand met standaardteksten kan niet ingeladen worden. Het bestand is beschadigd."_s;
const QString ExportCaption = u"Exporteren standaardteksten"_s;
const QString ImportCaption = u"Importeren standaardteksten"_s;

// The first character the ANSI code page of the exchange file cannot hold, if any.
std::optional<QChar> firstNonAnsi(const QString& text)
{
    const QString back = fromAnsi(toAnsi(text));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i >= back.size() || back.at(i) != text.at(i))
            return text.at(i);
    }
    return std::nullopt;
}
} // namespace

SetupAdvisering::SetupAdvisering()
    : SettingsPage(u"SetupAdvisering"_s),
      cboOnderwerpen(add<ComboBox>(add<Frame>(form(), u"fraMotiveringen"_s, u"Standaard teksten motivering"_s),
                                   u"cboOnderwerpen"_s)),
      cmdExport(add<CommandButton>(form().control(u"fraMotiveringen"_s), u"cmdExport"_s, u"&Exporteren"_s)),
      cmdImport(add<CommandButton>(form().control(u"fraMotiveringen"_s), u"cmdImport"_s, u"&Importeren"_s))
{
    auto& fra = form().get<Frame>(u"fraMotiveringen"_s);
    auto& hntMotiveringen = add<Hint>(
        fra, u"hntMotiveringen"_s, u"Bewerk hier de standaardteksten voor de motiveringen in de adviesmotivering."_s);
    auto& lblUitleg = add<Label>(fra, u"lblUitleg"_s,
                                 u"Hieronder kunt u per onderwerp de standaardteksten bewerken die u kunt "
                                 "gebruiken voor de motivering van uw advies."_s);
    const char* const labels[Lijsten + 1][2] = {
        {"", ""},
        {"Ons advies", "motivering"},
        {"Afwijkende keuze", "keuze"},
        {"Algemeen", "algemeen"},
        {"Bijzonderheden", "bijzonderheden"},
    };
    for (int i = 1; i <= Lijsten; ++i) {
        Lijst& l = lijsten_[i];
        l.cd = QString::fromLatin1(labels[i][1]);
        l.lblStandaardTeksten = &add<Label>(fra, u"lblStandaardTeksten"_s, QString::fromUtf8(labels[i][0]), i);
        l.lvwMotiveringen = &add<ListView>(fra, u"lvwMotiveringen"_s, QString(), i);
        l.cmdAdd = &add<CommandButton>(fra, u"cmdAdd"_s, u"Toevoegen"_s, i);
        l.cmdEdit = &add<CommandButton>(fra, u"cmdEdit"_s, u"Wijzigen"_s, i);
        l.cmdDelete = &add<CommandButton>(fra, u"cmdDelete"_s, u"Verwijderen"_s, i);
        l.cmdAdd->setToolTipText(u"Toevoegen standaard motivering"_s);
        l.cmdEdit->setToolTipText(u"Wijzigen standaard motivering"_s);
        l.cmdDelete->setToolTipText(u"Verwijderen standaard motivering"_s);
        l.lvwMotiveringen->setCheckboxes(true);
        l.lvwMotiveringen->setFullRowSelect(true);
        l.lvwMotiveringen->setHideSelection(false);
        l.cmdAdd->Click.connect([this, i] { cmdAdd_Click(i); });
        l.cmdEdit->Click.connect([this, i] { cmdEdit_Click(i); });
        l.cmdDelete->Click.connect([this, i] { cmdDelete_Click(i); });
        l.lvwMotiveringen->DblClick.connect([this, i] { lvwMotiveringen_DblClick(i); });
        l.lvwMotiveringen->ItemClick.connect([this, i](ListItem&) { enableRowButtons(i); });
        l.lvwMotiveringen->ItemCheck.connect([this, i](ListItem& row) { lvwMotiveringen_ItemCheck(i, row); });
    }
    cmdExport.setToolTipText(u"Exporteren van alle standaardteksten"_s);
    cmdImport.setToolTipText(u"Importeren van alle standaardteksten"_s);
    cboOnderwerpen.Click.connect([this] { cboOnderwerpen_Click(); });
    cmdExport.Click.connect([this] { cmdExport_Click(); });
    cmdImport.Click.connect([this] { cmdImport_Click(); });

    RowLayout rows(fra, InnerWidth);
    rows.text(hntMotiveringen).text(lblUitleg).line(cboOnderwerpen).space(RowLayout::RowGap);
    // The four lists in two rows of two, each with its label above and its buttons below.
    rows.block(2 * CellHeight + 2 * RowLayout::RowGap, [this](int gridTop, int innerWidth) {
        // The lists share the frame's width, two by two.
        const int listWidth = std::max(ListWidth, (innerWidth - RowLayout::Gap) / 2);
        for (int i = 1; i <= Lijsten; ++i) {
            const Lijst& l = lijsten_[i];
            const int left = RowLayout::Margin + ((i - 1) % 2) * (listWidth + RowLayout::Gap);
            const int top = gridTop + ((i - 1) / 2) * (CellHeight + RowLayout::RowGap);
            l.lblStandaardTeksten->setBounds(left, top, listWidth, RowLayout::LabelHeight);
            l.lvwMotiveringen->setBounds(left, l.lblStandaardTeksten->bottom(), listWidth, ListHeight);
            const int buttonsTop = l.lvwMotiveringen->bottom() + RowLayout::RowGap;
            int buttonLeft = left;
            for (CommandButton* button : {l.cmdAdd, l.cmdEdit, l.cmdDelete}) {
                button->setBounds(buttonLeft, buttonsTop, RowLayout::ButtonWidth, RowLayout::ButtonHeight);
                buttonLeft += RowLayout::ButtonWidth + RowLayout::Gap;
            }
        }
    });
    rows.buttons({&cmdExport, &cmdImport});
    rows.finish();
    stackFrames({&fra});
}

void SetupAdvisering::setBackColor(Colour colour)
{
    SettingsPage::setBackColor(colour);
    for (int i = 1; i <= Lijsten; ++i)
        lijsten_[i].lvwMotiveringen->setBackColor(White);
}

const Motiveringsonderwerp& SetupAdvisering::onderwerp() const
{
    const int i = cboOnderwerpen.listIndex();
    return motiveringsonderwerp(i < 0 ? 0 : cboOnderwerpen.itemData(i));
}

void SetupAdvisering::Fill()
{
    document_.load(Setup<AdviceTextSettings>().StandaardtekstenMotivering);
    cboOnderwerpen.clear();
    for (const Motiveringsonderwerp& o : motiveringsonderwerpen())
        cboOnderwerpen.addItemWithData(QString::fromUtf8(o.naam), o.itemData);
    cboOnderwerpen.setListIndex(0);
    Set_Onderwerpnode();
    Fill_Listviews();
    cmdExport.setEnabled(document_.hasTeksten());
}

void SetupAdvisering::cboOnderwerpen_Click()
{
    if (IsLoading)
        return;
    guarded([this] {
        Set_Onderwerpnode();
        Fill_Listviews();
    });
}

void SetupAdvisering::Set_Onderwerpnode()
{
    guarded([this] {
        const Motiveringsonderwerp& o = onderwerp();
        onderdeel_ = o.onderdeel;
        onderwerp_ = o.onderwerp;
    });
}

void SetupAdvisering::Fill_Listviews(const QString& selectKey)
{
    guarded([&] {
        for (int i = 1; i <= Lijsten; ++i) {
            ListView& lvw = *lijsten_[i].lvwMotiveringen;
            lvw.clear();
            lvw.clearColumns();
            // The column fills the list, less room for a vertical scroll bar.
            lvw.addColumn(u"Standaard motiveringen"_s, u"Standaard motiveringen"_s, lvw.width() - 360);
            for (const Standaardtekst& t : document_.teksten(onderdeel_, onderwerp_, lijsten_[i].cd)) {
                ListItem& row = lvw.addItem(t.cd + QLatin1Char('_') + t.id, t.tekst);
                row.setChecked(t.standaard);
            }
            if (ListItem* row = selectKey.isEmpty() ? nullptr : lvw.findItem(selectKey)) {
                lvw.setSelectedItem(row);
                row->ensureVisible();
            }
            enableRowButtons(i);
        }
    });
}

// Changing and removing need a chosen text; an empty list offers only adding.
void SetupAdvisering::enableRowButtons(int index)
{
    const bool chosen = lijsten_[index].lvwMotiveringen->selectedItem() != nullptr;
    lijsten_[index].cmdEdit->setEnabled(chosen);
    lijsten_[index].cmdDelete->setEnabled(chosen);
}

std::pair<QString, QString> SetupAdvisering::keyParts(const ListItem& row)
{
    const qsizetype underscore = row.key().indexOf(QLatin1Char('_'));
    return {row.key().left(underscore), row.key().mid(underscore + 1)};
}

std::optional<QString> SetupAdvisering::editText(int index, const QString& text)
{
    frmStandaardtekstDetail dialog;
    dialog.setBackColor(BackColor());
    dialog.setApplication(app());
    dialog.setCaptionText(lijsten_[index].lblStandaardTeksten->caption());
    dialog.setTekst(text);
    dialog.Fill_Control();
    ui().showModal(dialog);
    if (dialog.Geannuleerd())
        return std::nullopt;
    return dialog.Tekst();
}

// An empty text (or one of spaces only) is no standard text: it is not added.
void SetupAdvisering::cmdAdd_Click(int index)
{
    guarded(Index{index}, [&] {
        const std::optional<QString> tekst = editText(index, QString());
        if (!tekst || tekst->trimmed().isEmpty())
            return;
        const QString id = document_.add(onderdeel_, onderwerp_, lijsten_[index].cd, *tekst);
        Save();
        Fill_Listviews(lijsten_[index].cd + QLatin1Char('_') + id);
    });
}

void SetupAdvisering::cmdEdit_Click(int index)
{
    guarded(Index{index}, [&] { Update_Node(index); });
}

void SetupAdvisering::lvwMotiveringen_DblClick(int index)
{
    guarded(Index{index}, [&] { Update_Node(index); });
}

// Emptying a text is refused like adding an empty one: the text stays.
void SetupAdvisering::Update_Node(int index)
{
    ListItem* row = lijsten_[index].lvwMotiveringen->selectedItem();
    if (!row)
        return;
    const QString key = row->key();
    const std::optional<QString> tekst = editText(index, row->text());
    if (!tekst || *tekst == row->text() || tekst->trimmed().isEmpty())
        return;
    const auto [cd, id] = keyParts(*row);
    guarded([&] {
        document_.update(onderdeel_, onderwerp_, id, cd, *tekst, row->checked());
        Save();
        Fill_Listviews(key);
    });
}

void SetupAdvisering::cmdDelete_Click(int index)
{
    guarded(Index{index}, [&] {
        const ListItem* row = lijsten_[index].lvwMotiveringen->selectedItem();
        if (!row)
            return;
        const auto [cd, id] = keyParts(*row);
        document_.remove(onderdeel_, onderwerp_, id, cd);
        Save();
        Fill_Listviews();
    });
}

// One default per list: ticking a row unticks the others; unticking the
// default leaves the list without one.
void SetupAdvisering::lvwMotiveringen_ItemCheck(int index, ListItem& row)
{
    guarded(Index{index}, [&] {
        ListView& lvw = *lijsten_[index].lvwMotiveringen;
        if (row.checked()) {
            for (int i = 1; i <= lvw.count(); ++i) {
                if (&lvw.item(i) != &row)
                    lvw.item(i).setChecked(false);
            }
        }
        const auto [cd, id] = keyParts(row);
        document_.setStandaard(onderdeel_, onderwerp_, cd, row.checked() ? id : QString());
        Save();
    });
}

void SetupAdvisering::Save()
{
    guarded([this] {
        Setup<AdviceTextSettings>().StandaardtekstenMotivering = document_.xml();
        cmdExport.setEnabled(document_.hasTeksten());
        app().SetupChanged();
    });
}

void SetupAdvisering::cmdExport_Click()
{
    guarded([this] {
        const QString xml = Setup<AdviceTextSettings>().StandaardtekstenMotivering;
        if (!document_.hasTeksten())
            return;
        // The exchange file holds one byte per character: a character it
        // cannot hold would come back as '?' in every installation.
        if (const std::optional<QChar> wrong = firstNonAnsi(xml)) {
            failCheck(u"De standaardteksten bevatten het teken '%1', dat niet in een exportbestand kan "
                      "worden opgeslagen. Pas de tekst aan en exporteer opnieuw."_s.arg(*wrong),
                      ExportCaption);
            return;
        }
        QString key;
        const QByteArray bytes = toAnsi(CipherText(xml, key));
        FileRequest request;
        request.title = u"Exporteren Quenmarix advisering standaardteksten"_s;
        request.fileName = u"QuenmarixStandaardteksten.tvs"_s;
        request.filter = Filter;
        request.defaultExtension = u".tvs"_s;
        const std::optional<QString> file = ui().chooseSaveFile(request);
        if (!file || file->isEmpty())
            return;
        QSaveFile out(*file);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
            ui().msgBox(u"Het bestand %1 kan niet worden geschreven."_s.arg(*file), MsgButtons::OK, MsgIcon::Critical,
                        ExportCaption);
        }
    });
}

void SetupAdvisering::cmdImport_Click()
{
    guarded([this] {
        frmImporterenMotiveringsteksten keuzeDialog;
        keuzeDialog.setBackColor(BackColor());
        keuzeDialog.setApplication(app());
        ui().showModal(keuzeDialog);
        const frmImporterenMotiveringsteksten::Keuze keuze = keuzeDialog.keuze();
        if (keuze == frmImporterenMotiveringsteksten::GeenKeuze)
            return;

        FileRequest request;
        request.title = u"Importeren Quenmarix advisering standaardteksten"_s;
        request.filter = Filter;
        const std::optional<QString> file = ui().chooseOpenFile(request);
        if (!file || file->isEmpty())
            return;
        QFile in(*file);
        if (!in.open(QIODevice::ReadOnly)) {
            ui().msgBox(u"Het bestand %1 kan niet worden gelezen."_s.arg(*file), MsgButtons::OK, MsgIcon::Critical,
                        ImportCaption);
            return;
        }
        QString key;
        const std::optional<QString> imported = StandaardtekstDocument::check(CipherText(fromAnsi(in.readAll()), key));
        if (!imported) {
            ui().msgBox(Beschadigd, MsgButtons::OK, MsgIcon::Critical, ImportCaption);
            return;
        }
        if (keuze == frmImporterenMotiveringsteksten::Overschrijven) {
            document_.load(*imported);
            Setup<AdviceTextSettings>().StandaardtekstenMotivering = *imported;
            cmdExport.setEnabled(document_.hasTeksten());
            app().SetupChanged();
        } else {
            document_.addFrom(*imported);
            Save();
        }
        Fill_Listviews();
    });
}

} // namespace tarvelo
