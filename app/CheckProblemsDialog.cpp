#include "app/CheckProblemsDialog.h"

#include "app/render/AccessKeys.h"

#include "app/ColumnFit.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tarvelo {

CheckProblemsDialog::CheckProblemsDialog(std::vector<CheckProblem> problems,
                                         std::function<void(const CheckProblem&)> chosen, QWidget* parent)
    : QDialog(parent),
      problems_(std::move(problems)),
      chosen_(std::move(chosen))
{
    setObjectName(u"frmControle"_s);
    setWindowTitle(u"Instellingen niet opgeslagen"_s);
    auto* intro = new QLabel(u"De instellingen zijn niet opgeslagen. Los eerst deze problemen op; "
                             "kies een regel om naar het veld te gaan."_s,
                             this);
    intro->setWordWrap(true);
    list_ = new QTreeWidget(this);
    list_->setObjectName(u"lvwProblemen"_s);
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({u"Pagina"_s, u"Veld"_s, u"Melding"_s});
    for (const CheckProblem& p : problems_)
        new QTreeWidgetItem(list_, {p.title, p.fieldCaption.isEmpty() ? p.field : p.fieldCaption, p.message});
    list_->header()->setStretchLastSection(true);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* go = buttons->addButton(u"Naar het veld"_s, QDialogButtonBox::AcceptRole);
    go->setObjectName(u"cmdNaarVeld"_s);
    buttons->addButton(u"Sluiten"_s, QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    fitColumnsAndDialog(*this, *list_, 480, {620, 300});
    giveAccessKeys(*this);
    QObject::connect(list_, &QTreeWidget::itemActivated, this,
                     [this](QTreeWidgetItem* item) { choose(list_->indexOfTopLevelItem(item)); });
    QObject::connect(go, &QPushButton::clicked, this,
                     [this] { choose(list_->currentItem() ? list_->indexOfTopLevelItem(list_->currentItem()) : 0); });
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (!problems_.empty())
        list_->setCurrentItem(list_->topLevelItem(0));
}

void CheckProblemsDialog::choose(int i)
{
    if (i < 0 || i >= int(problems_.size()))
        return;
    list_->setCurrentItem(list_->topLevelItem(i));
    if (chosen_)
        chosen_(problems_[std::size_t(i)]);
}

} // namespace tarvelo
