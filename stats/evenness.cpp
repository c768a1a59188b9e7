#include "evenness.h"

#include <boost/math/special_functions/gamma.hpp>

Evenness evennessOf(const Game::ByNumber<uint64_t> &counts, uint64_t sets)
{
    Evenness test;
    if (sets > 0) {
        const double even = Game::evenShare(sets);
        double sum = 0;
        for (int n = Game::lowest; n <= Game::highest; ++n) {
            const double off = double(counts[size_t(n)]) - even;
            sum += off * off / even;
        }
        test.chi2 = sum * (Game::highest - 1) / (Game::highest - Game::picked);
        // The upper tail of χ² with k degrees of freedom is Q(k / 2, X² / 2),
        // worked in double, not promoted to long double: as exact as a p shown
        // to four digits needs, and with none of Boost's work for long double
        // done at every start of the program.
        using InDouble = boost::math::policies::policy<boost::math::policies::promote_double<false>>;
        test.p = boost::math::gamma_q(Evenness::degreesOfFreedom / 2.0, test.chi2 / 2, InDouble());
    }
    if (sets >= Evenness::fewest)
        test.verdict = test.p < Evenness::threshold ? Evenness::Uneven : Evenness::Even;
    return test;
}
