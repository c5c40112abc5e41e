#include "pages/general/SetupAlgemeen.h"

#include "framework/errors/RuntimeError.h"
#include "framework/forms/Frame.h"
#include "framework/host/Application.h"
#include "framework/page/RowLayout.h"
#include "framework/registry/Registry.h"
#include "framework/registry/RegistryNames.h"
#include "framework/settings/HouseStyleSettings.h"
#include "framework/ui/Ui.h"
#include "framework/util/ComboRoutines.h"
#include "framework/util/TextFitting.h"
#include "pages/general/frmVoorbeeldKleurinstelling.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 6600;
constexpr int DesignTwipsPerPixel = 15;
constexpr int ButtonSize = 315;
constexpr int SwatchWidth = 915;
constexpr int DefaultButtonWidth = 1095;
constexpr int ColourLabelWidth = 2895;

const QString LogoFilter =
    u"Bitmap (*.bmp;*.dib)|*.bmp;*.dib|GIF (*.gif)|*.gif|JPEG (*.jpg)|*.jpg|Metabestanden (*.wmf;*.emf)|*.wmf;*.emf|"
    "Icon (*.ico;*.cur)|*.ico;*.cur|Alle afbeeldingen|*.bmp;*.dib;*.gif;*.jpg;*.wmf;*.emf;*.ico;*.cur"_s;

bool isPicture(const QString& path) { return !path.isEmpty() && QImageReader(path).canRead(); }

// The picture's size in pixels; a file that is no picture the program can
// read is refused with the message the user sees.
QSize pictureSize(const QString& path)
{
    const QImage picture(path);
    if (picture.isNull())
        throw RuntimeError(ErrorNumber::InvalidPicture, u"Het bestand %1 is geen afbeelding die het programma kan "
                                                        "lezen."_s.arg(QDir::toNativeSeparators(path)));
    return picture.size();
}

// The first picture of the folder in name order: other files such as
// "Thumbs.db" are no logo.
QString firstPicture(const QDir& folder)
{
    for (const QFileInfo& file : folder.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (isPicture(file.absoluteFilePath()))
            return file.absoluteFilePath();
    }
    return QString();
}

// Removes one file, read-only or not: the folder's rights decide here, so the
// file's own mode is left alone. A link goes as a link; what it points to, and
// a file that has a second name elsewhere, are not touched.
void removeFile(const QFileInfo& file)
{
    QFile f(file.absoluteFilePath());
    if (!f.remove())
        throw RuntimeError(ErrorNumber::PathFileAccessError, u"Het bestand %1 kan niet worden verwijderd."_s.arg(
                                                                 QDir::toNativeSeparators(file.absoluteFilePath())));
}

} // namespace

SetupAlgemeen::SetupAlgemeen() : SettingsPage(u"SetupAlgemeen"_s)
{
    // Bedrijfslogo
    auto& fraBedrijfslogo = add<Frame>(form(), u"fraBedrijfslogo"_s, u"Bedrijfslogo en website"_s);
    auto& lblLocatie = add<Label>(fraBedrijfslogo, u"lblLogoPath"_s, u"Locatie afbeelding"_s);
    txtLogoPath = &add<TextBox>(fraBedrijfslogo, u"txtLogoPath"_s);
    cmdBedrijfslogo = &add<CommandButton>(fraBedrijfslogo, u"cmdBedrijfslogo"_s, u"..."_s);
    cmdLogoVerwijder = &add<CommandButton>(fraBedrijfslogo, u"cmdLogoVerwijder"_s, u"X"_s);
    auto& lblVoorbeeld = add<Label>(fraBedrijfslogo, u"lblVoorbeeld"_s, u"Voorbeeld"_s);
    imgBedrijflogo = &add<Image>(fraBedrijfslogo, u"imgBedrijflogo"_s);
    auto& lblGrootte = add<Label>(fraBedrijfslogo, u"lblGrootte"_s,
                                  u"Afbeeldingen groter dan 500x150 pixels kunnen buiten het scherm vallen"_s);
    txtLogoPath->setLocked(true);
    cmdBedrijfslogo->setToolTipText(u"Een bedrijfslogo kiezen"_s);
    cmdLogoVerwijder->setToolTipText(u"Het bedrijfslogo verwijderen"_s);
    cmdBedrijfslogo->Click.connect([this] { cmdBedrijfslogo_Click(); });
    cmdLogoVerwijder->Click.connect([this] { cmdLogoVerwijder_Click(); });
    RowLayout logoRows(fraBedrijfslogo, InnerWidth);
    logoRows.row(
        {{&lblLocatie, 2055}, {txtLogoPath, 0}, {cmdBedrijfslogo, ButtonSize}, {cmdLogoVerwijder, ButtonSize}});
    // The preview keeps its fixed size, beside its label, in the page's field
    // column where the frame has room for it there.
    logoRows.block(LogoMaxHeight + RowLayout::RowGap, [this, label = &lblVoorbeeld](int top, int inner) {
        const int left = std::max(RowLayout::Margin + 2055 + RowLayout::Gap,
                                  std::min(txtLogoPath->left(), RowLayout::Margin + inner - LogoMaxWidth));
        label->setBounds(RowLayout::Margin, top, left - RowLayout::Gap - RowLayout::Margin, RowLayout::LabelHeight);
        imgBedrijflogo->setBounds(left, top, LogoMaxWidth, LogoMaxHeight);
    });
    logoRows.text(lblGrootte).finish();

    // Kleuren
    auto& fraKleuren = add<Frame>(form(), u"fraKleuren"_s, u"Kleuren"_s);
    const QString captions[] = {u"Kleur startscherm"_s,
                                u"- Titel tabel"_s,
                                u"- Rij kleur 1"_s,
                                u"- Rij kleur 2"_s,
                                u"Kleur niet actieve tabbladen"_s,
                                u"Achtergrondkleur applicatie"_s};
    std::array<Label*, 6> labels{};
    for (int i = 0; i < 6; ++i) {
        labels[i] = &add<Label>(fraKleuren, u"lblKleur"_s, captions[i], i);
        picCurrentColor[i] = &add<Label>(fraKleuren, u"picCurrentColor"_s, QString(), i);
        cmdAanpassenKleur[i] = &add<CommandButton>(fraKleuren, u"cmdAanpassenKleur"_s, u"..."_s, i);
        cmdDefaultKleur[i] = &add<CommandButton>(fraKleuren, u"cmdDefaultKleur"_s, u"Standaard"_s, i);
        cmdAanpassenKleur[i]->setToolTipText(u"Een kleur kiezen"_s);
        cmdAanpassenKleur[i]->Click.connect([this, i] { cmdAanpassenKleur_Click(i); });
        cmdDefaultKleur[i]->Click.connect([this, i] { cmdDefaultKleur_Click(i); });
    }
    auto& lblTabellen = add<Label>(fraKleuren, u"lblTabellen"_s, u"Kleur tabellen op overzichten"_s);
    auto& cmdVoorbeeldTabellen = add<CommandButton>(fraKleuren, u"cmdVoorbeeldTabellen"_s, u"Voorbeeld"_s);
    cmdVoorbeeldTabellen.Click.connect([this] { cmdVoorbeeldTabellen_Click(); });
    RowLayout colourRows(fraKleuren, InnerWidth);
    auto colourRow = [&](int i) {
        colourRows.row({{labels[i], ColourLabelWidth},
                        {picCurrentColor[i], SwatchWidth},
                        {cmdAanpassenKleur[i], ButtonSize},
                        {cmdDefaultKleur[i], DefaultButtonWidth}});
    };
    colourRow(0);
    colourRow(4);
    colourRow(5);
    colourRows.row({{&lblTabellen, ColourLabelWidth}, {&cmdVoorbeeldTabellen, DefaultButtonWidth}});
    colourRow(1);
    colourRow(2);
    colourRow(3);
    colourRows.finish();

    // Startscherm
    auto& fraStartscherm = add<Frame>(form(), u"fraStartscherm"_s, u"Startscherm"_s);
    auto& lblAdviezen = add<Label>(fraStartscherm, u"lblAdviezen"_s, u"Toon adviezen"_s);
    auto& cboAdviezen = add<ComboBox>(fraStartscherm, u"cboAdviezen"_s);
    auto& lblKlanten = add<Label>(fraStartscherm, u"lblKlanten"_s, u"Toon actieve klanten"_s);
    auto& cboKlanten = add<ComboBox>(fraStartscherm, u"cboKlanten"_s);
    bind(cboKlanten, &HouseStyleSettings::StartschermKlanten, {{u"Aantal"_s, 2}, {u"Niet tonen"_s, 0}});
    bind(cboAdviezen, &HouseStyleSettings::StartschermAdviezen,
         {{u"Meest recente adviezen"_s, 1}, {u"Niet tonen"_s, 0}});
    RowLayout(fraStartscherm, InnerWidth)
        .field(lblAdviezen, cboAdviezen, 2595)
        .field(lblKlanten, cboKlanten, 2595)
        .finish();

    stackFrames({&fraBedrijfslogo, &fraKleuren, &fraStartscherm});
}

QSize SetupAlgemeen::fitLogo(QSize twips)
{
    if (twips.width() <= 0 || twips.height() <= 0)
        return twips;
    const double ratio = double(twips.height()) / twips.width();
    double width = twips.width();
    double height = twips.height();
    if (height > LogoMaxHeight) {
        height = LogoMaxHeight;
        width = LogoMaxHeight / ratio;
    }
    if (width > LogoMaxWidth) {
        width = LogoMaxWidth;
        height = LogoMaxWidth * ratio;
    }
    return QSize(qRound(width), qRound(height));
}

QString SetupAlgemeen::logoFolder() const { return QDir(app().DataDir()).filePath(u"Logo"_s) + QLatin1Char('/'); }

void SetupAlgemeen::Fill()
{
    ui().setMousePointer(MousePointer::Hourglass);
    HouseStyleSettings& style = Setup<HouseStyleSettings>();
    for (int i = 0; i < 6; ++i)
        picCurrentColor[i]->setBackColor(Colour(style.Kleur(i).get()));
    for (const char* combo : {"cboKlanten", "cboAdviezen"})
        FitComboDropDown(form().get<ComboBox>(QString::fromLatin1(combo)), ui());
    Fill_Logo();
    Paint_Logo();
    Enable_Controls();
    ui().setMousePointer(MousePointer::Default);
}

// A logo that cannot be shown is reported, and the default logo takes its
// place: the rest of the page fills as usual.
void SetupAlgemeen::Fill_Logo()
{
    logoViaRegistry = false;
    defaultLogo = false;
    const bool shown = guarded([&] {
        const QString fromRegistry = app().registry().RegGetString(Hive::HKEY_CURRENT_USER, RegistryNames::ProductKey,
                                                                   RegistryNames::LogoPath, QString());
        if (!fromRegistry.isEmpty() && QFileInfo(fromRegistry).isFile()) {
            logoViaRegistry = true;
            txtLogoPath->setText(u"Via register ingesteld"_s);
            logoPixels = pictureSize(fromRegistry);
            imgBedrijflogo->setPicture(fromRegistry);
            return;
        }
        const QString folder = logoFolder();
        if (!QDir().mkpath(folder))
            throw RuntimeError(ErrorNumber::PathNotFound, u"De map voor het bedrijfslogo %1 kan niet worden "
                                                          "aangemaakt."_s.arg(QDir::toNativeSeparators(folder)));
        const QString bestand = Setup<HouseStyleSettings>().LogoBestand;
        const QString path = bestand.isEmpty() ? firstPicture(QDir(folder)) : folder + bestand;
        if (path.isEmpty() || !QFileInfo(path).isFile()) {
            showDefaultLogo(u"Standaard..."_s);
            return;
        }
        logoPixels = pictureSize(path);
        imgBedrijflogo->setPicture(path);
        showLogoPath(path);
    });
    if (!shown)
        showDefaultLogo(u"Standaard..."_s);
}

void SetupAlgemeen::showDefaultLogo(const QString& text)
{
    defaultLogo = true;
    txtLogoPath->setText(text);
    const QString picture = app().DefaultLogo();
    imgBedrijflogo->setPicture(picture);
    logoPixels = isPicture(picture) ? QImageReader(picture).size() : QSize();
}

void SetupAlgemeen::showLogoPath(const QString& path)
{
    txtLogoPath->setText(
        FitTextToWidth(ui(), txtLogoPath->font(), QDir::toNativeSeparators(path), txtLogoPath->width() - 60, false));
}

void SetupAlgemeen::Paint_Logo()
{
    guarded([&] {
        imgBedrijflogo->setStretch(false);
        if (!logoPixels.isValid() || logoPixels.isEmpty())
            return;
        const QSize natural = logoPixels * DesignTwipsPerPixel;
        const QSize fitted = fitLogo(natural);
        imgBedrijflogo->setStretch(fitted != natural);
        imgBedrijflogo->setWidth(fitted.width());
        imgBedrijflogo->setHeight(fitted.height());
    });
}

void SetupAlgemeen::Enable_Controls()
{
    guarded([&] {
        cmdBedrijfslogo->setEnabled(!logoViaRegistry);
        cmdLogoVerwijder->setEnabled(!logoViaRegistry && !defaultLogo);
        for (int i = 0; i < 6; ++i) {
            cmdAanpassenKleur[i]->setEnabled(true);
            cmdDefaultKleur[i]->setEnabled(true);
        }
    });
}

void SetupAlgemeen::UpdatePreview(bool warn)
{
    guarded([&] {
        HouseStyleSettings& style = Setup<HouseStyleSettings>();
        for (int i = 0; i < 6; ++i)
            style.Kleur(i) = qint32(picCurrentColor[i]->backColor());
        if (warn && app().HuidigAdvies() >= 0)
            ui().msgBox(u"De gekozen kleur wordt pas actief bij het openen van het volgende advies."_s, MsgButtons::OK,
                        MsgIcon::Information, u"Let op"_s);
    });
}

void SetupAlgemeen::applyBackColour()
{
    app().RunProcedure(componentName(), u"Tarvelomain"_s, u"Apply_BackColor"_s,
                       QVariant::fromValue(qint32(picCurrentColor[5]->backColor())));
}

void SetupAlgemeen::cmdAanpassenKleur_Click(int index)
{
    guarded(Index{index}, [&] {
        const Colour before = picCurrentColor[index]->backColor();
        const Colour chosen =
            ui().chooseColour(Colour(Setup<HouseStyleSettings>().Kleur(index).get())).value_or(before);
        picCurrentColor[index]->setBackColor(chosen);
        UpdatePreview(chosen != before && (index == 0 || index == 4));
        if (index == 5)
            applyBackColour();
    });
}

void SetupAlgemeen::cmdDefaultKleur_Click(int index)
{
    guarded(Index{index}, [&] {
        const Colour before = picCurrentColor[index]->backColor();
        picCurrentColor[index]->setBackColor(Colour(HouseStyleSettings::StandaardKleur[index]));
        if (ui().msgBox(u"Weet u zeker dat u de standaardkleur wilt selecteren?"_s, MsgButtons::YesNo,
                        MsgIcon::Question, Titel()) == MsgResult::Yes)
            UpdatePreview(index == 0 || index == 4);
        else
            picCurrentColor[index]->setBackColor(before);
        if (index == 5)
            applyBackColour();
    });
}

// The chosen file is copied into the logo folder under a name of its own
// before the old logo is removed: when the copy fails, the office keeps its logo.
void SetupAlgemeen::cmdBedrijfslogo_Click()
{
    guarded([&] {
        const QString folder = logoFolder();
        FileRequest request;
        request.title = u"Selecteer het bedrijfslogo"_s;
        request.initialFolder = folder;
        request.filter = LogoFilter;
        const std::optional<QString> chosen = ui().chooseOpenFile(request);
        if (!chosen || chosen->isEmpty())
            return;
        const QFileInfo file(*chosen);
        const QSize pixels = pictureSize(file.absoluteFilePath()); // no picture: the old logo stays
        QDir dir(folder);
        if (file.absolutePath() != dir.absolutePath()) {
            if (!QDir().mkpath(folder))
                throw RuntimeError(ErrorNumber::PathNotFound, u"De map voor het bedrijfslogo %1 kan niet worden "
                                                              "aangemaakt."_s.arg(QDir::toNativeSeparators(folder)));
            const QString temporary = dir.filePath(NewLogoName);
            if (QFileInfo(temporary).isFile())
                removeFile(QFileInfo(temporary));
            if (!QFile::copy(file.absoluteFilePath(), temporary))
                throw RuntimeError(ErrorNumber::PathFileAccessError,
                                   u"Het bedrijfslogo kan niet naar de map %1 worden gekopieerd; het "
                                   "huidige logo blijft behouden."_s.arg(QDir::toNativeSeparators(folder)));
            for (const QFileInfo& old : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
                if (old.fileName() != NewLogoName)
                    removeFile(old);
            }
            if (!QFile::rename(temporary, dir.filePath(file.fileName())))
                throw RuntimeError(ErrorNumber::PathFileAccessError,
                                   u"Het bedrijfslogo kan niet de naam %1 krijgen."_s.arg(file.fileName()));
        }
        logoPixels = pixels;
        imgBedrijflogo->setPicture(dir.filePath(file.fileName()));
        Setup<HouseStyleSettings>().LogoBestand = file.fileName();
        showLogoPath(file.absoluteFilePath());
        defaultLogo = false;
        Paint_Logo();
        Enable_Controls();
    });
}

// Every file of the logo folder goes, read-only ones included.
void SetupAlgemeen::cmdLogoVerwijder_Click()
{
    guarded([&] {
        if (ui().msgBox(u"Weet u zeker dat u het bedrijfslogo wilt verwijderen ?"_s, MsgButtons::YesNo,
                        MsgIcon::Question, Titel()) != MsgResult::Yes)
            return;
        for (const QFileInfo& file : QDir(logoFolder()).entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
            removeFile(file);
        Setup<HouseStyleSettings>().LogoBestand = QString();
        showDefaultLogo(u"Standaard logo..."_s);
        Enable_Controls();
        Paint_Logo();
    });
}

void SetupAlgemeen::cmdVoorbeeldTabellen_Click()
{
    guarded([&] {
        frmVoorbeeldKleurinstelling dialog(picCurrentColor[1]->backColor(), picCurrentColor[2]->backColor(),
                                           picCurrentColor[3]->backColor());
        dialog.setApplication(app());
        ui().showModal(dialog);
    });
}

} // namespace tarvelo
