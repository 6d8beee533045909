#pragma once

#include <QString>

#include <optional>

// Sums of money in whole minor units (pence), never in floating point: a payment is what
// is counted into an envelope, to the penny.
namespace Money {

// A non-negative decimal amount as typed: digits, then optionally '.' and one or two
// digits ("5", "2.50", "0.5"), at most 1,000,000. Nothing when it is anything else.
std::optional<qint64> parse(const QString &text);

// "5.00", "-3.20": two places, '.' as separator, a minus sign when negative.
QString text(qint64 pence);

// As the subject saw it, the currency's sign after the minus: "£5.00", "-£3.20".
QString shown(qint64 pence, const QString &currency);

// The currency's sign of a payoff as the program shows it ("£51", "-£5"): what is left
// when the minus sign and the digits are taken away.
QString currencyOf(const QString &payoffText);

// Whole payoff units (the payoff file's numbers) as pence.
constexpr qint64 fromWhole(qint64 units) { return units * 100; }

} // namespace Money
