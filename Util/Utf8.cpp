#include "Util/Utf8.h"

String WellFormedUtf8(const String& text)
{
    String result;
    result.reserve(text.size());
    const size_t size = text.size();
    for (size_t i = 0; i < size;)
    {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = 0;
        unsigned int codePoint = 0;
        if (lead < 0x80)
            length = 1;
        else if (lead >= 0xc2 && lead <= 0xdf)
            length = 2, codePoint = lead & 0x1fu;
        else if (lead >= 0xe0 && lead <= 0xef)
            length = 3, codePoint = lead & 0x0fu;
        else if (lead >= 0xf0 && lead <= 0xf4)
            length = 4, codePoint = lead & 0x07u;

        bool valid = length > 0 && i + length <= size;
        for (size_t k = 1; valid && k < length; ++k)
        {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xc0u) == 0x80u;
            codePoint = (codePoint << 6) | (next & 0x3fu);
        }
        // Overlong forms, surrogates and values past the last code point.
        if (valid && ((length == 3 && (codePoint < 0x800 || (codePoint >= 0xd800 && codePoint <= 0xdfff))) ||
                      (length == 4 && (codePoint < 0x10000 || codePoint > 0x10ffff))))
            valid = false;

        if (valid)
        {
            result.append(text, i, length);
            i += length;
        }
        else
        {
            result += '?';
            ++i;
        }
    }
    return result;
}

unsigned int NextCodePoint(const String& text, size_t& index)
{
    const auto lead = static_cast<unsigned char>(text[index]);
    size_t length = 1;
    unsigned int codePoint = lead;
    if (lead >= 0xf0)
        length = 4, codePoint = lead & 0x07u;
    else if (lead >= 0xe0)
        length = 3, codePoint = lead & 0x0fu;
    else if (lead >= 0xc0)
        length = 2, codePoint = lead & 0x1fu;
    for (size_t k = 1; k < length && index + k < text.size(); ++k)
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[index + k]) & 0x3fu);
    index += length;
    return codePoint;
}

String CodePointToUtf8(unsigned int codePoint)
{
    String bytes;
    if (codePoint < 0x80)
    {
        bytes += static_cast<char>(codePoint);
    }
    else if (codePoint < 0x800)
    {
        bytes += static_cast<char>(0xc0u | (codePoint >> 6));
        bytes += static_cast<char>(0x80u | (codePoint & 0x3fu));
    }
    else if (codePoint < 0x10000)
    {
        if (codePoint >= 0xd800 && codePoint <= 0xdfff)
            return "?";
        bytes += static_cast<char>(0xe0u | (codePoint >> 12));
        bytes += static_cast<char>(0x80u | ((codePoint >> 6) & 0x3fu));
        bytes += static_cast<char>(0x80u | (codePoint & 0x3fu));
    }
    else if (codePoint <= 0x10ffff)
    {
        bytes += static_cast<char>(0xf0u | (codePoint >> 18));
        bytes += static_cast<char>(0x80u | ((codePoint >> 12) & 0x3fu));
        bytes += static_cast<char>(0x80u | ((codePoint >> 6) & 0x3fu));
        bytes += static_cast<char>(0x80u | (codePoint & 0x3fu));
    }
    else
    {
        return "?";
    }
    return bytes;
}
