#pragma once

#include <QString>

namespace tarvelo {

using namespace Qt::StringLiterals;

// The HDN client's scheduler service as CWeslyHDN sees it. Failures throw RuntimeError.
class WeslyService {
public:
    virtual ~WeslyService() = default;
    // The service's state, e.g. "Running" or "Stopped".
    virtual QString state() = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
};

// The scheduler as a systemd unit ("cse-scheduler.service"): its sub-state
// ("running", "dead", ...) is the state.
class SystemdWeslyService final : public WeslyService {
public:
    explicit SystemdWeslyService(QString unit = u"cse-scheduler.service"_s) : unit_(std::move(unit)) {}
    QString state() override;
    void start() override;
    void stop() override;

private:
    QString systemctl(const QStringList& arguments);
    QString unit_;
};

} // namespace tarvelo
