#include "pages/integrations/DocumentAanvraagSnelkeuze.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Settings.h"
#include "framework/settings/OnlineInventorySettings.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

namespace {
constexpr int DefaultLabelWidth = 2700;
constexpr int ChoiceWidth = 3000;
} // namespace

DocumentAanvraagSnelkeuze::DocumentAanvraagSnelkeuze(Form& form, const QString& name, int index, Control* parent)
    : UserControl(form, u"DocumentAanvraagSnelkeuze"_s, name, index, parent),
      lblSnelkeuze(inner().add<Label>(inner(), u"lblSnelkeuze"_s)),
      cboSnelkeuze(inner().add<ComboBox>(inner(), u"cboSnelkeuze"_s))
{
    setBounds(0, 0, 6000, 315);
    lblSnelkeuze.setCaption(u"Documenten opvragen"_s);
    alignChoice(DefaultLabelWidth);
    cboSnelkeuze.Click.connect([this] {
        if (filling_)
            return;
        if (!setup_)
            throw RuntimeError::objectRequired();
        const int i = cboSnelkeuze.listIndex();
        setup_->get<OnlineInventorySettings>().DocumentAanvraagSnelkeuze = i >= 0 ? Keuzes().at(i) : QString();
    });
}

void DocumentAanvraagSnelkeuze::alignChoice(int labelWidth)
{
    lblSnelkeuze.setBounds(0, 45, labelWidth, 255);
    cboSnelkeuze.setBounds(labelWidth, 0, ChoiceWidth, 315);
}

const QStringList& DocumentAanvraagSnelkeuze::Keuzes()
{
    static const QStringList keuzes{u"Geen documenten"_s, u"Legitimatie en inkomen"_s,
                                    u"Legitimatie, inkomen en woning"_s,
                                    u"Alle documenten voor een hypotheekaanvraag"_s};
    return keuzes;
}

Application& DocumentAanvraagSnelkeuze::SetApplication(Application& application)
{
    setApplication(application);
    return application;
}

void DocumentAanvraagSnelkeuze::Fill_Control()
{
    if (!setup_)
        throw RuntimeError::objectRequired();
    filling_ = true;
    cboSnelkeuze.clear();
    for (const QString& keuze : Keuzes())
        cboSnelkeuze.addItem(keuze);
    // A choice that is not in the list is shown as none, and kept.
    cboSnelkeuze.setListIndex(Keuzes().indexOf(setup_->get<OnlineInventorySettings>().DocumentAanvraagSnelkeuze.get()));
    filling_ = false;
}

} // namespace tarvelo
