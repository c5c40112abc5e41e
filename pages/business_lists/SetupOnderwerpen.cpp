#include "pages/business_lists/SetupOnderwerpen.h"

#include "framework/forms/Label.h"
#include "framework/host/Application.h"
#include "framework/host/ComponentFactory.h"
#include "framework/page/RowLayout.h"
#include "framework/settings/OnderwerpenSettings.h"
#include "framework/ui/Ui.h"
#include "pages/business_lists/AdviesInhoud.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int InnerWidth = 7800;
constexpr int TabColumnWidth = 2600;

const char* const TabbladCaptions[] = {
    "Hypotheek", "Kapitaalverz.", "ORV",     "AOV",        "Vermogen", "Krediet", "Uitvaart", "Uitkerende lijfrente",
    "Schade",    "Energie",       "Telecom", "Abonnement", "Uitgaven", "Overig"};
} // namespace

const std::array<qint32, 14> SetupOnderwerpen::TabbladBits = {1,   2,   4,    8,    16,   64,    4096,
                                                              128, 512, 1024, 2048, 8192, 16384, 256};

SetupOnderwerpen::SetupOnderwerpen()
    : SettingsPage(u"SetupOnderwerpen"_s),
      jnOnderwerpenBeperken(
          add<YesNo>(add<Frame>(form(), u"fraOnderwerpenBeperken"_s, u"Beperken"_s), u"jnOnderwerpenBeperken"_s)),
      chkAdviesonderwerpen(add<CheckBox>(form().control(u"fraOnderwerpenBeperken"_s), u"chkAdviesonderwerpen"_s,
                                         u"Adviesonderwerpen"_s)),
      chkTabbladen(add<CheckBox>(form().control(u"fraOnderwerpenBeperken"_s), u"chkTabbladen"_s, u"Tabbladen"_s)),
      fraAdviesonderwerpenBeperken(add<Frame>(form(), u"fraAdviesonderwerpenBeperken"_s, u"Adviesonderwerpen"_s)),
      fraHintAdviesonderwerpen(add<Frame>(fraAdviesonderwerpenBeperken, u"fraHintAdviesonderwerpen"_s)),
      fraAdviesInhoud(add<Frame>(fraAdviesonderwerpenBeperken, u"fraAdviesInhoud"_s)),
      fraTabbladenBeperken(add<Frame>(form(), u"fraTabbladenBeperken"_s, u"Tabbladen"_s)),
      fraHintTabbladen(add<Frame>(fraTabbladenBeperken, u"fraHintTabbladen"_s)),
      fraTabbladen(add<Frame>(fraTabbladenBeperken, u"fraTabbladen"_s))
{
    auto& fraBeperken = form().get<Frame>(u"fraOnderwerpenBeperken"_s);
    auto& lblBeperken =
        add<Label>(fraBeperken, u"lblOnderwerpenBeperken"_s, u"Wilt u de adviesonderwerpen en tabbladen beperken?"_s);
    RowLayout(fraBeperken, InnerWidth)
        .row({{&lblBeperken, 4935}, {&jnOnderwerpenBeperken, 1455}})
        .row({{&chkAdviesonderwerpen, 2400}, {&chkTabbladen, 0}})
        .finish();

    const int subWidth = InnerWidth - 2 * RowLayout::Margin;
    auto& lblAdviesonderwerpen =
        add<Label>(fraHintAdviesonderwerpen, u"lblAdviesonderwerpen"_s,
                   u"Hieronder zijn de adviesonderwerpen op het tabblad 'Aanleiding' in te stellen."_s);
    RowLayout(fraHintAdviesonderwerpen, subWidth, false).text(lblAdviesonderwerpen).finish();
    fraAdviesInhoud.setBounds(0, 0, AdviesInhoud::DesignWidth + 2 * RowLayout::Margin,
                              AdviesInhoud::DesignHeight + 2 * RowLayout::Margin);
    RowLayout adviesonderwerpen(fraAdviesonderwerpenBeperken, InnerWidth);
    adviesonderwerpen.line(fraHintAdviesonderwerpen, fraHintAdviesonderwerpen.height());
    adviesonderwerpen.line(fraAdviesInhoud, fraAdviesInhoud.height());
    adviesonderwerpen.finish();

    auto& hntTabbladen =
        add<Hint>(fraHintTabbladen, u"hntTabbladen"_s,
                  u"Door het selectievakje bij een onderwerp uit te zetten komt het onderwerp niet meer terug in de "
                  "aanleiding, scenario, dashboard, motivering & advies en rapportage."_s);
    auto& lblTabbladen =
        add<Label>(fraHintTabbladen, u"lblTabbladen"_s,
                   u"Hieronder zijn de tabbladen onder 'Huidige situatie' en 'Voorstel' in te stellen."_s);
    RowLayout(fraHintTabbladen, subWidth, false).text(hntTabbladen).text(lblTabbladen).finish();
    for (int i = 0; i < 14; ++i)
        chkTabblad[std::size_t(i)] =
            &add<CheckBox>(fraTabbladen, u"chkTabblad"_s, QString::fromUtf8(TabbladCaptions[i]), i);
    RowLayout tabs(fraTabbladen, subWidth, false);
    for (int i = 0; i < 5; ++i) {
        if (i + 10 < 14)
            tabs.row({{chkTabblad[std::size_t(i)], TabColumnWidth},
                      {chkTabblad[std::size_t(i + 5)], TabColumnWidth},
                      {chkTabblad[std::size_t(i + 10)], 0}});
        else
            tabs.row({{chkTabblad[std::size_t(i)], TabColumnWidth}, {chkTabblad[std::size_t(i + 5)], TabColumnWidth}});
    }
    tabs.finish();
    RowLayout tabbladen(fraTabbladenBeperken, InnerWidth);
    tabbladen.line(fraHintTabbladen, fraHintTabbladen.height());
    tabbladen.line(fraTabbladen, fraTabbladen.height());
    tabbladen.finish();

    jnOnderwerpenBeperken.Change.connect([this] { jnOnderwerpenBeperken_Change(); });
    chkAdviesonderwerpen.Click.connect([this] { chkAdviesonderwerpen_Click(); });
    chkTabbladen.Click.connect([this] { chkTabbladen_Click(); });
    for (int i = 0; i < 14; ++i)
        chkTabblad[std::size_t(i)]->Click.connect([this, i] { chkTabblad_Click(i); });
    stackFrames({&fraBeperken, &fraAdviesonderwerpenBeperken, &fraTabbladenBeperken});
}

void SetupOnderwerpen::Fill()
{
    const OnderwerpenSettings& s = Setup<OnderwerpenSettings>();
    jnOnderwerpenBeperken.setJa(s.OnderwerpenBeperken);
    jnOnderwerpenBeperken_Change();
    chkAdviesonderwerpen.setChecked(s.AdviesonderwerpenBeperken);
    chkTabbladen.setChecked(s.TabbladenBeperken);
    Init_AdviesInhoud();
    Fill_Tabbladen();
    Show_SubFrames();
}

void SetupOnderwerpen::Fill_Tabbladen()
{
    guarded([this] {
        const qint32 bits = Setup<OnderwerpenSettings>().Tabbladen;
        for (std::size_t i = 0; i < chkTabblad.size(); ++i)
            chkTabblad[i]->setChecked((bits & TabbladBits[i]) != 0);
    });
}

// The control is made once, then given the settings and the host again each
// time the subject restriction is switched on.
void SetupOnderwerpen::Init_AdviesInhoud()
{
    if (!adviesInhoud_) {
        UserControl& control =
            app().components().create(u"AdviesInhoud"_s, form(), u"AdviesInhoud"_s, &fraAdviesInhoud);
        adviesInhoud_ = &dynamic_cast<AdviesInhoud&>(control);
        adviesInhoud_->move(RowLayout::Margin, RowLayout::Margin);
        adviesInhoud_->setBackColor(BackColor());
    }
    adviesInhoud_->setSetup(Setup());
    adviesInhoud_->setApplication(app());
}

void SetupOnderwerpen::Show_SubFrames()
{
    const OnderwerpenSettings& s = Setup<OnderwerpenSettings>();
    const bool onderwerpen = s.AdviesonderwerpenBeperken;
    const bool tabbladen = s.TabbladenBeperken;
    fraHintAdviesonderwerpen.setVisible(onderwerpen);
    fraAdviesInhoud.setVisible(onderwerpen);
    fraHintTabbladen.setVisible(tabbladen);
    fraTabbladen.setVisible(tabbladen);
    // A frame with nothing to show takes no room.
    fraAdviesonderwerpenBeperken.setVisible(onderwerpen);
    fraAdviesonderwerpenBeperken.setHeight(onderwerpen ? fraAdviesInhoud.bottom() + RowLayout::Gap : 0);
    fraTabbladenBeperken.setVisible(tabbladen);
    fraTabbladenBeperken.setHeight(tabbladen ? fraTabbladen.bottom() + RowLayout::Gap : 0);
    form().Resize();
}

void SetupOnderwerpen::jnOnderwerpenBeperken_Change()
{
    guarded([this] {
        const bool ja = jnOnderwerpenBeperken.isJa();
        chkAdviesonderwerpen.setEnabled(ja);
        chkTabbladen.setEnabled(ja);
        if (IsLoading)
            return;
        Setup<OnderwerpenSettings>().OnderwerpenBeperken = ja;
        chkAdviesonderwerpen.setChecked(ja);
        chkTabbladen.setChecked(ja);
    });
}

void SetupOnderwerpen::chkAdviesonderwerpen_Click()
{
    if (IsLoading)
        return;
    guarded([this] {
        const bool on = chkAdviesonderwerpen.isChecked();
        Setup<OnderwerpenSettings>().AdviesonderwerpenBeperken = on;
        if (on)
            Init_AdviesInhoud();
        Show_SubFrames();
    });
}

// Switching the tab restriction on starts from every tab visible.
void SetupOnderwerpen::chkTabbladen_Click()
{
    if (IsLoading)
        return;
    guarded([this] {
        OnderwerpenSettings& s = Setup<OnderwerpenSettings>();
        const bool on = chkTabbladen.isChecked();
        s.TabbladenBeperken = on;
        if (on) {
            s.Tabbladen = OnderwerpenSettings::AlleTabbladen;
            Fill_Tabbladen();
        }
        Show_SubFrames();
    });
}

// The set is the sum of the ticked tabs; all fourteen ticked is stored as
// every tab (32767), the value the advices read as "no tab hidden". An advice
// needs at least one tab, so the last one cannot be unticked.
void SetupOnderwerpen::chkTabblad_Click(int index)
{
    if (IsLoading)
        return;
    guarded(Index{index}, [this, index] {
        qint32 bits = 0;
        bool all = true;
        for (std::size_t i = 0; i < chkTabblad.size(); ++i) {
            if (chkTabblad[i]->isChecked())
                bits |= TabbladBits[i];
            else
                all = false;
        }
        if (bits == 0) {
            ui().msgBox(u"Er moet ten minste \u00e9\u00e9n tabblad zichtbaar blijven."_s, MsgButtons::OK,
                        MsgIcon::Exclamation, Titel());
            chkTabblad[std::size_t(index)]->setChecked(true); // stores the set as it was
            return;
        }
        Setup<OnderwerpenSettings>().Tabbladen = all ? OnderwerpenSettings::AlleTabbladen : bits;
    });
}

} // namespace tarvelo
