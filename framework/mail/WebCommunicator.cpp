#include "framework/mail/WebCommunicator.h"

#include "framework/errors/RuntimeError.h"

using namespace Qt::StringLiterals;

namespace tarvelo {

void WebCommunicator::setRequestXML(const QString& xml)
{
    const QByteArray utf8 = xml.toUtf8();
    pugi::xml_document document;
    if (!document.load_buffer(utf8.constData(), std::size_t(utf8.size()), pugi::parse_default | pugi::parse_declaration,
                              pugi::encoding_utf8))
        throw RuntimeError(ErrorNumber::ApplicationDefined, u"Het te versturen bericht is geen XML."_s,
                           u"WebCommunicator.RequestXML"_s);
    com_.setXMLRequest(document);
}

void WebCommunicator::send()
{
    if (!com_.SendXML())
        throw RuntimeError(ErrorNumber::ApplicationDefined, u"De webservice gaf een fout: %1"_s.arg(com_.MELDING()),
                           u"WebCommunicator.send"_s);
}

} // namespace tarvelo
