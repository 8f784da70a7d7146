#pragma once
// Amounts are doubles in the files but always hold whole cents, so that sums never drift
// and "-0.00" never shows. Every amount that enters (typed, imported, given to zelk-cli)
// is checked here and rounded to cents; every result stored is computed in whole cents.
#include <QString>
#include <QtGlobal>

namespace zelk::cents {

// Amounts are finite and smaller than this in size (ten digits before the decimal point
// would not fit the screens and reports).
inline constexpr double limit = 10'000'000'000.0;

// Finite and smaller than `limit` in size.
bool isValid(double amount);
// The amount as a whole number of cents, half away from zero. Requires isValid.
qint64 of(double amount);
// Cents back as an amount; 0 cents is +0.0, never -0.0.
double amount(qint64 cents);
// The amount rounded to cents. Requires isValid.
double rounded(double amount);

// The Dutch message for an amount that is not valid.
QString invalidMessage(double amount);
// Rounded to cents; throws zelk::Error with invalidMessage for an amount that is not valid.
double checked(double amount);

} // namespace zelk::cents
