#include "engine/storage/strict_json_reader.h"

#include <limits>
#include <vector>

namespace {
// The value of one hexadecimal digit in either case, -1 for any other character.
int hexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

void appendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += char(codePoint);
    } else if (codePoint < 0x800) {
        out += char(0xC0 | (codePoint >> 6));
        out += char(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += char(0xE0 | (codePoint >> 12));
        out += char(0x80 | ((codePoint >> 6) & 0x3F));
        out += char(0x80 | (codePoint & 0x3F));
    } else {
        out += char(0xF0 | (codePoint >> 18));
        out += char(0x80 | ((codePoint >> 12) & 0x3F));
        out += char(0x80 | ((codePoint >> 6) & 0x3F));
        out += char(0x80 | (codePoint & 0x3F));
    }
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
} // namespace

StrictJsonReader::StrictJsonReader(QByteArrayView json)
    : p_(json.data()), end_(json.data() + json.size()) {
    // Editors on some systems start UTF-8 files with a byte-order mark; it carries no content.
    if (json.startsWith("\xEF\xBB\xBF"))
        p_ += 3;
}

void StrictJsonReader::skipWhitespace() {
    while (p_ < end_ && isJsonWhitespace(*p_))
        ++p_;
}

bool StrictJsonReader::consume(char token) {
    skipWhitespace();
    if (p_ == end_ || *p_ != token)
        return false;
    ++p_;
    return true;
}

bool StrictJsonReader::atEnd() {
    skipWhitespace();
    return p_ == end_;
}

std::optional<QByteArrayView> StrictJsonReader::readString() {
    if (!consume('"'))
        return std::nullopt;
    const char* const start = p_;
    bool escaped = false;
    const char* run = p_;
    while (p_ < end_) {
        const auto c = static_cast<unsigned char>(*p_);
        if (c == '"') {
            if (!escaped) {
                const QByteArrayView content(start, p_ - start);
                ++p_;
                return content;
            }
            unescaped_.append(run, p_);
            ++p_;
            return QByteArrayView(unescaped_.data(), qsizetype(unescaped_.size()));
        }
        if (c == '\\') {
            if (!escaped) {
                unescaped_.clear();
                escaped = true;
            }
            unescaped_.append(run, p_);
            if (!appendEscape())
                return std::nullopt;
            run = p_;
        } else if (c < 0x20) {
            return std::nullopt;
        } else if (c < 0x80) {
            ++p_;
        } else if (!skipUtf8Sequence()) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// Well-formed UTF-8 only (RFC 3629): no overlong forms, no surrogates, nothing above U+10FFFF.
bool StrictJsonReader::skipUtf8Sequence() {
    const auto lead = static_cast<unsigned char>(*p_);
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead == 0xE0) {
        length = 3;
        low = 0xA0;
    } else if (lead == 0xED) {
        length = 3;
        high = 0x9F;
    } else if (lead >= 0xE1 && lead <= 0xEF) {
        length = 3;
    } else if (lead == 0xF0) {
        length = 4;
        low = 0x90;
    } else if (lead >= 0xF1 && lead <= 0xF3) {
        length = 4;
    } else if (lead == 0xF4) {
        length = 4;
        high = 0x8F;
    } else {
        return false;
    }
    if (end_ - p_ < length)
        return false;
    const auto second = static_cast<unsigned char>(p_[1]);
    if (second < low || second > high)
        return false;
    for (int i = 2; i < length; ++i) {
        if ((static_cast<unsigned char>(p_[i]) & 0xC0) != 0x80)
            return false;
    }
    p_ += length;
    return true;
}

std::optional<char16_t> StrictJsonReader::readHexQuad() {
    if (end_ - p_ < 4)
        return std::nullopt;
    char16_t unit = 0;
    for (int i = 0; i < 4; ++i) {
        const int digit = hexDigitValue(p_[i]);
        if (digit < 0)
            return std::nullopt;
        unit = char16_t(unit * 16 + digit);
    }
    p_ += 4;
    return unit;
}

bool StrictJsonReader::appendEscape() {
    ++p_; // the backslash
    if (p_ == end_)
        return false;
    const char kind = *p_++;
    switch (kind) {
    case '"':
    case '\\':
    case '/':
        unescaped_ += kind;
        return true;
    case 'b':
        unescaped_ += '\b';
        return true;
    case 'f':
        unescaped_ += '\f';
        return true;
    case 'n':
        unescaped_ += '\n';
        return true;
    case 'r':
        unescaped_ += '\r';
        return true;
    case 't':
        unescaped_ += '\t';
        return true;
    case 'u':
        break;
    default:
        return false;
    }
    const std::optional<char16_t> unit = readHexQuad();
    if (!unit || isLowSurrogate(*unit))
        return false;
    if (!isHighSurrogate(*unit)) {
        appendUtf8(unescaped_, *unit);
        return true;
    }
    // A lone surrogate has no UTF-8 form; only a complete pair names a character.
    if (end_ - p_ < 2 || p_[0] != '\\' || p_[1] != 'u')
        return false;
    p_ += 2;
    const std::optional<char16_t> low = readHexQuad();
    if (!low || !isLowSurrogate(*low))
        return false;
    appendUtf8(unescaped_, 0x10000 + ((char32_t(*unit) - 0xD800) << 10) + (*low - 0xDC00));
    return true;
}

std::optional<qint32> StrictJsonReader::readInt32() {
    skipWhitespace();
    const char* const start = p_;
    if (!skipNumber())
        return std::nullopt;
    const bool negative = *start == '-';
    qint64 magnitude = 0;
    for (const char* digit = start + (negative ? 1 : 0); digit < p_; ++digit) {
        if (!isDigit(*digit))
            return std::nullopt; // a fraction or an exponent
        magnitude = magnitude * 10 + (*digit - '0');
        if (magnitude > qint64(1) << 31)
            return std::nullopt;
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

std::optional<bool> StrictJsonReader::readBool() {
    skipWhitespace();
    if (skipLiteral("true"))
        return true;
    if (skipLiteral("false"))
        return false;
    return std::nullopt;
}

bool StrictJsonReader::skipLiteral(QByteArrayView literal) {
    if (!QByteArrayView(p_, end_ - p_).startsWith(literal))
        return false;
    p_ += literal.size();
    return true;
}

bool StrictJsonReader::skipNumber() {
    if (p_ < end_ && *p_ == '-')
        ++p_;
    if (p_ == end_ || !isDigit(*p_))
        return false;
    if (*p_ == '0') {
        ++p_;
    } else {
        while (p_ < end_ && isDigit(*p_))
            ++p_;
    }
    if (p_ < end_ && *p_ == '.') {
        ++p_;
        if (p_ == end_ || !isDigit(*p_))
            return false;
        while (p_ < end_ && isDigit(*p_))
            ++p_;
    }
    if (p_ < end_ && (*p_ == 'e' || *p_ == 'E')) {
        ++p_;
        if (p_ < end_ && (*p_ == '+' || *p_ == '-'))
            ++p_;
        if (p_ == end_ || !isDigit(*p_))
            return false;
        while (p_ < end_ && isDigit(*p_))
            ++p_;
    }
    return true;
}

bool StrictJsonReader::skipScalar() {
    switch (*p_) {
    case '"':
        return readString().has_value();
    case 't':
        return skipLiteral("true");
    case 'f':
        return skipLiteral("false");
    case 'n':
        return skipLiteral("null");
    default:
        return skipNumber();
    }
}

bool StrictJsonReader::skipMemberName() {
    return readString() && consume(':');
}

bool StrictJsonReader::skipValue() {
    // The closing brackets still owed, innermost last; a heap stack instead of recursion.
    std::vector<char> closers;
    for (;;) {
        skipWhitespace();
        if (p_ == end_)
            return false;
        const char c = *p_;
        if (c == '[' || c == '{') {
            ++p_;
            const char closer = c == '[' ? ']' : '}';
            if (!consume(closer)) {
                if (c == '{' && !skipMemberName())
                    return false;
                closers.push_back(closer);
                continue;
            }
        } else if (!skipScalar()) {
            return false;
        }
        // A value is complete: close the containers that end here, then go to the next value.
        for (;;) {
            if (closers.empty())
                return true;
            if (consume(',')) {
                if (closers.back() == '}' && !skipMemberName())
                    return false;
                break;
            }
            if (!consume(closers.back()))
                return false;
            closers.pop_back();
        }
    }
}
