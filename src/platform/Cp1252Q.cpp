#include "platform/Cp1252Q.h"

#include "platform/Cp1252.h"

QString ToQ(std::string_view in)
{
    QString out;
    out.reserve(static_cast<qsizetype>(in.size()));
    for (char c : in)
        out.append(QChar(static_cast<char16_t>(Cp1252::ToUnicode(static_cast<unsigned char>(c)))));
    return out;
}

std::string FromQ(const QString& text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar ch : text) {
        const int b = Cp1252::FromUnicode(ch.unicode());
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}
