#include "NamedFormats.h"

#include "DateTime.h"

#include <charconv>
#include <cmath>
#include <cstring>

NamedFormats::NamedFormats(const QLocale &locale)
    : m_locale(locale)
{
    m_locale.setNumberOptions(QLocale::OmitGroupSeparator);
    m_shortDatePattern = m_locale.dateFormat(QLocale::ShortFormat);
    m_longTimePattern = stripTimeZone(m_locale.timeFormat(QLocale::LongFormat));
    m_shortDate = tokenize(m_shortDatePattern);
    m_longTime = tokenize(m_longTimePattern);
    m_shortTime = tokenize(stripTimeZone(m_locale.timeFormat(QLocale::ShortFormat)));
    m_decimalPoint = m_locale.decimalPoint();
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
            tokens.append(Token { Field::Literal, 0, text, false });
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
                                   const DateTime::Parts &p) const
{
    auto number = [&out](int value, int width) {
        char16_t digits[12];
        int n = 0;
        unsigned v = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
        do {
            digits[n++] = static_cast<char16_t>(u'0' + v % 10);
            v /= 10;
        } while (v != 0);
        if (value < 0)
            out += u'-';
        for (int k = n; k < width; ++k)
            out += u'0';
        while (n > 0)
            out += QChar(digits[--n]);
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
            out += m_locale.toString(
                QDateTime(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second)),
                t.text);
            break;
        }
    }
}

void NamedFormats::appendShortDate(QString &out, const DateTime::Parts &parts) const
{
    appendFormatted(out, m_shortDate, parts);
}

void NamedFormats::appendLongTime(QString &out, const DateTime::Parts &parts) const
{
    appendFormatted(out, m_longTime, parts);
}

QString NamedFormats::shortDate(double dateTime) const
{
    QString out;
    appendShortDate(out, DateTime::toParts(dateTime));
    return out;
}

QString NamedFormats::longTime(double dateTime) const
{
    QString out;
    appendLongTime(out, DateTime::toParts(dateTime));
    return out;
}

QString NamedFormats::shortTime(double dateTime) const
{
    QString out;
    appendFormatted(out, m_shortTime, DateTime::toParts(dateTime));
    return out;
}

QString NamedFormats::dateAndTime(double dateTime) const
{
    const DateTime::Parts parts = DateTime::toParts(dateTime);
    QString out;
    appendShortDate(out, parts);
    out += u' ';
    appendLongTime(out, parts);
    return out;
}

// Two decimals, rounded half away from zero on the value's 15 significant decimal
// digits (12.345 gives 12.35, as a person would expect, although the nearest double is
// 12.3449999...). A negative number starts with the ASCII hyphen-minus whatever the
// locale's own sign (Swedish, Norwegian and Finnish have U+2212): the CSV file is read by
// programs that take only the hyphen as a minus, and the code page it is written in has
// no U+2212.
QString NamedFormats::fixed(double value) const
{
    if (!std::isfinite(value))
        return value < 0 ? u'-' + m_locale.toString(-value) : m_locale.toString(value);
    // 15 significant digits: "d.dddddddddddddde[+-]x..."
    char buffer[40];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer - 1, std::fabs(value),
                                       std::chars_format::scientific, 14);
    *written.ptr = '\0';
    char digits[15];
    int count = 0;
    const char *p = buffer;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9' && count < 15)
            digits[count++] = *p;
    }
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;

    // The digits down to the hundredths, rounded half away from zero on the next one.
    // At most 309 integer digits + 2 decimals + a carry.
    char cents[320];
    int length = 0;
    const int keep = exponent + 3;
    if (keep <= 0) {
        cents[length++] = (keep == 0 && digits[0] >= '5') ? '1' : '0';
    } else {
        for (int i = 0; i < keep; ++i)
            cents[length++] = i < count ? digits[i] : '0';
        if (keep < count && digits[keep] >= '5') {
            int k = length - 1;
            while (k >= 0 && cents[k] == '9')
                cents[k--] = '0';
            if (k >= 0) {
                ++cents[k];
            } else {
                std::memmove(cents + 1, cents, static_cast<size_t>(length));
                cents[0] = '1';
                ++length;
            }
        }
    }
    // At least "0.00": three digits.
    int first = 0;
    while (first < length - 1 && cents[first] == '0')
        ++first;
    bool isZero = true;
    for (int i = first; i < length; ++i)
        isZero = isZero && cents[i] == '0';

    QString out;
    out.reserve(length - first + 4);
    if (value < 0 && !isZero)
        out += u'-';
    const int integerDigits = length - first - 2;
    if (integerDigits <= 0) {
        out += u'0';
    } else {
        for (int i = first; i < first + integerDigits; ++i)
            out += QLatin1Char(cents[i]);
    }
    out += m_decimalPoint;
    for (int i = std::max(first, length - 2); i < length; ++i)
        out += QLatin1Char(cents[i]);
    // A value below 0.1 keeps its leading zero among the decimals.
    if (length - first < 2)
        out.insert(out.size() - 1, u'0');
    return out;
}

QString NamedFormats::generalNumber(double value) const
{
    return m_locale.toString(value, 'G', 15);
}
