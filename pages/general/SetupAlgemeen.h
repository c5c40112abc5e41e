#pragma once

#include "framework/forms/ComboBox.h"
#include "framework/forms/CommandButton.h"
#include "framework/forms/Image.h"
#include "framework/forms/Label.h"
#include "framework/forms/TextBox.h"
#include "framework/page/SettingsPage.h"

#include <QSize>
#include <array>

namespace tarvelo {

using namespace Qt::StringLiterals;

// "Algemeen": the office's house style: its logo, the six colours of the
// program and of the tables in printed overviews, and what the start screen shows.
class SetupAlgemeen final : public SettingsPage {
public:
    SetupAlgemeen();
    QString Titel() const override { return u"Algemeen"_s; }
    bool hasValidation() const override { return true; }

    // The box a logo is fitted into, in twips, its aspect ratio kept.
    static constexpr int LogoMaxWidth = 4515;
    static constexpr int LogoMaxHeight = 1035;
    static QSize fitLogo(QSize twips);
    // The name under which a newly chosen logo is copied before the old one goes.
    static inline const QString NewLogoName = u"Nieuw logo.tmp"_s;

protected:
    void Fill() override;
    bool guardsFill() const override { return true; }

private:
    void Fill_Logo();
    void Paint_Logo();
    void Enable_Controls();
    void UpdatePreview(bool warn);
    void cmdAanpassenKleur_Click(int index);
    void cmdDefaultKleur_Click(int index);
    void cmdBedrijfslogo_Click();
    void cmdLogoVerwijder_Click();
    void cmdVoorbeeldTabellen_Click();

    QString logoFolder() const;
    void showDefaultLogo(const QString& text);
    void showLogoPath(const QString& path);
    void applyBackColour();

    CommandButton* cmdBedrijfslogo = nullptr;
    CommandButton* cmdLogoVerwijder = nullptr;
    TextBox* txtLogoPath = nullptr;
    Image* imgBedrijflogo = nullptr;
    std::array<Label*, 6> picCurrentColor{};
    std::array<CommandButton*, 6> cmdAanpassenKleur{};
    std::array<CommandButton*, 6> cmdDefaultKleur{};
    QSize logoPixels;
    bool logoViaRegistry = false;
    bool defaultLogo = false;
};

} // namespace tarvelo
