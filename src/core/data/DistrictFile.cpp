#include "DistrictFile.h"

#include "Checked.h"
#include "RuntimeError.h"
#include "StringTable.h"

#include <QDir>

namespace {

DistrictFile::Result refused(DistrictFile::Failure failure, const QString &message)
{
    DistrictFile::Result result;
    result.failure = failure;
    result.message = message;
    return result;
}

} // namespace

DistrictFile::Result DistrictFile::open(const QString &path, FileProcessing &file, qint16 &intUnits,
                                        const StringTable &strings)
{
    // Read aside first: the image in memory stays whole until the new one is accepted.
    QByteArray bytes;
    try {
        bytes = FileProcessing::readFileBytes(path);
    } catch (const RuntimeError &e) {
        return refused(Failure::Unreadable, e.description());
    }
    // An older file is told as such even when it is short.
    if (Checked::byteAt(bytes, 0) != '4')
        return refused(Failure::NotVersion4, path + QStringLiteral(": ") + strings.text(40250));
    if (bytes.size() < FileProcessing::kHeaderLength)
        return refused(
            Failure::HeaderCutShort,
            path
                + QStringLiteral(": the file is shorter than its %1-byte header "
                                 "(%2 %3)")
                      .arg(FileProcessing::kHeaderLength)
                      .arg(bytes.size())
                      .arg(bytes.size() == 1 ? QStringLiteral("byte") : QStringLiteral("bytes")));

    file.setImage(bytes);
    // Made of the name as given: QFileInfo would lose a byte that is not UTF-8.
    file.setDataFile(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
    file.processRecords(intUnits);
    Result result;
    result.ok = true;
    result.problems = file.problems();
    return result;
}
