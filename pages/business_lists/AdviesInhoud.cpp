#include "pages/business_lists/AdviesInhoud.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Settings.h"
#include "framework/settings/OnderwerpenSettings.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int ColumnWidth = 3600;
constexpr int RowHeight = 315;
constexpr int Rows = 7;
const QChar Separator = QLatin1Char('|');
} // namespace

AdviesInhoud::AdviesInhoud(Form& form, const QString& name, int index, Control* parent)
    : UserControl(form, u"AdviesInhoud"_s, name, index, parent)
{
    setBounds(0, 0, DesignWidth, DesignHeight);
    for (int i = 0; i < Onderwerpen().size(); ++i) {
        auto& box = inner().add<CheckBox>(inner(), u"chkOnderwerp"_s, {}, i);
        box.setCaption(Onderwerpen().at(i));
        box.setBounds((i / Rows) * ColumnWidth, (i % Rows) * RowHeight, ColumnWidth - 120, 255);
        box.Click.connect([this] { chkOnderwerp_Click(); });
        boxes_.push_back(&box);
    }
}

const QStringList& AdviesInhoud::Onderwerpen()
{
    static const QStringList onderwerpen{
        u"Hypotheek"_s,      u"Overlijden"_s,        u"Arbeidsongeschiktheid"_s, u"Werkloosheid"_s,
        u"Pensioen"_s,       u"Vermogensopbouw"_s,   u"Studie kinderen"_s,       u"Echtscheiding"_s,
        u"Verhuizen"_s,      u"Schenken en erven"_s, u"Zorg en ouder worden"_s,  u"Uitvaart"_s,
        u"Duurzaam wonen"_s, u"Sparen en lenen"_s};
    return onderwerpen;
}

// Every subject is ticked unless the settings leave it out.
void AdviesInhoud::Fill_Control()
{
    if (!setup_)
        throw RuntimeError::objectRequired();
    const QStringList uit =
        setup_->get<OnderwerpenSettings>().UitgeslotenAdviesonderwerpen.get().split(Separator, Qt::SkipEmptyParts);
    filling_ = true;
    for (int i = 0; i < int(boxes_.size()); ++i)
        boxes_[std::size_t(i)]->setChecked(!uit.contains(Onderwerpen().at(i)));
    filling_ = false;
}

// Subjects the control does not know (from a newer version) stay left out.
void AdviesInhoud::chkOnderwerp_Click()
{
    if (filling_)
        return;
    guarded([this] {
        if (!setup_)
            throw RuntimeError::objectRequired();
        Setting<QString>& setting = setup_->get<OnderwerpenSettings>().UitgeslotenAdviesonderwerpen;
        QStringList uit;
        for (const QString& known : setting.get().split(Separator, Qt::SkipEmptyParts)) {
            if (!Onderwerpen().contains(known))
                uit << known;
        }
        for (int i = 0; i < int(boxes_.size()); ++i) {
            if (!boxes_[std::size_t(i)]->isChecked())
                uit << Onderwerpen().at(i);
        }
        setting = uit.join(Separator);
    });
}

} // namespace tarvelo
