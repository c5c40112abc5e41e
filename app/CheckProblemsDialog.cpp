#include "app/CheckProblemsDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarvelo {

CheckProblemsDialog::CheckProblemsDialog(std::vector<CheckProblem> problems,
                                         std::function<void(const CheckProblem&)> chosen, QWidget* parent)
    : QDialog(parent), problems_(std::move(problems)), chosen_(std::move(chosen))
{
    setObjectName(QStringLiteral("frmControle"));
    setWindowTitle(QStringLiteral("Instellingen niet opgeslagen"));
    auto* intro = new QLabel(QStringLiteral("De instellingen zijn niet opgeslagen. Los eerst deze problemen op; "
                                            "kies een regel om naar het veld te gaan."),
                             this);
    intro->setWordWrap(true);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("lvwProblemen"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({QStringLiteral("Pagina"), QStringLiteral("Veld"), QStringLiteral("Melding")});
    for (const CheckProblem& p : problems_)
        new QTreeWidgetItem(list_, {p.title, p.field, p.message});
    list_->header()->setStretchLastSection(true);
    list_->resizeColumnToContents(0);
    list_->resizeColumnToContents(1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* go = buttons->addButton(QStringLiteral("Naar het veld"), QDialogButtonBox::AcceptRole);
    go->setObjectName(QStringLiteral("cmdNaarVeld"));
    buttons->addButton(QStringLiteral("Sluiten"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(620, 260);
    QObject::connect(list_, &QTreeWidget::itemActivated, this,
                     [this](QTreeWidgetItem* item) { choose(list_->indexOfTopLevelItem(item)); });
    QObject::connect(go, &QPushButton::clicked, this, [this] {
        choose(list_->currentItem() ? list_->indexOfTopLevelItem(list_->currentItem()) : 0);
    });
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
