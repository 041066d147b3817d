#pragma once

#include <QByteArray>
#include <QString>

class ErrorReport;

// The bytes of one district as its file holds them: a 247-byte text header (the district,
// a title and two comment lines) followed by the logger's records, and the file it is
// tied to. The header's texts are read and written here; the records are the decoder's.
class DistrictImage
{
public:
    static constexpr qint32 kHeaderLength = 247;
    // Characters the header keeps of the district text and of the title and comment lines.
    static constexpr qint32 kDistrictLength = 8;
    static constexpr qint32 kTextLength = 60;

    enum class Field { District, Title, Comments1, Comments2 };

    // The four texts of the header, trailing spaces removed.
    struct HeaderTexts
    {
        QString district;
        QString title;
        QString comments1;
        QString comments2;
    };

    // A character a header text cannot hold is told to `errorReport`.
    explicit DistrictImage(ErrorReport &errorReport);

    const QByteArray &bytes() const { return m_bytes; }
    qint32 size() const { return static_cast<qint32>(m_bytes.size()); }
    // Replaces the image by the given bytes.
    void setBytes(const QByteArray &bytes);

    // The file the image was read from or written to (absolute); empty when it is in none.
    const QString &path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }

    // The whole file as an image is taken: raises a RuntimeError naming the file when it
    // cannot be read, is empty or too large for an image.
    static QByteArray readFile(const QString &path);
    // Writes the image whole; a RuntimeError "<path>: <reason>" when it cannot.
    void writeFile(const QString &path) const;

    // The header alone, every text field filled with spaces.
    void setBlankHeader();
    // The header, then the bytes `from` to `to` (exclusive) of a download.
    void setRecords(const QByteArray &download, qint32 from, qint32 to);

    QString text(Field field) const;
    void setText(Field field, const QString &text);
    HeaderTexts headerTexts() const;
    void setHeaderTexts(const HeaderTexts &texts);
    // Puts the texts in the header and writes the image back to path(), whose length does
    // not change. When the file cannot be written, the header gets its old texts back (so
    // no later save writes texts that are in no file) and the RuntimeError goes on.
    void saveHeaderTexts(const HeaderTexts &texts);

    // The texts are stored one byte per character in Windows-1252, as the logger software
    // writes them. textRefusal is empty when the header can hold every character of
    // `text`; else it is the one sentence that tells the user which character it cannot.
    // The dialogs and the batch tool refuse such a text before it reaches setText.
    static QString textRefusal(const QString &text);

private:
    void putText(const QString &text, qint32 offset, qint32 width);
    QString getText(qint32 offset, qint32 width) const;

    ErrorReport *m_errorReport;
    QByteArray m_bytes;
    QString m_path;
};
