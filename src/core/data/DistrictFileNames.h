#pragma once

#include <QSet>
#include <QString>

// The names of the district files one cutting of a download writes (the Save District
// dialog's proposal and the batch tool's split): a district's proposed name in a safe
// form, and never the name of a file this run has already written, so that two
// districts with one number end in two files.
class DistrictFileNames
{
public:
    // The proposed name as a file name that every shell and file system takes as it is.
    static QString safeName(const QString &proposed);

    // The safe name, or when this run has written folder + that name + ".dat", the name
    // with "-2", "-3" ... added.
    QString propose(const QString &folder, const QString &proposed) const;

    // This run has written (or is about to write) the file folder + name + ".dat".
    void remember(const QString &folder, const QString &name);

private:
    static QString key(const QString &folder, const QString &name);

    QSet<QString> m_written; // clean absolute paths
};
