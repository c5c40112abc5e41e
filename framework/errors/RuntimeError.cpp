#include "framework/errors/RuntimeError.h"

namespace tarvelo {

RuntimeError::RuntimeError(long number, QString description, QString source)
    : std::runtime_error(description.toStdString()), number_(number),
      description_(std::move(description)), source_(std::move(source))
{
}

RuntimeError RuntimeError::overflow()
{
    return {ErrorNumber::Overflow, QStringLiteral("Overloop")};
}

RuntimeError RuntimeError::typeMismatch()
{
    return {ErrorNumber::TypeMismatch, QStringLiteral("Typen komen niet overeen")};
}

RuntimeError RuntimeError::subscriptOutOfRange()
{
    return {ErrorNumber::SubscriptOutOfRange, QStringLiteral("Subscript valt buiten het bereik")};
}

RuntimeError RuntimeError::invalidProcedureCall()
{
    return {ErrorNumber::InvalidProcedureCall, QStringLiteral("Ongeldige procedure-aanroep of ongeldig argument")};
}

RuntimeError RuntimeError::objectRequired()
{
    return {ErrorNumber::ObjectRequired, QStringLiteral("Object vereist")};
}

RuntimeError RuntimeError::fromStd(const std::exception& e)
{
    if (const auto* runtime = dynamic_cast<const RuntimeError*>(&e))
        return *runtime;
    return {ErrorNumber::ApplicationDefined, QString::fromLocal8Bit(e.what())};
}

} // namespace tarvelo
