#pragma once

#include "host/admin/PageInspector.h"

#include <QDialog>
#include <functional>
#include <vector>

class QTreeWidget;

namespace tarvelo {

// Every problem the pages' input checks found before saving, in one list
// (page, field, message); choosing a line opens that page at the field.
class CheckProblemsDialog final : public QDialog {
public:
    CheckProblemsDialog(std::vector<CheckProblem> problems, std::function<void(const CheckProblem&)> chosen,
                        QWidget* parent = nullptr);

    const std::vector<CheckProblem>& problems() const { return problems_; }
    // The user chose line i: the dialog stays open beside the page.
    void choose(int i);

private:
    std::vector<CheckProblem> problems_;
    std::function<void(const CheckProblem&)> chosen_;
    QTreeWidget* list_;
};

} // namespace tarvelo
