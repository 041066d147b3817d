#include "DistrictFile.h"

#include "Checked.h"
#include "RuntimeError.h"
#include "StringTable.h"

#include <QDir>

namespace {

// The header's first line starts "40mtrict:": version 4 and the district field's label.
constexpr char kVersion = '4';
const QByteArray kMarkAfterVersion = QByteArrayLiteral("0mtrict:");

DistrictFile::Result refused(const QString &message)
{
    DistrictFile::Result result;
    result.message = message;
    return result;
}

} // namespace

DistrictFile::Kind DistrictFile::kindOf(const QByteArray &bytes)
{
    if (bytes.startsWith(kVersion) && bytes.mid(1, kMarkAfterVersion.size()) == kMarkAfterVersion)
        return Kind::District;
    if (!bytes.isEmpty()
        && FileProcessing::recordKind(static_cast<quint8>(bytes.at(0)))
            == FileProcessing::RecordKind::District)
        return Kind::Download;
    return Kind::Other;
}

QString DistrictFile::refusal(const QString &path, const QByteArray &bytes,
                              const StringTable &strings)
{
    const char first = bytes.isEmpty() ? '\0' : bytes.at(0);
    if (first >= '0' && first <= '9' && first != kVersion)
        return path + QStringLiteral(": ") + strings.text(40250);
    return path + QStringLiteral(" is not a district file.");
}

DistrictFile::Result DistrictFile::open(const QString &path, FileProcessing &file, qint16 &intUnits,
                                        const StringTable &strings)
{
    // Read aside first: the image in memory stays whole until the new one is accepted.
    QByteArray bytes;
    try {
        bytes = FileProcessing::readFileBytes(path);
    } catch (const RuntimeError &e) {
        return refused(e.description());
    }
    return openBytes(path, bytes, file, intUnits, strings);
}

DistrictFile::Result DistrictFile::openBytes(const QString &path, const QByteArray &bytes,
                                             FileProcessing &file, qint16 &intUnits,
                                             const StringTable &strings)
{
    if (kindOf(bytes) != Kind::District)
        return refused(refusal(path, bytes, strings));
    if (bytes.size() < FileProcessing::kHeaderLength)
        return refused(path
                       + QStringLiteral(": the file is shorter than its %1-byte header (%2 bytes)")
                             .arg(FileProcessing::kHeaderLength)
                             .arg(bytes.size()));

    file.setImage(bytes);
    // Made of the name as given: QFileInfo would lose a byte that is not UTF-8.
    file.setDataFile(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
    file.processRecords(intUnits);
    Result result;
    result.ok = true;
    result.problems = file.problems();
    return result;
}
