#pragma once

// Number text of the course and catalogue files, always in the "C" locale's form: Qt sets
// the process locale from the environment, and under a comma locale the C library would
// read "2.5" as 2 and write "2,50000000".

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The C library's atof as it behaves in the "C" locale, whatever the process locale is:
// leading white space, sign, the longest valid prefix of a number, 0 when none.
double AtoF(std::string_view s);
// The same reading for atoi, of a token fed a piece at a time, in constant memory (a token may
// be a gigabyte long); values outside the int range are clamped to it.
class IntScan {
public:
    void Clear() { *this = IntScan(); }
    void Feed(const char* p, std::size_t n);
    int Value() const;

private:
    enum State : std::uint8_t { Space, Digits, Done };
    State m_state = Space;
    bool m_negative = false;
    long long m_magnitude = 0;
};

// AtoF of a token fed a piece at a time. Tokens of ordinary length are kept and read by AtoF;
// a longer decimal is reduced as it goes to its sign, its first significant digits (enough to
// round any double correctly), whether a non-zero digit follows them, and its exponent, so
// that a number token of any length takes a few hundred bytes. A token whose number ended
// early is only skipped. Hexadecimal and NaN payload forms are kept whole.
class NumberScan {
public:
    void Clear();
    void Feed(const char* p, std::size_t n);
    double Value() const;

private:
    enum State : std::uint8_t { Short, Int, Frac, ExpStart, ExpSign, Exp, Done };
    void StartReducing();
    void Reduce(const char* p, std::size_t n);
    void AddDigit(char c);

    std::string m_head;   // the token as fed, less leading white space, while it is short
    State m_state = Short;
    bool m_whole = false;   // a form not reduced, past the head: kept whole
    bool m_negative = false;
    bool m_sawDigit = false;
    bool m_sticky = false;
    bool m_expNegative = false;
    bool m_sawExpDigit = false;
    std::string m_digits;   // significant digits, from the first non-zero one
    std::int64_t m_point = 0;   // where the point lies after m_digits' first digit, in digits
    std::int64_t m_exp = 0;
};

// A double stored as float the way the hardware rounds it: beyond the float range it
// becomes the largest float or infinity, with no undefined conversion on the way.
float NarrowToFloat(double value);

// Appends value as printf's "%13.8f" writes it in the "C" locale.
void AppendFixed(std::string& out, double value);
