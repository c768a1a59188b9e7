#include "importfile.h"

#include "calendar/calendar.h"
#include "files/byteordermark.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

#include <optional>

namespace {
// UTF-8 when the whole reads as such, else Shift_JIS, as Japanese sites
// write them. Tried a piece at a time, into a buffer used again and again.
QStringDecoder decoderFor(QByteArrayView bytes)
{
    if (bytes.startsWith(ByteOrderMark::bytes))
        return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QStringDecoder utf8(QStringDecoder::Utf8);
    constexpr qsizetype piece = 1 << 16;
    std::vector<QChar> out(size_t(utf8.requiredSpace(piece)));
    for (qsizetype at = 0; at < bytes.size() && !utf8.hasError(); at += piece)
        utf8.appendToBuffer(out.data(), bytes.sliced(at, std::min(piece, bytes.size() - at)));
    utf8.appendToBuffer(out.data(), "\n"); // a sequence cut short at the end is no UTF-8 either
    QStringDecoder shiftJis("Shift_JIS", QStringDecoder::Flag::Stateless);
    if (utf8.hasError() && shiftJis.isValid())
        return shiftJis;
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
}

// A row of a draw holds at least its number, date, six numbers and bonus;
// none is near this long. Anything else is skipped before it is looked at.
constexpr int leastCommas = 8;
constexpr qsizetype longestRow = 4096;
// A header is among the first rows, after a title or two.
constexpr uint64_t lastHeaderRow = 10;

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
    // yyyy/mm/dd, yyyy/m/d, yyyy-mm-dd or yyyy年m月d日, and the day of the
    // week after it if the site writes it: 2024/06/10(月), 2024/6/10 (Mon).
    const QRegularExpression date{
        QStringLiteral("^([0-9]{4})(?:([/-])([0-9]{1,2})\\2([0-9]{1,2})|年([0-9]{1,2})月([0-9]{1,2})日)"
                       "(?:\\s*\\(\\s*([月火水木金土日]|[A-Za-z]{3})(?:曜日?)?\\s*\\))?$")};
    const QRegularExpression number{QStringLiteral("^[0-9]{1,2}$")};
    // Yen as sites write them: 200,000,000円, ￥1,234, 1,234 円.
    const QRegularExpression amount{QStringLiteral("^[¥\\\\]?\\s*([0-9]{1,3}(?:,[0-9]{3})+|[0-9]+)\\s*円?$")};
    // A tier's column: 1等賞金, 1等口数, Prize 1, 1st prize, Tier 1 winners.
    const QRegularExpression tier{QStringLiteral("^(?:([1-5])等|(?:prize|tier)([1-5])|([1-5])(?:st|nd|rd|th))")};

    int drawNumberOf(const QString &field) const
    {
        const QRegularExpressionMatch match = drawNumber.match(field);
        return match.hasMatch() ? match.captured(1).toInt() : 0;
    }
    // As yyyymmdd; 0 for no date, or one whose day of the week is another's.
    int dateOf(const QString &field) const
    {
        const QRegularExpressionMatch m = date.match(field);
        if (!m.hasMatch())
            return 0;
        const bool slashed = !m.captured(2).isEmpty();
        const int day = Calendar::date(m.captured(1).toInt(), m.captured(slashed ? 3 : 5).toInt(),
                                       m.captured(slashed ? 4 : 6).toInt());
        if (!Calendar::isDay(day))
            return 0;
        const QString weekday = m.captured(7).toLower();
        const int weekdayOfDay = Calendar::dayOf<QDate>(day).dayOfWeek(); // 1 for Monday
        static const char *const japanese[] = {"月", "火", "水", "木", "金", "土", "日"};
        static const char *const english[] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
        return weekday.isEmpty() || weekday == QString::fromUtf8(japanese[weekdayOfDay - 1])
                       || weekday == QLatin1String(english[weekdayOfDay - 1])
                   ? day
                   : 0;
    }
    int numberOf(const QString &field) const { return number.match(field).hasMatch() ? field.toInt() : 0; }
    // Yen, with or without ¥, 円 and thousands separators; unknown for
    // none (nothing, "該当なし", "-", "―"), and false for what cannot be
    // read as an amount at all, or as one of more than eleven digits.
    bool readAmount(const QString &field, int64_t &yen) const
    {
        yen = DrawResult::unknown;
        if (field.isEmpty() || field == QStringLiteral("該当なし") || field == QStringLiteral("-")
            || field == QStringLiteral("―"))
            return true;
        const QRegularExpressionMatch m = amount.match(field);
        const QString digits = m.captured(1).remove(QLatin1Char(','));
        if (!m.hasMatch() || digits.size() > int(DrawResult::prizeDigits))
            return false;
        yen = digits.toLongLong();
        return true;
    }
};

// Where each part of a draw stands in a row.
struct Columns
{
    int number = 0, date = 1;
    std::array<int, Game::picked> numbers{2, 3, 4, 5, 6, 7};
    int bonus = 8;
    std::array<int, Game::tiers> prizes{14, 15, 16, 17, 18};

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
        } else if (has({"数字", "number"}) && numbersFound < Game::picked) {
            columns.numbers[size_t(numbersFound++)] = i;
        } else if ((has({"日", "date"}) && !has({"曜"})) && columns.date < 0) {
            columns.date = i;
        }
    }
    if (columns.number < 0 || columns.date < 0 || columns.bonus < 0 || numbersFound < Game::picked)
        return std::nullopt;
    return columns;
}

// The draw a row holds, if it is one; `prizesRead` says whether each of its
// prizes could be read.
std::optional<DrawResult> drawOf(const QStringList &fields, const Columns &at, bool placed, const Patterns &read,
                                 bool &prizesRead)
{
    const auto field = [&fields](int i) { return i >= 0 && i < fields.size() ? fields[i] : QString(); };
    std::array<int, Game::picked> numbers{};
    for (size_t k = 0; k < numbers.size(); ++k)
        numbers[k] = read.numberOf(field(at.numbers[k]));
    DrawResult draw;
    if (!makeDraw(read.drawNumberOf(field(at.number)), read.dateOf(field(at.date)), numbers,
                  read.numberOf(field(at.bonus)), draw))
        return std::nullopt;
    // By places, the common layout carries winners, then prizes; a row of
    // fourteen, as the results book itself, the prizes straight after the bonus.
    const int firstPrize = !placed ? -1 : fields.size() == 14 ? 9 : 14;
    prizesRead = true;
    for (int tier = 0; tier < Game::tiers; ++tier)
        prizesRead &= read.readAmount(field(placed ? firstPrize + tier : at.prizes[size_t(tier)]),
                                      draw.prizes[size_t(tier)]);
    return draw;
}
} // namespace

ImportFile ImportFile::read(QByteArrayView bytes)
{
    ImportFile file;
    const Patterns patterns;
    Columns columns;
    bool named = false, drawSeen = false;
    QStringDecoder decode = decoderFor(bytes);
    if (bytes.startsWith(ByteOrderMark::bytes))
        bytes = bytes.sliced(ByteOrderMark::size);
    uint64_t lineNumber = 0;
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype lf = bytes.indexOf('\n', at);
        QByteArrayView row = bytes.sliced(at, (lf < 0 ? bytes.size() : lf) - at);
        at = lf < 0 ? bytes.size() : lf + 1;
        ++lineNumber;
        if (row.endsWith('\r'))
            row.chop(1);
        if (row.trimmed().isEmpty())
            continue;
        // Neither a draw nor a header: not worth decoding. (A quoted comma
        // only adds to the count.)
        if (row.size() > longestRow || row.count(',') < leastCommas) {
            file.skippedRows.add(lineNumber);
            continue;
        }
        const QStringList fields = fieldsOf(decode(row));
        bool prizesRead = true;
        if (const std::optional<DrawResult> draw = drawOf(fields, columns, !named, patterns, prizesRead)) {
            file.draws.push_back(*draw);
            if (!prizesRead)
                file.unreadablePrizes.add(lineNumber);
            drawSeen = true;
            continue;
        }
        // Before the first draw, a row that names the columns is the header;
        // a title above it is skipped as any row that is no draw.
        if (!drawSeen && lineNumber <= lastHeaderRow) {
            if (const std::optional<Columns> header = Columns::named(fields, patterns)) {
                columns = *header;
                named = true;
                continue;
            }
        }
        file.skippedRows.add(lineNumber);
    }
    return file;
}
