#pragma once

#include "framework/host/Advies.h"

namespace tarvelo {

class OfficeDatabase;

// An advice of the office database with its loan parts (table Leningdeel).
class OfficeAdvice final : public Advies {
public:
    OfficeAdvice(OfficeDatabase& db, const QString& id) : db_(db), id_(id) {}

    // Whether the office database holds an advice with that identifier.
    static bool exists(OfficeDatabase& db, const QString& id);

    QString ID() const override { return id_; }
    std::optional<Lening> Leningdeel(int index) const override;
    void SaveLening(const Lening& lening) override;

private:
    OfficeDatabase& db_;
    QString id_;
};

} // namespace tarvelo
