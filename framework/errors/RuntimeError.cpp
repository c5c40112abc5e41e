#include "framework/errors/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

RuntimeError::RuntimeError(long number, QString description, QString source)
    : std::runtime_error(description.toStdString()),
      number_(number),
      description_(std::move(description)),
      source_(std::move(source))
{
}

RuntimeError RuntimeError::overflow() { return {ErrorNumber::Overflow, u"Overloop"_s}; }

RuntimeError RuntimeError::typeMismatch() { return {ErrorNumber::TypeMismatch, u"Typen komen niet overeen"_s}; }

RuntimeError RuntimeError::subscriptOutOfRange()
{
    return {ErrorNumber::SubscriptOutOfRange, u"Subscript valt buiten het bereik"_s};
}

RuntimeError RuntimeError::invalidProcedureCall()
{
    return {ErrorNumber::InvalidProcedureCall, u"Ongeldige procedure-aanroep of ongeldig argument"_s};
}

RuntimeError RuntimeError::objectRequired() { return {ErrorNumber::ObjectRequired, u"Object vereist"_s}; }

RuntimeError RuntimeError::fromStd(const std::exception& e)
{
    if (const auto* runtime = dynamic_cast<const RuntimeError*>(&e))
        return *runtime;
    return {ErrorNumber::ApplicationDefined, QString::fromLocal8Bit(e.what())};
}

} // namespace tarvelo
