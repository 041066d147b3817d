#include "NamedFormats.h"

#include "DateTime.h"

#include <cmath>
#include <cstdio>

NamedFormats::NamedFormats(const QLocale &locale)
    : m_locale(locale)
{
    m_locale.setNumberOptions(QLocale::OmitGroupSeparator);
    m_shortDatePattern = m_locale.dateFormat(QLocale::ShortFormat);
    m_longTimePattern = stripTimeZone(m_locale.timeFormat(QLocale::LongFormat));
    m_shortDate = tokenize(m_shortDatePattern);
    m_longTime = tokenize(m_longTimePattern);
    m_decimalPoint = m_locale.decimalPoint();
    m_minus = m_locale.negativeSign();
}

// Removes the time-zone field ("t", "tt", ...) and the blanks around it.
QString NamedFormats::stripTimeZone(const QString &pattern)
{
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out.append(c);
    }
    out = out.trimmed();
    while (out.contains(QStringLiteral("  ")))
        out.replace(QStringLiteral("  "), QStringLiteral(" "));
    return out;
}

QVector<NamedFormats::Token> NamedFormats::tokenize(const QString &pattern) const
{
    QVector<Token> tokens;
    auto literal = [&tokens](const QString &text) {
        if (!tokens.isEmpty() && tokens.last().field == Field::Literal)
            tokens.last().text += text;
        else
            tokens.append(Token{Field::Literal, 0, text, false});
    };
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        if (c == u'\'') {
            // Quoted literal; '' stands for one quote.
            qsizetype j = i + 1;
            QString text;
            while (j < pattern.size()) {
                if (pattern.at(j) == u'\'') {
                    if (j + 1 < pattern.size() && pattern.at(j + 1) == u'\'') {
                        text += u'\'';
                        j += 2;
                        continue;
                    }
                    break;
                }
                text += pattern.at(j++);
            }
            literal(j == i + 1 ? QStringLiteral("'") : text);
            i = j + 1;
            continue;
        }
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern.at(i + run) == c)
            ++run;
        const QString same = pattern.mid(i, run);
        Token token;
        token.width = static_cast<int>(run);
        switch (c.unicode()) {
        case 'y':
            token.field = (run == 2 || run == 4) ? Field::Year : Field::Other;
            break;
        case 'M':
            token.field = run <= 2 ? Field::Month : Field::Other;
            break;
        case 'd':
            token.field = run <= 2 ? Field::Day : Field::Other;
            break;
        case 'H':
            token.field = Field::Hour24;
            break;
        case 'h':
            token.field = Field::Hour12;
            break;
        case 'm':
            token.field = Field::Minute;
            break;
        case 's':
            token.field = Field::Second;
            break;
        case 'A':
        case 'a':
            // "AP"/"ap" or "A"/"a": the locale's AM/PM text.
            token.field = Field::AmPm;
            token.upper = c == u'A';
            if (i + 1 < pattern.size() && pattern.at(i + 1).toLower() == u'p')
                run = 2;
            else
                run = 1;
            break;
        default:
            if (c.isLetter()) {
                token.field = Field::Other;
            } else {
                literal(same);
                i += run;
                continue;
            }
        }
        if (token.field == Field::Other)
            token.text = same;
        tokens.append(token);
        i += run;
    }
    return tokens;
}

void NamedFormats::appendFormatted(QString &out, const QVector<Token> &tokens,
                                   double dateTime) const
{
    const DateTime::Parts p = DateTime::toParts(dateTime);
    auto number = [&out](int value, int width) {
        const QString digits = QString::number(value);
        for (qsizetype k = digits.size(); k < width; ++k)
            out += u'0';
        out += digits;
    };
    for (const Token &t : tokens) {
        switch (t.field) {
        case Field::Literal:
            out += t.text;
            break;
        case Field::Year:
            if (t.width == 2)
                number(((p.year % 100) + 100) % 100, 2);
            else
                number(p.year, 4);
            break;
        case Field::Month:
            number(p.month, t.width);
            break;
        case Field::Day:
            number(p.day, t.width);
            break;
        case Field::Hour24:
            number(p.hour, std::min(t.width, 2));
            break;
        case Field::Hour12: {
            const int h = p.hour % 12 == 0 ? 12 : p.hour % 12;
            number(h, std::min(t.width, 2));
            break;
        }
        case Field::Minute:
            number(p.minute, std::min(t.width, 2));
            break;
        case Field::Second:
            number(p.second, std::min(t.width, 2));
            break;
        case Field::AmPm: {
            const QString text = p.hour < 12 ? m_locale.amText() : m_locale.pmText();
            out += t.upper ? text.toUpper() : text.toLower();
            break;
        }
        case Field::Other:
            // Month or day names and the like: let the locale spell them.
            out += m_locale.toString(QDateTime(DateTime::toQDate(dateTime),
                                               DateTime::toQTime(dateTime)),
                                     t.text);
            break;
        }
    }
}

QString NamedFormats::shortDate(double dateTime) const
{
    QString out;
    appendFormatted(out, m_shortDate, dateTime);
    return out;
}

QString NamedFormats::longTime(double dateTime) const
{
    QString out;
    appendFormatted(out, m_longTime, dateTime);
    return out;
}

QString NamedFormats::dateAndTime(double dateTime) const
{
    QString out;
    appendFormatted(out, m_shortDate, dateTime);
    out += u' ';
    appendFormatted(out, m_longTime, dateTime);
    return out;
}

// Two decimals, rounded half away from zero on the value's 15 significant decimal
// digits (12.345 gives 12.35, as a person would expect, although the nearest double is
// 12.3449999...).
QString NamedFormats::fixed(double value) const
{
    if (!std::isfinite(value))
        return m_locale.toString(value);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    // buffer: d.dddddddddddddde[+-]xx
    QByteArray digits;
    digits.reserve(16);
    const char *p = buffer;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            digits.append(*p);
    }
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    // Keep the digits down to the hundredths.
    const int keep = exponent + 3;
    QByteArray cents;
    if (keep <= 0) {
        cents = (keep == 0 && digits.at(0) >= '5') ? QByteArray("1") : QByteArray("0");
    } else if (keep >= digits.size()) {
        cents = digits + QByteArray(keep - digits.size(), '0');
    } else {
        cents = digits.left(keep);
        if (digits.at(keep) >= '5') {
            int k = static_cast<int>(cents.size()) - 1;
            while (k >= 0 && cents.at(k) == '9') {
                cents[k] = '0';
                --k;
            }
            if (k < 0)
                cents.prepend('1');
            else
                cents[k] = static_cast<char>(cents.at(k) + 1);
        }
    }
    while (cents.size() > 1 && cents.at(0) == '0')
        cents.remove(0, 1);
    if (cents.size() < 3)
        cents.prepend(QByteArray(3 - cents.size(), '0'));
    const bool isZero = cents.count('0') == cents.size();
    QString out;
    out.reserve(cents.size() + 2);
    if (value < 0 && !isZero)
        out += m_minus;
    out += QString::fromLatin1(cents.left(cents.size() - 2));
    out += m_decimalPoint;
    out += QString::fromLatin1(cents.right(2));
    return out;
}

QString NamedFormats::generalNumber(double value) const
{
    return m_locale.toString(value, 'G', 15);
}
