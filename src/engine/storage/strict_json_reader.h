#pragma once

#include <QByteArrayView>
#include <optional>
#include <string>

// Space, tab, line feed and carriage return: JSON's white space, and nothing else.
inline bool isJsonWhitespace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

// A pull reader for RFC 8259 JSON that accepts nothing else: no comments, no trailing commas,
// no NaN, no invalid UTF-8, no lone surrogates. It works in one pass over the bytes and never
// recurses, so hostile input costs linear time and no stack.
class StrictJsonReader {
public:
    explicit StrictJsonReader(QByteArrayView json);

    // Consumes `token` after optional whitespace; false (and nothing consumed) otherwise.
    bool consume(char token);
    // True when only whitespace is left.
    bool atEnd();

    // The content of a string as UTF-8 with its escapes resolved. The view stays valid until
    // the next string is read.
    std::optional<QByteArrayView> readString();
    // An integer written without fraction or exponent, within the 32-bit signed range.
    std::optional<qint32> readInt32();
    std::optional<bool> readBool();
    // Any well-formed value, however deeply nested.
    bool skipValue();

private:
    void skipWhitespace();
    bool skipLiteral(QByteArrayView literal);
    bool skipNumber();
    bool skipScalar();
    bool skipMemberName();
    bool skipUtf8Sequence();
    bool appendEscape();
    std::optional<char16_t> readHexQuad();

    const char* p_;
    const char* end_;
    std::string unescaped_;
};

// Calls `element` for each element of an array; `element` reads exactly one value.
template <class ElementReader> bool readArray(StrictJsonReader& reader, ElementReader&& element) {
    if (!reader.consume('['))
        return false;
    if (reader.consume(']'))
        return true;
    do {
        if (!element())
            return false;
    } while (reader.consume(','));
    return reader.consume(']');
}

// Calls `member` with each member name of an object; `member` reads exactly one value. The name
// is only valid until `member` reads a string.
template <class MemberReader> bool readObject(StrictJsonReader& reader, MemberReader&& member) {
    if (!reader.consume('{'))
        return false;
    if (reader.consume('}'))
        return true;
    do {
        const std::optional<QByteArrayView> name = reader.readString();
        if (!name || !reader.consume(':') || !member(*name))
            return false;
    } while (reader.consume(','));
    return reader.consume('}');
}
