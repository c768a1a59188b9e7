#pragma once

#include "files/numberlist.h"
#include "rules/game.h"
#include "stats/evenness.h"

#include <QString>

#include <cstdint>
#include <functional>

// The texts the window and the command line both print, each made here
// once: the window's Japanese, the command line's English where the two
// differ.
namespace Texts {
enum class Form { Window, CommandLine };
enum class Digits { Plain, Grouped };

// A count with thousands separators: "2,000".
QString count(uint64_t count);
// Yen with thousands separators, and a minus sign: "−233,800" in the
// window, "-233,800" on the command line.
QString yen(int64_t amount, Form form = Form::Window);

// The first of `numbers`, each as `named` gives it (the number itself
// without it), and "…" when there are more: "1, 5, 17, …".
QString listed(const NumberList &numbers, const std::function<QString(uint64_t)> &named = {});

// How many won each tier: "1等 0 · 2等 1 · 3等 0 · 4等 0 · 5等 2", or
// "tier 1 0, tier 2 1, tier 3 0, tier 4 0, tier 5 2".
QString tiers(const Game::ByTier<uint64_t> &won, Form form, Digits digits = Digits::Plain);

// The test of evenness: "偏りの検定: χ² = 79.46 (自由度 42), p = 0.0004 ·
// 偏りがあります", with "判断には行数が足りません", or what `counted` names,
// when there are too few; or "chi2 79.46 df 42 p 0.0004239".
QString evenness(const Evenness &test, Form form, const char *counted = "行数");
} // namespace Texts
