#pragma once

#include "TarveloExport.h"

#include <QString>
#include <stdexcept>

namespace tarvelo {

using namespace Qt::StringLiterals;

// The name under which this library reports its own runtime errors.
inline const QString LibraryTitle = u"TarveloInstellingen"_s;

// An error with the number, description and source of the classic runtime,
// so that the host's error report can show all three.
class TARVELO_EXPORT RuntimeError : public std::runtime_error {
public:
    RuntimeError(long number, QString description, QString source = LibraryTitle);

    long number() const { return number_; }
    const QString& description() const { return description_; }
    const QString& source() const { return source_; }

    static RuntimeError overflow();             // 6
    static RuntimeError typeMismatch();         // 13
    static RuntimeError subscriptOutOfRange();  // 9
    static RuntimeError invalidProcedureCall(); // 5
    static RuntimeError objectRequired();       // 424

    // Any other exception, reported with the number of an application-defined error.
    static RuntimeError fromStd(const std::exception& e);

private:
    long number_;
    QString description_;
    QString source_;
};

namespace ErrorNumber {
inline constexpr long InvalidProcedureCall = 5;
inline constexpr long Overflow = 6;
inline constexpr long SubscriptOutOfRange = 9;
inline constexpr long TypeMismatch = 13;
inline constexpr long PathFileAccessError = 75;
inline constexpr long PathNotFound = 76;
inline constexpr long ObjectVariableNotSet = 91;
inline constexpr long ObjectRequired = 424;
inline constexpr long InvalidPicture = 481;
inline constexpr long ApplicationDefined = 1004;
} // namespace ErrorNumber

} // namespace tarvelo
