#include "DistrictFileNames.h"

#include <QDir>
#include <QRegularExpression>

// The safe form: letters, digits, ".", "_" and "-" stay; every other character (the
// path separator, NUL and other control characters, spaces, and what a shell or another
// system gives a meaning, such as * ? < > | : " \ ; =) becomes "_". A leading "." (a
// hidden file, or a name made only of dots) or "-" (read as an option) becomes "_" too.
// A device name reserved by other systems (CON, NUL, COM1 ...) gets a "_" behind it,
// and an empty name becomes "district".
QString DistrictFileNames::safeName(const QString &proposed)
{
    if (proposed.isEmpty())
        return QStringLiteral("district");
    QString name = proposed;
    for (QChar &c : name) {
        const bool kept = c.isLetterOrNumber() || c == u'.' || c == u'_' || c == u'-';
        if (!kept)
            c = u'_';
    }
    if (name.startsWith(u'.') || name.startsWith(u'-'))
        name[0] = u'_';
    static const QRegularExpression reserved(QStringLiteral("^(CON|PRN|AUX|NUL|COM\\d|LPT\\d)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (reserved.match(name).hasMatch())
        name += u'_';
    return name;
}

QString DistrictFileNames::propose(const QString &folder, const QString &proposed) const
{
    const QString safe = safeName(proposed);
    QString name = safe;
    for (int n = 2; m_written.contains(key(folder, name)); ++n)
        name = safe + u'-' + QString::number(n);
    return name;
}

void DistrictFileNames::remember(const QString &folder, const QString &name)
{
    m_written.insert(key(folder, name));
}

QString DistrictFileNames::key(const QString &folder, const QString &name)
{
    // One folder may be spelt several ways ("out", "./out/"); the file is the same.
    return QDir::cleanPath(QDir(folder).absoluteFilePath(name + QStringLiteral(".dat")));
}
