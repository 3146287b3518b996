#pragma once

#include <QString>

#include <string_view>

// The framework's strings are UTF-8.
inline QString ToQString(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
