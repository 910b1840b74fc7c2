// Logarithm, exponential and power of our own, from +, -, *, / and exact scaling by
// powers of two only, so that a model with an exponential curve or a fractional power
// gives the same bits on every system: the C libraries' exp, log and pow are not rounded
// alike everywhere.
#pragma once

// e^x; 0 below -745, infinity above 709.8.
double exp_of(double x);
// ln x for x > 0; -infinity for 0, NaN for a negative x.
double log_of(double x);
// base^exponent for base > 0 (and 0^exponent = 0 for exponent > 0).
double power_of(double base, double exponent);
