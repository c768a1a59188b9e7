#include "importfile.h"

#include "history/calendar.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

#include <optional>

namespace {
// UTF-8 when it reads as such, else Shift_JIS, as Japanese sites write them.
QString decoded(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    QStringDecoder shiftJis("Shift_JIS");
    return utf8.hasError() && shiftJis.isValid() ? QString(shiftJis(bytes)) : text;
}

// The fields of one row: commas, and quotes around a field that holds one
// ("" inside for a quote). Full-width digits and signs read as their own.
QStringList fieldsOf(const QString &row)
{
    QStringList fields(1);
    bool quoted = false;
    for (int i = 0; i < row.size(); ++i) {
        const QChar c = row[i];
        if (c == '"' && quoted && i + 1 < row.size() && row[i + 1] == '"')
            fields.last() += row[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields << QString();
        else
            fields.last() += c;
    }
    for (QString &field : fields)
        field = field.normalized(QString::NormalizationForm_KC).trimmed();
    return fields;
}

// The patterns a row is read by. Made for each file, not kept in statics: a
// file is read on a thread of its own, which may still run as the program ends.
struct Patterns
{
    const QRegularExpression drawNumber{QStringLiteral("^第?\\s*([0-9]{1,9})\\s*回?$")};
    // yyyy/mm/dd, yyyy/m/d, yyyy-mm-dd or yyyy年m月d日.
    const QRegularExpression date{
        QStringLiteral("^([0-9]{4})(?:([/-])([0-9]{1,2})\\2([0-9]{1,2})|年([0-9]{1,2})月([0-9]{1,2})日)$")};
    const QRegularExpression number{QStringLiteral("^[0-9]{1,2}$")};
    const QRegularExpression amount{QStringLiteral("^[0-9]{1,%1}$").arg(DrawResult::prizeDigits)};
    // A tier's column: 1等賞金, 1等口数, Prize 1, 1st prize, Tier 1 winners.
    const QRegularExpression tier{QStringLiteral("^(?:([1-5])等|(?:prize|tier)([1-5])|([1-5])(?:st|nd|rd|th))")};

    int drawNumberOf(const QString &field) const
    {
        const QRegularExpressionMatch match = drawNumber.match(field);
        return match.hasMatch() ? match.captured(1).toInt() : 0;
    }
    // As yyyymmdd; 0 for no date.
    int dateOf(const QString &field) const
    {
        const QRegularExpressionMatch m = date.match(field);
        if (!m.hasMatch())
            return 0;
        const bool slashed = !m.captured(2).isEmpty();
        const int day = Calendar::date(m.captured(1).toInt(), m.captured(slashed ? 3 : 5).toInt(),
                                       m.captured(slashed ? 4 : 6).toInt());
        return Calendar::isDay(day) ? day : 0;
    }
    int numberOf(const QString &field) const { return number.match(field).hasMatch() ? field.toInt() : 0; }
    // Yen, with or without 円 and thousands separators; unknown for anything
    // else ("該当なし", "-", nothing).
    int64_t amountOf(QString field) const
    {
        field.remove(QLatin1Char(',')).remove(QStringLiteral("円"));
        return amount.match(field).hasMatch() ? field.toLongLong() : DrawResult::unknown;
    }
};

// Where each part of a draw stands in a row.
struct Columns
{
    int number = 0, date = 1;
    std::array<int, 6> numbers{2, 3, 4, 5, 6, 7};
    int bonus = 8;
    std::array<int, 5> prizes{14, 15, 16, 17, 18};

    // From a header's names, if they name every part of a draw.
    static std::optional<Columns> named(const QStringList &names, const Patterns &patterns);
};

std::optional<Columns> Columns::named(const QStringList &names, const Patterns &patterns)
{
    Columns columns;
    columns.number = columns.date = columns.bonus = -1;
    columns.prizes.fill(-1);
    int numbersFound = 0;
    for (int i = 0; i < names.size(); ++i) {
        const QString name = QString(names[i]).remove(QLatin1Char(' ')).toLower();
        const auto has = [&name](std::initializer_list<const char *> words) {
            for (const char *word : words)
                if (name.contains(QString::fromUtf8(word)))
                    return true;
            return false;
        };
        if (has({"キャリー", "carry"}))
            continue;
        if (const QRegularExpressionMatch m = patterns.tier.match(name); m.hasMatch()) {
            const int tier = (m.captured(1) + m.captured(2) + m.captured(3)).toInt();
            if (has({"金", "賞", "額", "prize", "amount", "yen"}) && !has({"口", "数", "winner"}))
                columns.prizes[size_t(tier - 1)] = i;
        } else if (has({"ボーナス", "bonus"})) {
            columns.bonus = i;
        } else if (has({"回", "draw"}) && columns.number < 0) {
            columns.number = i;
        } else if (has({"数字", "number"}) && numbersFound < 6) {
            columns.numbers[size_t(numbersFound++)] = i;
        } else if ((has({"日", "date"}) && !has({"曜"})) && columns.date < 0) {
            columns.date = i;
        }
    }
    if (columns.number < 0 || columns.date < 0 || columns.bonus < 0 || numbersFound < 6)
        return std::nullopt;
    return columns;
}

// The draw a row holds, if it is one.
std::optional<DrawResult> drawOf(const QStringList &fields, const Columns &at, bool placed, const Patterns &read)
{
    const auto field = [&fields](int i) { return i >= 0 && i < fields.size() ? fields[i] : QString(); };
    std::array<int, 6> numbers{};
    for (size_t k = 0; k < numbers.size(); ++k)
        numbers[k] = read.numberOf(field(at.numbers[k]));
    DrawResult draw;
    if (!makeDraw(read.drawNumberOf(field(at.number)), read.dateOf(field(at.date)), numbers,
                  read.numberOf(field(at.bonus)), draw))
        return std::nullopt;
    // By places, the common layout carries winners, then prizes; a row of
    // fourteen, as the results book itself, the prizes straight after the bonus.
    const int firstPrize = !placed ? -1 : fields.size() == 14 ? 9 : 14;
    for (int tier = 0; tier < 5; ++tier)
        draw.prizes[size_t(tier)] = read.amountOf(field(placed ? firstPrize + tier : at.prizes[size_t(tier)]));
    return draw;
}
} // namespace

ImportFile ImportFile::read(const QByteArray &bytes)
{
    ImportFile file;
    const Patterns patterns;
    Columns columns;
    bool named = false, drawSeen = false;
    const QStringList rows = decoded(bytes).split(QLatin1Char('\n'));
    for (int i = 0; i < rows.size(); ++i) {
        QString row = rows[i];
        if (row.endsWith(QLatin1Char('\r')))
            row.chop(1);
        if (row.trimmed().isEmpty())
            continue;
        const QStringList fields = fieldsOf(row);
        if (const std::optional<DrawResult> draw = drawOf(fields, columns, !named, patterns)) {
            file.draws.push_back(*draw);
            drawSeen = true;
            continue;
        }
        // Before the first draw, a row that names the columns is the header;
        // a title above it is skipped as any row that is no draw.
        if (!drawSeen) {
            if (const std::optional<Columns> header = Columns::named(fields, patterns)) {
                columns = *header;
                named = true;
                continue;
            }
        }
        file.skippedLines.push_back(uint64_t(i + 1));
    }
    return file;
}
