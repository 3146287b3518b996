#pragma once

// Number text of the course and catalogue files, always in the "C" locale's form: Qt sets
// the process locale from the environment, and under a comma locale the C library would
// read "2.5" as 2 and write "2,50000000".

#include <string>
#include <string_view>

// The C library's atof and atoi as they behave in the "C" locale, whatever the process
// locale is: leading white space, sign, the longest valid prefix of a number, 0 when none.
double AtoF(std::string_view s);
// Values outside the int range are clamped to it.
int AtoI(std::string_view s);
// A double stored as float the way the hardware rounds it: beyond the float range it
// becomes the largest float or infinity, with no undefined conversion on the way.
float NarrowToFloat(double value);

// Appends value as printf's "%13.8f" writes it in the "C" locale.
void AppendFixed(std::string& out, double value);
