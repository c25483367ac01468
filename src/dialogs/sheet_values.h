// The numbers of the Notes and Settings sheet as text, and when an edited
// number counts as a change. Pure functions.
#pragma once

#include <stddef.h>

// Whether new differs from old by at least one part in 2^digits of old's
// binary magnitude: |new - old| >= 2^(e_old - digits), e_old the exponent
// frexp gives old (0 for 0).
int ValuesDiffer(float oldValue, float newValue, int digits);

// "%.6f" with trailing zeros dropped down to one after the point: 7.5
// gives "7.5", 110 "110.0", 0 "0.0"; "%.9g" where that text would not
// read back as the same single float (3.4e38, 1e30, 4e-7).
void formatFloatText(double value, char* text, size_t size);

// The number at the start of text (after white space), as strtod reads
// it; 0 when none. At most the first 23 characters are read. A number
// beyond a float's range gives the largest float of its sign, so that no
// level or limit becomes infinite.
double parseFloatText(const char* text);

// A fraction as a percentage, "%g%%": 0.02 gives "2%"; "%.9g%%" where
// that would not read back as the same single float.
void formatPercentText(double fraction, char* text, size_t size);

// A percentage back to a fraction: "5" and "5%" both give 0.05.
double parsePercentText(const char* text);
