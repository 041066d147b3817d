#include "District.h"

#include "ErrorReport.h"

District::District(ErrorReport &errorReport)
    : m_errorReport(errorReport)
    , m_image(errorReport)
{ }

void District::decode()
{
    RecordDecoder::decode(m_image.bytes(), m_decoded);
    // An image tied to no file (a download not saved) has nowhere for an offset to point
    // into: its entries are the plain ones.
    const QString &path = m_image.path();
    for (const RecordDecoder::Fault &fault : std::as_const(m_decoded.faults)) {
        const QString where = path.isEmpty()
            ? QString()
            : QStringLiteral("file %1, offset %2").arg(path, QString::number(fault.offset));
        m_errorReport.report(fault.description, RecordDecoder::loggedModule(), fault.procedure,
                             where);
    }
}
