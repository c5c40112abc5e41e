#pragma once

#include "framework/host/Application.h"

#include <QStringList>
#include <functional>

namespace tarvelo {

class ComboBox;

// One of the host's company lists, read from position 1 until it ends.
using CompanyList = std::function<std::optional<HostCompany>(int)>;

// "<Maak uw keuze>" (item data 0), then every company whose code is not
// excluded, each carrying its position; the company with the stored code is
// selected, else "<Maak uw keuze>".
void fillCompanyCombo(ComboBox& combo, const CompanyList& companies, const QString& storedCode,
                      const QStringList& excludedCodes = {});

// The code of the chosen company; "" for "<Maak uw keuze>".
QString chosenCompanyCode(const ComboBox& combo, const CompanyList& companies);

} // namespace tarvelo
