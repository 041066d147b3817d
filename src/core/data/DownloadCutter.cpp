#include "DownloadCutter.h"

#include "Checked.h"
#include "RecordDecoder.h"
#include "SaveDistrictPrompt.h"

#include <limits>

DownloadCutter::DownloadCutter(ErrorReport &errorReport)
    : m_errorReport(errorReport)
{ }

QList<qint32> DownloadCutter::districtPositions(const QByteArray &download)
{
    if (download.size() > std::numeric_limits<qint32>::max())
        throw RuntimeError::overflow();
    QList<qint32> positions;
    const auto length = static_cast<qint32>(download.size());
    qint32 position = 0;
    while (position < length) {
        const auto kind = RecordDecoder::recordKind(static_cast<quint8>(download.at(position)));
        if (kind == RecordDecoder::RecordKind::District)
            positions.append(position);
        position += RecordDecoder::recordLength(kind);
    }
    return positions;
}

QString DownloadCutter::districtNumber(const QByteArray &download, qint32 position)
{
    QString text;
    for (qint32 p = position + 1; p <= position + 5; ++p)
        text.append(RecordDecoder::lowNibbleChar(Checked::byteAt(download, p)));
    return text;
}

DownloadCutter::Result DownloadCutter::cut(const QByteArray &download, QString &folder,
                                           SaveDistrictPrompt &prompt) const
{
    const QList<qint32> positions = districtPositions(download);
    const auto length = static_cast<qint32>(download.size());
    Result result { static_cast<qint32>(positions.size()), {}, DistrictImage(m_errorReport) };
    DistrictImage &image = result.last;
    for (qsizetype k = 0; k < positions.size(); ++k) {
        const qint32 start = positions.at(k);
        const qint32 end = k + 1 < positions.size() ? positions.at(k + 1) : length;
        image.setBlankHeader();
        image.setRecords(download, start, end);
        image.setPath(QString());

        SaveDistrictPrompt::Texts texts;
        try {
            texts.fileName = districtNumber(download, start);
        } catch (const RuntimeError &) {
            // A district record cut short by the end of the download: no number to
            // propose, but its bytes are still saved under the name the user gives.
        }
        texts.district = texts.fileName;
        // Asked again, with the texts as given, for as long as its file fails to be
        // written and the user wants another try.
        while (image.path().isEmpty() && prompt.askDistrict(texts, folder)) {
            const QString path = folder + texts.fileName + QStringLiteral(".dat");
            image.setHeaderTexts({ texts.district, texts.title, texts.comments1, texts.comments2 });
            try {
                image.writeFile(path);
                image.setPath(path);
                result.written.append(path);
            } catch (const RuntimeError &e) {
                if (!prompt.districtNotWritten(path, e.description()))
                    break;
            }
        }
        // A district not written is in no file: it must not be saved over the file of the
        // district before it, nor into a file it was never written to.
    }
    return result;
}
