#include "DistrictFile.h"

#include "District.h"
#include "RuntimeError.h"
#include "StringTable.h"

#include <QDir>

namespace {

// The header's first line starts "40mtrict:": version 4 and the district field's label.
constexpr char kVersion = '4';
const QByteArray kMarkAfterVersion = QByteArrayLiteral("0mtrict:");

DistrictFile::Result refused(const QString &message)
{
    return { false, message };
}

} // namespace

DistrictFile::Kind DistrictFile::kindOf(const QByteArray &bytes)
{
    if (bytes.startsWith(kVersion) && bytes.mid(1, kMarkAfterVersion.size()) == kMarkAfterVersion)
        return Kind::District;
    if (!bytes.isEmpty()
        && RecordDecoder::recordKind(static_cast<quint8>(bytes.at(0)))
            == RecordDecoder::RecordKind::District)
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

DistrictFile::Result DistrictFile::open(const QString &path, District &district,
                                        const StringTable &strings)
{
    // Read aside first: the image in memory stays whole until the new one is accepted.
    QByteArray bytes;
    try {
        bytes = DistrictImage::readFile(path);
    } catch (const RuntimeError &e) {
        return refused(e.description());
    }
    return open(path, bytes, district, strings);
}

DistrictFile::Result DistrictFile::open(const QString &path, const QByteArray &bytes,
                                        District &district, const StringTable &strings)
{
    if (kindOf(bytes) != Kind::District)
        return refused(refusal(path, bytes, strings));
    if (bytes.size() < DistrictImage::kHeaderLength)
        return refused(path
                       + QStringLiteral(": the file is shorter than its %1-byte header (%2 bytes)")
                             .arg(DistrictImage::kHeaderLength)
                             .arg(bytes.size()));

    district.image().setBytes(bytes);
    // Made of the name as given: QFileInfo would lose a byte that is not UTF-8.
    district.image().setPath(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
    district.decode();
    return { true, QString() };
}
