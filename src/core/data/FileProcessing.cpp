#include "FileProcessing.h"

#include "Checked.h"
#include "CodePage1252.h"
#include "ErrorReport.h"
#include "FileNameBytes.h"
#include "SaveDistrictPrompt.h"
#include "WholeFile.h"

#include <QFile>
#include <QFileInfo>

#include <limits>

namespace {

struct Field
{
    qint32 offset;
    qint32 width;
};

constexpr Field kDistrict { 9, FileProcessing::kDistrictLength };
constexpr Field kTitle { 25, FileProcessing::kTextLength };
constexpr Field kComments1 { 96, FileProcessing::kTextLength };
constexpr Field kComments2 { 167, FileProcessing::kTextLength };

// The fixed header: five CR LF terminated lines with four space-filled text fields.
QByteArray headerTemplate()
{
    const QByteArray crlf("\r\n");
    QByteArray header;
    header.reserve(FileProcessing::kHeaderLength);
    header += "40mtrict:" + QByteArray(8, ' ') + crlf;
    header += "title:" + QByteArray(60, ' ') + crlf;
    header += "Komments:" + QByteArray(60, ' ') + crlf;
    header += "        :" + QByteArray(60, ' ') + crlf;
    header += "identification:0" + crlf;
    Q_ASSERT(header.size() == FileProcessing::kHeaderLength);
    return header;
}

} // namespace

FileProcessing::FileProcessing(ErrorReport &errorReport)
    : m_errorReport(errorReport)
{ }

void FileProcessing::initialiseHeader()
{
    static const QByteArray kTemplate = headerTemplate();
    m_rawImage = kTemplate;
    m_lngImageLength = kHeaderLength;
}

void FileProcessing::copyDistrictRecords(const QByteArray &bytDownload, qint32 from, qint32 to)
{
    if (from < 0 || to < from || to > bytDownload.size())
        throw RuntimeError::subscriptOutOfRange();
    const qint64 length = static_cast<qint64>(kHeaderLength) + (to - from);
    if (length > std::numeric_limits<qint32>::max())
        throw RuntimeError::overflow();
    m_rawImage.resize(kHeaderLength);
    m_rawImage.append(bytDownload.constData() + from, to - from);
    m_lngImageLength = static_cast<qint32>(length);
}

void FileProcessing::readImageFile(const QString &path)
{
    setImage(readFileBytes(path));
}

QByteArray FileProcessing::readFileBytes(const QString &path)
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

void FileProcessing::setImage(const QByteArray &bytes)
{
    if (bytes.size() > std::numeric_limits<qint32>::max())
        throw RuntimeError::overflow();
    m_rawImage = bytes;
    m_lngImageLength = static_cast<qint32>(bytes.size());
}

void FileProcessing::writeImageFile(const QString &path) const
{
    QString reason;
    if (!WholeFile::write(path, m_rawImage.constData(), m_lngImageLength, reason))
        throw RuntimeError(path + QStringLiteral(": ") + reason);
}

QString FileProcessing::textRefusal(const QString &text)
{
    const QString character = CodePage1252::firstUnheld(text);
    if (character.isEmpty())
        return QString();
    return QStringLiteral("The character \"") + character
        + QStringLiteral("\" cannot be stored in a district file; type the text without it.");
}

void FileProcessing::putHeaderText(const QString &text, qint32 offset, qint32 width)
{
    if (offset < 0 || width < 0 || static_cast<qint64>(offset) + width > m_lngImageLength)
        throw RuntimeError::subscriptOutOfRange();
    // A character the code page cannot hold becomes "?". Every caller refuses such a text
    // first (textRefusal); should one not, the event log says so.
    const QString unheld = CodePage1252::firstUnheld(QStringView(text).left(width));
    if (!unheld.isEmpty())
        m_errorReport.logInformation(QStringLiteral("The character \"") + unheld
                                     + QStringLiteral("\" of a header text was stored as \"?\"."));
    for (qint32 i = 0; i < width; ++i) {
        char byte = ' ';
        if (i < text.size() && !CodePage1252::toByte(text.at(i), byte))
            byte = '?';
        m_rawImage[offset + i] = byte;
    }
}

QString FileProcessing::getHeaderText(qint32 offset, qint32 width) const
{
    if (offset < 0 || width < 0 || static_cast<qint64>(offset) + width > m_lngImageLength)
        throw RuntimeError::subscriptOutOfRange();
    qint32 end = offset + width;
    while (end > offset && m_rawImage.at(end - 1) == ' ')
        --end;
    return CodePage1252::toUnicode(m_rawImage.constData() + offset, end - offset);
}

void FileProcessing::setDistrict(const QString &text)
{
    putHeaderText(text, kDistrict.offset, kDistrict.width);
}
void FileProcessing::setTitle(const QString &text)
{
    putHeaderText(text, kTitle.offset, kTitle.width);
}
void FileProcessing::setComments1(const QString &text)
{
    putHeaderText(text, kComments1.offset, kComments1.width);
}
void FileProcessing::setComments2(const QString &text)
{
    putHeaderText(text, kComments2.offset, kComments2.width);
}
QString FileProcessing::getDistrict() const
{
    return getHeaderText(kDistrict.offset, kDistrict.width);
}
QString FileProcessing::getTitle() const
{
    return getHeaderText(kTitle.offset, kTitle.width);
}
QString FileProcessing::getComments1() const
{
    return getHeaderText(kComments1.offset, kComments1.width);
}
QString FileProcessing::getComments2() const
{
    return getHeaderText(kComments2.offset, kComments2.width);
}

FileProcessing::HeaderTexts FileProcessing::headerTexts() const
{
    return { getDistrict(), getTitle(), getComments1(), getComments2() };
}

void FileProcessing::setHeaderTexts(const HeaderTexts &texts)
{
    setDistrict(texts.district);
    setTitle(texts.title);
    setComments1(texts.comments1);
    setComments2(texts.comments2);
}

void FileProcessing::saveHeaderTexts(const HeaderTexts &texts)
{
    const HeaderTexts old = headerTexts();
    setHeaderTexts(texts);
    try {
        writeImageFile(m_strDataFile);
    } catch (const RuntimeError &) {
        setHeaderTexts(old);
        throw;
    }
}

QList<qint32> FileProcessing::districtPositions(const QByteArray &bytDownload,
                                                qint32 lngDownloadLength)
{
    QList<qint32> positions;
    const qint32 length
        = static_cast<qint32>(std::min<qint64>(std::max(lngDownloadLength, 0), bytDownload.size()));
    qint32 position = 0;
    while (position < length) {
        const RecordKind kind = recordKind(static_cast<quint8>(bytDownload.at(position)));
        if (kind == RecordKind::District)
            positions.append(position);
        position += recordStep(kind);
    }
    return positions;
}

QStringList FileProcessing::saveDistricts(const QByteArray &bytDownload, qint32 lngDownloadLength,
                                          QString &strDefaultDir, SaveDistrictPrompt &prompt)
{
    const qint32 length
        = static_cast<qint32>(std::min<qint64>(std::max(lngDownloadLength, 0), bytDownload.size()));
    const QList<qint32> positions = districtPositions(bytDownload, length);
    QStringList written;
    for (qsizetype k = 0; k < positions.size(); ++k) {
        const qint32 start = positions.at(k);
        const qint32 end = k + 1 < positions.size() ? positions.at(k + 1) : length;
        initialiseHeader();
        copyDistrictRecords(bytDownload, start, end);

        SaveDistrictPrompt::Texts texts;
        try {
            texts.fileName = getDistrictNumber(bytDownload, start);
        } catch (const RuntimeError &) {
            // A district record cut short by the end of the download: no number to
            // propose, but its bytes are still saved under the name the user gives.
        }
        texts.district = texts.fileName;
        // Asked again, with the texts as given, for as long as its file fails to be
        // written and the user wants another try.
        bool saved = false;
        while (!saved && prompt.askDistrict(texts, strDefaultDir)) {
            m_strDataFile = strDefaultDir + texts.fileName + QStringLiteral(".dat");
            setHeaderTexts({ texts.district, texts.title, texts.comments1, texts.comments2 });
            try {
                writeImageFile(m_strDataFile);
                written.append(m_strDataFile);
                saved = true;
            } catch (const RuntimeError &e) {
                if (!prompt.districtNotWritten(m_strDataFile, e.description()))
                    break;
            }
        }
        // The image now holds a district that is in no file: it must not be saved over
        // the file of the district before it, nor into a file it was never written to.
        if (!saved)
            m_strDataFile.clear();
    }
    return written;
}
