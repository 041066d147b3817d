#include "DistrictImage.h"

#include "CodePage1252.h"
#include "ErrorReport.h"
#include "FileNameBytes.h"
#include "RuntimeError.h"
#include "WholeFile.h"

#include <QFile>

#include <limits>

namespace {

struct Place
{
    qint32 offset;
    qint32 width;
};

Place placeOf(DistrictImage::Field field)
{
    switch (field) {
    case DistrictImage::Field::District:
        return { 9, DistrictImage::kDistrictLength };
    case DistrictImage::Field::Title:
        return { 25, DistrictImage::kTextLength };
    case DistrictImage::Field::Comments1:
        return { 96, DistrictImage::kTextLength };
    case DistrictImage::Field::Comments2:
        break;
    }
    return { 167, DistrictImage::kTextLength };
}

// The fixed header: five CR LF terminated lines with four space-filled text fields.
QByteArray headerTemplate()
{
    const QByteArray crlf("\r\n");
    QByteArray header;
    header.reserve(DistrictImage::kHeaderLength);
    header += "40mtrict:" + QByteArray(8, ' ') + crlf;
    header += "title:" + QByteArray(60, ' ') + crlf;
    header += "Komments:" + QByteArray(60, ' ') + crlf;
    header += "        :" + QByteArray(60, ' ') + crlf;
    header += "identification:0" + crlf;
    Q_ASSERT(header.size() == DistrictImage::kHeaderLength);
    return header;
}

} // namespace

DistrictImage::DistrictImage(ErrorReport &errorReport)
    : m_errorReport(&errorReport)
{ }

void DistrictImage::setBytes(const QByteArray &bytes)
{
    if (bytes.size() > std::numeric_limits<qint32>::max())
        throw RuntimeError::overflow();
    m_bytes = bytes;
}

QByteArray DistrictImage::readFile(const QString &path)
{
    QFile file;
    QString reason;
    if (!FileNameBytes::openForReading(file, path, reason))
        throw RuntimeError(path + QStringLiteral(": ") + reason);
    const qint64 size = file.size();
    if (size == 0)
        throw RuntimeError(path + QStringLiteral(": the file is empty"));
    if (size > std::numeric_limits<qint32>::max() - 1)
        throw RuntimeError(path + QStringLiteral(": the file is too large"));
    QByteArray bytes = file.readAll();
    if (bytes.size() != size)
        throw RuntimeError(path + QStringLiteral(": ") + file.errorString());
    return bytes;
}

void DistrictImage::writeFile(const QString &path) const
{
    QString reason;
    if (!WholeFile::write(path, m_bytes, reason))
        throw RuntimeError(path + QStringLiteral(": ") + reason);
}

void DistrictImage::setBlankHeader()
{
    static const QByteArray kTemplate = headerTemplate();
    m_bytes = kTemplate;
}

void DistrictImage::setRecords(const QByteArray &download, qint32 from, qint32 to)
{
    if (from < 0 || to < from || to > download.size())
        throw RuntimeError::subscriptOutOfRange();
    if (static_cast<qint64>(kHeaderLength) + (to - from) > std::numeric_limits<qint32>::max())
        throw RuntimeError::overflow();
    m_bytes.resize(kHeaderLength);
    m_bytes.append(download.constData() + from, to - from);
}

QString DistrictImage::textRefusal(const QString &text)
{
    const QString character = CodePage1252::firstUnheld(text);
    if (character.isEmpty())
        return QString();
    return QStringLiteral("The character \"") + character
        + QStringLiteral("\" cannot be stored in a district file; type the text without it.");
}

void DistrictImage::putText(const QString &text, qint32 offset, qint32 width)
{
    if (offset < 0 || width < 0 || static_cast<qint64>(offset) + width > m_bytes.size())
        throw RuntimeError::subscriptOutOfRange();
    // A character the code page cannot hold becomes "?". Every caller refuses such a text
    // first (textRefusal); should one not, the event log says so.
    const QString unheld = CodePage1252::firstUnheld(QStringView(text).left(width));
    if (!unheld.isEmpty())
        m_errorReport->logInformation(QStringLiteral("The character \"") + unheld
                                      + QStringLiteral("\" of a header text was stored as \"?\"."));
    for (qint32 i = 0; i < width; ++i) {
        char byte = ' ';
        if (i < text.size() && !CodePage1252::toByte(text.at(i), byte))
            byte = '?';
        m_bytes[offset + i] = byte;
    }
}

QString DistrictImage::getText(qint32 offset, qint32 width) const
{
    if (offset < 0 || width < 0 || static_cast<qint64>(offset) + width > m_bytes.size())
        throw RuntimeError::subscriptOutOfRange();
    qint32 end = offset + width;
    while (end > offset && m_bytes.at(end - 1) == ' ')
        --end;
    return CodePage1252::toUnicode(m_bytes.constData() + offset, end - offset);
}

QString DistrictImage::text(Field field) const
{
    const Place place = placeOf(field);
    return getText(place.offset, place.width);
}

void DistrictImage::setText(Field field, const QString &text)
{
    const Place place = placeOf(field);
    putText(text, place.offset, place.width);
}

DistrictImage::HeaderTexts DistrictImage::headerTexts() const
{
    return { text(Field::District), text(Field::Title), text(Field::Comments1),
             text(Field::Comments2) };
}

void DistrictImage::setHeaderTexts(const HeaderTexts &texts)
{
    setText(Field::District, texts.district);
    setText(Field::Title, texts.title);
    setText(Field::Comments1, texts.comments1);
    setText(Field::Comments2, texts.comments2);
}

void DistrictImage::saveHeaderTexts(const HeaderTexts &texts)
{
    const HeaderTexts old = headerTexts();
    setHeaderTexts(texts);
    try {
        writeFile(m_path);
    } catch (const RuntimeError &) {
        setHeaderTexts(old);
        throw;
    }
}
