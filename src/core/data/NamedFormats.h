#pragma once

#include "DateTime.h"

#include <QLocale>
#include <QString>
#include <QVector>

// The platform's named text formats, following the user's locale:
//  "Fixed"           at least one digit, exactly two decimals, no grouping, and an
//                    ASCII hyphen-minus for a negative number
//  "Short Date"      the locale's short date
//  "Long Time"       the locale's long time with seconds, without a time-zone name
//  "Short Time"      the locale's short time (hours and minutes), without a time-zone name
//  "ddddd ttttt"     short date, a space, long time
//  "General Number"  a number without grouping, up to 15 significant digits, no
//                    trailing zeros; also the plain text of a double
// The date and time patterns are parsed once, so formatting a table stays fast.
class NamedFormats
{
public:
    explicit NamedFormats(const QLocale &locale = QLocale::system());

    QString fixed(double value) const;
    QString shortDate(double dateTime) const;
    QString longTime(double dateTime) const;
    QString shortTime(double dateTime) const;
    QString dateAndTime(double dateTime) const; // "ddddd ttttt"
    QString generalNumber(double value) const;

    // Appending forms for callers that format many rows.
    void appendShortDate(QString &out, const DateTime::Parts &parts) const;
    void appendLongTime(QString &out, const DateTime::Parts &parts) const;

    QString shortDatePattern() const { return m_shortDatePattern; }
    QString longTimePattern() const { return m_longTimePattern; }
    const QLocale &locale() const { return m_locale; }

private:
    enum class Field { Literal, Year, Month, Day, Hour24, Hour12, Minute, Second, AmPm, Other };
    struct Token
    {
        Field field = Field::Literal;
        int width = 0; // digits to pad to (or 2/4 for years)
        QString text; // literal text, or the pattern of an Other field
        bool upper = false; // AP as opposed to ap
    };

    static QString stripTimeZone(const QString &pattern);
    QVector<Token> tokenize(const QString &pattern) const;
    void appendFormatted(QString &out, const QVector<Token> &tokens,
                         const DateTime::Parts &parts) const;

    QLocale m_locale;
    QString m_shortDatePattern;
    QString m_longTimePattern;
    QVector<Token> m_shortDate;
    QVector<Token> m_longTime;
    QVector<Token> m_shortTime;
    QString m_decimalPoint;
};
