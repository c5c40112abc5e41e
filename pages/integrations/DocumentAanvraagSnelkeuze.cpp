#include "pages/integrations/DocumentAanvraagSnelkeuze.h"

#include "framework/errors/RuntimeError.h"
#include "framework/host/Settings.h"
#include "framework/settings/OnlineInventorySettings.h"

namespace tarvelo {

DocumentAanvraagSnelkeuze::DocumentAanvraagSnelkeuze(Form& form, const QString& name, int index, Control* parent)
    : UserControl(form, QStringLiteral("DocumentAanvraagSnelkeuze"), name, index, parent),
      lblSnelkeuze(inner().add<Label>(QStringLiteral("lblSnelkeuze"))),
      cboSnelkeuze(inner().add<ComboBox>(QStringLiteral("cboSnelkeuze")))
{
    setBounds(0, 0, 6000, 315);
    lblSnelkeuze.setCaption(QStringLiteral("Documenten opvragen"));
    lblSnelkeuze.setBounds(0, 45, 2700, 255);
    cboSnelkeuze.setBounds(2700, 0, 3000, 315);
    cboSnelkeuze.Click.connect([this] {
        if (filling_)
            return;
        if (!setup_)
            throw RuntimeError::objectRequired();
        const int i = cboSnelkeuze.listIndex();
        setup_->get<OnlineInventorySettings>().DocumentAanvraagSnelkeuze = i >= 0 ? Keuzes().at(i) : QString();
    });
}

const QStringList& DocumentAanvraagSnelkeuze::Keuzes()
{
    static const QStringList keuzes{QStringLiteral("Geen documenten"), QStringLiteral("Legitimatie en inkomen"),
                                    QStringLiteral("Legitimatie, inkomen en woning"),
                                    QStringLiteral("Alle documenten voor een hypotheekaanvraag")};
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
