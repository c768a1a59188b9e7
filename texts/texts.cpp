#include "texts.h"

#include <QStringList>

#include <cstdio>

namespace Texts {
QString count(uint64_t count)
{
    QString digits = QString::number(count);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return digits;
}

QString yen(int64_t amount, Form form)
{
    // In unsigned arithmetic: the most negative amount has no positive twin.
    const uint64_t magnitude = amount < 0 ? 0 - uint64_t(amount) : uint64_t(amount);
    if (amount >= 0)
        return count(magnitude);
    return (form == Form::Window ? QStringLiteral("−") : QStringLiteral("-")) + count(magnitude);
}

QString listed(const NumberList &numbers, const std::function<QString(uint64_t)> &named)
{
    QStringList texts;
    for (const uint64_t n : numbers.first)
        texts << (named ? named(n) : QString::number(n));
    if (numbers.count > uint64_t(texts.size()))
        texts << QStringLiteral("…");
    return texts.join(QStringLiteral(", "));
}

QString tiers(const Game::ByTier<uint64_t> &won, Form form, Digits digits)
{
    QStringList parts;
    for (int tier = 1; tier <= Game::tiers; ++tier) {
        const QString times = digits == Digits::Grouped ? count(won[size_t(tier)]) : QString::number(won[size_t(tier)]);
        parts << (form == Form::Window ? QStringLiteral("%1等 %2") : QStringLiteral("tier %1 %2")).arg(tier).arg(times);
    }
    return parts.join(form == Form::Window ? QStringLiteral(" · ") : QStringLiteral(", "));
}

QString evenness(const Evenness &test, Form form, const char *counted)
{
    if (form == Form::CommandLine) {
        // As C's printf has it, to the last digit of %g.
        char text[400]; // room for any double in %.2f
        std::snprintf(text, sizeof text, "chi2 %.2f df %d p %.4g", test.chi2, Evenness::degreesOfFreedom, test.p);
        return QString::fromLatin1(text);
    }
    const QString p = test.p < 0.0001 ? QStringLiteral("p < 0.0001") : QStringLiteral("p = %1").arg(test.p, 0, 'f', 4);
    const QString verdict = test.verdict == Evenness::TooFew ? QStringLiteral("判断には%1が足りません").arg(QString::fromUtf8(counted))
                            : test.verdict == Evenness::Even ? QStringLiteral("偏りは見られません")
                                                             : QStringLiteral("偏りがあります");
    return QStringLiteral("偏りの検定: χ² = %1 (自由度 %2), %3 · %4")
        .arg(test.chi2, 0, 'f', 2)
        .arg(Evenness::degreesOfFreedom)
        .arg(p, verdict);
}
} // namespace Texts
