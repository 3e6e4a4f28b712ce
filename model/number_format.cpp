// Number patterns of the bench's readouts, with the decimal separator passed in.
#include "model/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kSignificantDigits = 15;

// Digits of |value| rounded half away from zero to `decimals` places, as an integer part and a
// fraction part of exactly `decimals` digits. The value is first taken to 15 significant decimal
// digits, as a reader of the readout would write it, so 50.4999999999999 from 101 × 0.5 rounds up.
void roundedDigits(double value, int decimals, std::string &intPart, std::string &fracPart)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", kSignificantDigits - 1, std::fabs(value));
    std::string mantissa;
    const char *p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            mantissa += *p;
    const int exponent = *p ? std::atoi(p + 1) : 0;

    // Place the digits on a fixed grid: `pointPos` digits before the point.
    int pointPos = exponent + 1;
    std::string digits = mantissa;
    if (pointPos <= 0) {
        digits.insert(0, static_cast<size_t>(1 - pointPos), '0');
        pointPos = 1;
    }
    const size_t keep = static_cast<size_t>(pointPos + decimals);
    if (digits.size() < keep)
        digits.append(keep - digits.size(), '0');
    const bool roundUp = digits.size() > keep && digits[keep] >= '5';
    digits.resize(keep);
    if (roundUp) {
        int i = static_cast<int>(keep) - 1;
        for (; i >= 0; --i) {
            if (digits[static_cast<size_t>(i)] == '9') {
                digits[static_cast<size_t>(i)] = '0';
            } else {
                ++digits[static_cast<size_t>(i)];
                break;
            }
        }
        if (i < 0) {
            digits.insert(0, 1, '1');
            ++pointPos;
        }
    }
    intPart = digits.substr(0, static_cast<size_t>(pointPos));
    fracPart = digits.substr(static_cast<size_t>(pointPos));
    const size_t firstNonZero = intPart.find_first_not_of('0');
    intPart = firstNonZero == std::string::npos ? std::string() : intPart.substr(firstNonZero);
}

template <typename T> std::string shortestFixed(T value)
{
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return std::string(buf, res.ptr);
}

std::string withSeparator(const std::string &text, std::string_view decimalSeparator)
{
    std::string out;
    for (char c : text) {
        if (c == '.')
            out += decimalSeparator;
        else
            out += c;
    }
    return out;
}

} // namespace

std::string formatPattern(double value, std::string_view pattern, std::string_view decimalSeparator)
{
    const size_t point = pattern.find('.');
    const std::string_view intPattern = pattern.substr(0, point);
    int minIntDigits = 0;
    for (char c : intPattern)
        if (c == '0')
            ++minIntDigits;
    const int decimals =
        point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);

    std::string intPart, fracPart;
    roundedDigits(value, decimals, intPart, fracPart);
    if (static_cast<int>(intPart.size()) < minIntDigits)
        intPart.insert(0, static_cast<size_t>(minIntDigits) - intPart.size(), '0');

    std::string out;
    if (value < 0)
        out += '-';
    out += intPart;
    if (decimals > 0) {
        out += decimalSeparator;
        out += fracPart;
    }
    return out;
}

std::string formatGeneral(double value, std::string_view decimalSeparator)
{
    return withSeparator(shortestFixed(value), decimalSeparator);
}

std::string formatGeneral(float value, std::string_view decimalSeparator)
{
    return withSeparator(shortestFixed(value), decimalSeparator);
}

std::string formatShortInvariant(double value)
{
    std::string digits = shortestFixed(std::fabs(value));
    if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.')
        digits.erase(0, 1);
    return (std::signbit(value) && value != 0 ? "-" : " ") + digits;
}

bool parseDecimal(std::string_view text, std::string_view decimalSeparator, double &value)
{
    std::string plain;
    for (size_t i = 0; i < text.size();) {
        if (!decimalSeparator.empty() &&
            text.substr(i, decimalSeparator.size()) == decimalSeparator) {
            plain += '.';
            i += decimalSeparator.size();
        } else if (text[i] == '.') {
            return false; // a point is no separator under a decimal-comma locale
        } else {
            plain += text[i++];
        }
    }
    const char *first = plain.data();
    const char *last = plain.data() + plain.size();
    if (first != last && *first == '+')
        ++first;
    const auto res = std::from_chars(first, last, value, std::chars_format::fixed);
    return res.ec == std::errc() && res.ptr == last;
}

std::string sliderCaption(double R_dlina, std::string_view decimalSeparator)
{
    double percent = 0;
    parseDecimal(formatPattern(100 * R_dlina, "00.0", decimalSeparator), decimalSeparator, percent);
    return formatShortInvariant(percent);
}

int roundHalfEven(double value)
{
    const double down = std::floor(value);
    const double diff = value - down;
    double whole = diff < 0.5   ? down
                   : diff > 0.5 ? down + 1
                                : (std::fmod(down, 2) == 0 ? down : down + 1);
    return static_cast<int>(whole);
}
