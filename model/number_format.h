// Number patterns of the bench's readouts, with the decimal separator passed in.
#pragma once

#include <string>
#include <string_view>

/**
 * Format with a pattern such as "0.0", "#0.0000000" or "#00000.0": each "0" before the point is a
 * digit always shown, "#" one shown only when significant; the digits after the point are all
 * shown. Rounds half away from zero on the value's 15-digit decimal form. A negative value keeps
 * its minus sign even where it rounds to zero ("-0.0000000" tells which side of zero it lies on);
 * an exact zero of either sign shows none. The separator is the locale's, in UTF-8.
 */
std::string formatPattern(double value, std::string_view pattern,
                          std::string_view decimalSeparator);

/** The shortest decimal text that reads back as the same double ("112", "2.5"). */
std::string formatGeneral(double value, std::string_view decimalSeparator);

/** The shortest decimal text that reads back as the same single ("112", "0.1"). */
std::string formatGeneral(float value, std::string_view decimalSeparator);

/**
 * The short invariant form: a leading blank for a value that is not negative, "-" otherwise,
 * "." as the point, no zero before the point and no trailing zeros (" 50", " 50.5", " .5", "-.5").
 */
std::string formatShortInvariant(double value);

/** Read a decimal number written with the given separator; false when the text is not a number. */
bool parseDecimal(std::string_view text, std::string_view decimalSeparator, double &value);

/** The slider readout: 100 × fraction through "00.0" and back, in the short invariant form. */
std::string sliderCaption(double R_dlina, std::string_view decimalSeparator);

/** A whole number to the nearest, halves to the even neighbour (112.5 → 112, 19.5 → 20). */
int roundHalfEven(double value);
