#include "framework/mail/WebCommunicator.h"

#include "framework/errors/RuntimeError.h"

namespace tarvelo {

void WebCommunicator::setRequestXML(const QString& xml)
{
    const QByteArray utf8 = xml.toUtf8();
    pugi::xml_document document;
    if (!document.load_buffer(utf8.constData(), std::size_t(utf8.size()), pugi::parse_default | pugi::parse_declaration,
                              pugi::encoding_utf8))
        throw RuntimeError(ErrorNumber::ApplicationDefined, QStringLiteral("Het te versturen bericht is geen XML."),
                           QStringLiteral("WebCommunicator.RequestXML"));
    com_.setXMLRequest(document);
}

void WebCommunicator::send()
{
    if (!com_.SendXML())
        throw RuntimeError(ErrorNumber::ApplicationDefined,
                           QStringLiteral("De webservice gaf een fout: %1").arg(com_.MELDING()),
                           QStringLiteral("WebCommunicator.send"));
}

} // namespace tarvelo
