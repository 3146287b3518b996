#pragma once

#include <QFile>
#include <QString>

#include <string>
#include <string_view>

// The framework's strings are UTF-8.
inline QString ToQString(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// File names are bytes to the system and need not be UTF-8; Qt shows them decoded, which
// loses bytes that are not UTF-8. FileNameFromQString therefore gives back the original
// bytes when the text is still exactly what FileNameToQString made of them.
inline QString FileNameToQString(const std::string& bytes)
{
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

inline std::string FileNameFromQString(const QString& text, const std::string& original = {})
{
    if (text == FileNameToQString(original))
        return original;
    return QFile::encodeName(text).toStdString();
}

// True when the bytes are valid UTF-8 (they survive a trip through QString).
inline bool IsUtf8(const std::string& bytes)
{
    return ToQString(bytes).toUtf8().toStdString() == bytes;
}
