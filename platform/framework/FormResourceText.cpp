#include "platform/framework/FormResourceText.h"

#include "platform/framework/Exception.h"
#include "platform/framework/SysUtils.h"

#include <limits>
#include <utility>

namespace fw {

TFormValue TFormValue::MakeInteger(std::int64_t value)
{
    TFormValue v;
    v.Kind = TFormValueKind::Integer;
    v.Integer = value;
    return v;
}

TFormValue TFormValue::MakeString(std::string text)
{
    TFormValue v;
    v.Kind = TFormValueKind::String;
    v.Text = std::move(text);
    return v;
}

TFormValue TFormValue::MakeIdentifier(std::string name)
{
    TFormValue v;
    v.Kind = TFormValueKind::Identifier;
    v.Text = std::move(name);
    return v;
}

TFormValue TFormValue::MakeSet(std::vector<std::string> names)
{
    TFormValue v;
    v.Kind = TFormValueKind::Set;
    v.Set = std::move(names);
    return v;
}

TFormValue TFormValue::MakeList(std::vector<TFormValue> items)
{
    TFormValue v;
    v.Kind = TFormValueKind::List;
    v.List = std::move(items);
    return v;
}

TFormValue TFormValue::MakeBinary(std::vector<std::uint8_t> bytes)
{
    TFormValue v;
    v.Kind = TFormValueKind::Binary;
    v.Binary = std::move(bytes);
    return v;
}

bool TFormValue::operator==(const TFormValue& other) const
{
    if (Kind != other.Kind) return false;
    switch (Kind) {
    case TFormValueKind::Integer: return Integer == other.Integer;
    case TFormValueKind::String:
    case TFormValueKind::Identifier: return Text == other.Text;
    case TFormValueKind::Set: return Set == other.Set;
    case TFormValueKind::List: return List == other.List;
    case TFormValueKind::Binary: return Binary == other.Binary;
    }
    return false;
}

bool TFormProperty::operator==(const TFormProperty& other) const
{
    return Name == other.Name && Value == other.Value;
}

bool TFormObject::operator==(const TFormObject& other) const
{
    return Name == other.Name && ClassName == other.ClassName && Properties == other.Properties &&
           Children == other.Children;
}

namespace {

bool IsIdentStart(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(int c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }

int HexDigitValue(int c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A character as the error messages show it: printable ASCII quoted, anything else by code.
std::string DescribeChar(int c)
{
    if (c > 32 && c < 127) return std::string("'") + static_cast<char>(c) + "'";
    return "#" + std::to_string(c);
}

bool IsIdentifier(std::string_view s)
{
    if (s.empty() || !IsIdentStart(static_cast<unsigned char>(s.front()))) return false;
    for (const char c : s)
        if (!IsIdentChar(static_cast<unsigned char>(c))) return false;
    return true;
}

bool IsDottedIdentifier(std::string_view s)
{
    for (;;) {
        const auto dot = s.find('.');
        if (!IsIdentifier(s.substr(0, dot))) return false;
        if (dot == std::string_view::npos) return true;
        s.remove_prefix(dot + 1);
    }
}

// A line-oriented reader: a statement ("object ...", "end", "Name = value") starts on a line of
// its own and nothing but blanks may follow it on its last line; values may span lines only
// inside lists, sets, binary data and '+'-joined strings.
class TFormReader {
public:
    TFormReader(std::string_view text, std::string_view resourceName) : text_(text), resourceName_(resourceName) {}

    TFormObject ReadResource()
    {
        SkipBlank();
        if (AtEnd()) Fail("the resource holds no object");
        if (!IsIdentStart(Peek())) Fail("expected 'object', found " + DescribeChar(Peek()));
        const std::string word = ReadDottedIdentifier();
        SkipSpaces();
        if (Peek() == '=') Fail("property " + word + " outside any object");
        if (!SameText(word, "object")) Fail("expected 'object', found " + word);
        TFormObject root = ReadObject(1);
        SkipBlank();
        if (!AtEnd()) Fail("text after the final 'end'");
        return root;
    }

private:
    [[noreturn]] void Fail(int line, const std::string& message) const
    {
        throw Exception("Form resource " + std::string(resourceName_) + ", line " + std::to_string(line) + ": " +
                        message);
    }
    [[noreturn]] void Fail(const std::string& message) const { Fail(line_, message); }

    bool AtEnd() const { return pos_ >= text_.size(); }
    int Peek() const { return AtEnd() ? -1 : static_cast<unsigned char>(text_[pos_]); }
    bool AtLineBreak() const { return Peek() == '\n' || Peek() == '\r'; }

    void SkipSpaces()
    {
        while (Peek() == ' ' || Peek() == '\t') ++pos_;
    }

    // Steps over one line end: "\r\n", "\n" or a lone "\r".
    void SkipLineBreak()
    {
        if (Peek() == '\r') ++pos_;
        if (Peek() == '\n') ++pos_;
        ++line_;
    }

    void SkipBlank()
    {
        for (;;) {
            SkipSpaces();
            if (!AtLineBreak()) return;
            SkipLineBreak();
        }
    }

    void ExpectLineEnd(const std::string& after)
    {
        SkipSpaces();
        if (!AtEnd() && !AtLineBreak()) Fail("unexpected " + DescribeChar(Peek()) + " after " + after);
    }

    std::string ReadIdentifier()
    {
        const std::size_t start = pos_;
        while (IsIdentChar(Peek())) ++pos_;
        return std::string(text_.substr(start, pos_ - start));
    }

    std::string ReadDottedIdentifier()
    {
        std::string name = ReadIdentifier();
        while (Peek() == '.') {
            ++pos_;
            if (!IsIdentStart(Peek())) Fail("expected an identifier after '.' in " + name);
            name += '.';
            name += ReadIdentifier();
        }
        return name;
    }

    // Called just after the keyword 'object'.
    TFormObject ReadObject(int depth)
    {
        if (depth > MaxFormNesting) Fail("objects nested deeper than " + std::to_string(MaxFormNesting) + " levels");
        TFormObject object;
        object.Line = line_;
        SkipSpaces();
        if (!IsIdentStart(Peek())) Fail("expected the object's name after 'object'");
        object.Name = ReadIdentifier();
        SkipSpaces();
        if (Peek() != ':') Fail("expected ':' after object name " + object.Name);
        ++pos_;
        SkipSpaces();
        if (!IsIdentStart(Peek())) Fail("expected a class name after '" + object.Name + ":'");
        object.ClassName = ReadIdentifier();
        ExpectLineEnd("class name " + object.ClassName);

        for (;;) {
            SkipBlank();
            if (AtEnd())
                Fail("'end' missing for object " + object.Name + " of line " + std::to_string(object.Line));
            const int line = line_;
            if (!IsIdentStart(Peek())) Fail("unexpected " + DescribeChar(Peek()) + " at the start of a line");
            std::string word = ReadDottedIdentifier();
            SkipSpaces();
            const bool assignment = Peek() == '=';
            if (!assignment && SameText(word, "end")) {
                ExpectLineEnd("'end'");
                return object;
            }
            if (!assignment && SameText(word, "object")) {
                object.Children.push_back(ReadObject(depth + 1));
                continue;
            }
            if (!assignment) Fail("expected '=' after property name " + word);
            if (!object.Children.empty())
                Fail("property " + word + " after the child objects of " + object.Name);
            ++pos_;
            SkipSpaces();
            TFormProperty property;
            property.Name = std::move(word);
            property.Line = line;
            property.Value = ReadValue(0);
            ExpectLineEnd("the value of " + property.Name);
            object.Properties.push_back(std::move(property));
        }
    }

    TFormValue ReadValue(int listDepth)
    {
        const int c = Peek();
        const int line = line_;
        TFormValue value;
        if (c == '\'' || c == '#')
            value = TFormValue::MakeString(ReadString());
        else if (c == '-' || IsDigit(c))
            value = TFormValue::MakeInteger(ReadInteger());
        else if (IsIdentStart(c))
            value = TFormValue::MakeIdentifier(ReadDottedIdentifier());
        else if (c == '[')
            value = TFormValue::MakeSet(ReadSet());
        else if (c == '(')
            value = TFormValue::MakeList(ReadList(listDepth + 1));
        else if (c == '{')
            value = TFormValue::MakeBinary(ReadBinary());
        else if (AtEnd() || AtLineBreak())
            Fail("expected a value");
        else
            Fail("unexpected " + DescribeChar(c) + " where a value should start");
        value.Line = line;
        return value;
    }

    // Quoted runs and #nnn codes, joined without separators; a '+' at the end of a line
    // continues the string on the next line.
    std::string ReadString()
    {
        std::string text;
        for (;;) {
            if (Peek() == '\'') {
                ++pos_;
                for (;;) {
                    if (AtEnd() || AtLineBreak()) Fail("unterminated string");
                    const char ch = text_[pos_++];
                    if (ch == '\'') {
                        if (Peek() != '\'') break;
                        ++pos_;
                    }
                    text += ch;
                }
            } else if (Peek() == '#') {
                ++pos_;
                if (!IsDigit(Peek())) Fail("expected a decimal character code after '#'");
                int code = 0;
                while (IsDigit(Peek())) {
                    code = code * 10 + (Peek() - '0');
                    if (code > 255) Fail("character code above 255");
                    ++pos_;
                }
                text += static_cast<char>(code);
            } else {
                const std::size_t mark = pos_;
                SkipSpaces();
                if (Peek() != '+') {
                    pos_ = mark;
                    return text;
                }
                ++pos_;
                SkipSpaces();
                if (!AtLineBreak()) Fail("'+' must end the line to continue a string");
                SkipBlank();
                if (Peek() != '\'' && Peek() != '#') Fail("expected the string's continuation after '+'");
            }
        }
    }

    std::int64_t ReadInteger()
    {
        const bool negative = Peek() == '-';
        if (negative) ++pos_;
        if (!IsDigit(Peek())) Fail("invalid integer");
        constexpr std::uint64_t maxPositive = std::numeric_limits<std::int64_t>::max();
        const std::uint64_t limit = negative ? maxPositive + 1 : maxPositive;
        std::uint64_t magnitude = 0;
        while (IsDigit(Peek())) {
            const auto digit = static_cast<std::uint64_t>(Peek() - '0');
            if (magnitude > (limit - digit) / 10) Fail("integer out of the 64-bit range");
            magnitude = magnitude * 10 + digit;
            ++pos_;
        }
        if (IsIdentChar(Peek()) || Peek() == '.') Fail("invalid integer");
        if (!negative) return static_cast<std::int64_t>(magnitude);
        if (magnitude == maxPositive + 1) return std::numeric_limits<std::int64_t>::min();
        return -static_cast<std::int64_t>(magnitude);
    }

    std::vector<std::string> ReadSet()
    {
        const int openLine = line_;
        auto failUnclosed = [&] { Fail("set of line " + std::to_string(openLine) + " not closed"); };
        ++pos_;
        std::vector<std::string> names;
        SkipBlank();
        if (Peek() == ']') {
            ++pos_;
            return names;
        }
        for (;;) {
            if (AtEnd()) failUnclosed();
            if (!IsIdentStart(Peek())) Fail("expected an identifier in the set, found " + DescribeChar(Peek()));
            names.push_back(ReadIdentifier());
            SkipBlank();
            if (Peek() == ']') {
                ++pos_;
                return names;
            }
            if (AtEnd()) failUnclosed();
            if (Peek() != ',') Fail("expected ',' or ']' in the set, found " + DescribeChar(Peek()));
            ++pos_;
            SkipBlank();
        }
    }

    std::vector<TFormValue> ReadList(int depth)
    {
        if (depth > MaxFormNesting) Fail("lists nested deeper than " + std::to_string(MaxFormNesting) + " levels");
        const int openLine = line_;
        ++pos_;
        std::vector<TFormValue> items;
        for (;;) {
            SkipBlank();
            if (AtEnd()) Fail("list of line " + std::to_string(openLine) + " not closed");
            if (Peek() == ')') {
                ++pos_;
                return items;
            }
            items.push_back(ReadValue(depth));
            const int next = Peek();
            if (next != ' ' && next != '\t' && next != ')' && !AtLineBreak() && !AtEnd())
                Fail("unexpected " + DescribeChar(next) + " after a list item");
        }
    }

    std::vector<std::uint8_t> ReadBinary()
    {
        const int openLine = line_;
        ++pos_;
        std::vector<std::uint8_t> bytes;
        int high = -1;  // the first digit of a pair, while waiting for the second
        for (;;) {
            SkipBlank();
            if (AtEnd()) Fail("binary value of line " + std::to_string(openLine) + " not closed");
            const int c = Peek();
            if (c == '}') {
                if (high >= 0) Fail("odd number of hex digits in binary value");
                ++pos_;
                return bytes;
            }
            const int digit = HexDigitValue(c);
            if (digit < 0) Fail("invalid hex digit " + DescribeChar(c) + " in binary value");
            ++pos_;
            if (high < 0) {
                high = digit;
            } else {
                bytes.push_back(static_cast<std::uint8_t>(high * 16 + digit));
                high = -1;
            }
        }
    }

    std::string_view text_;
    std::string_view resourceName_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

class TFormWriter {
public:
    std::string Write(const TFormObject& root)
    {
        WriteObject(root, 0, 1);
        return std::move(out_);
    }

private:
    [[noreturn]] static void Fail(const std::string& objectName, const std::string& message)
    {
        throw Exception("Cannot write form object " + objectName + ": " + message);
    }

    void Indent(int level) { out_.append(static_cast<std::size_t>(level) * 2, ' '); }

    void WriteObject(const TFormObject& object, int level, int depth)
    {
        if (depth > MaxFormNesting)
            Fail(object.Name, "objects nested deeper than " + std::to_string(MaxFormNesting) + " levels");
        if (!IsIdentifier(object.Name)) Fail("'" + object.Name + "'", "the name is no identifier");
        if (!IsIdentifier(object.ClassName))
            Fail(object.Name, "class name '" + object.ClassName + "' is no identifier");
        Indent(level);
        out_ += "object " + object.Name + ": " + object.ClassName + "\n";
        for (const TFormProperty& property : object.Properties) {
            if (!IsDottedIdentifier(property.Name))
                Fail(object.Name, "property name '" + property.Name + "' is no identifier");
            Indent(level + 1);
            out_ += property.Name + " = ";
            WriteValue(object.Name, property.Value, level + 1, 0);
            out_ += '\n';
        }
        for (const TFormObject& child : object.Children) WriteObject(child, level + 1, depth + 1);
        Indent(level);
        out_ += "end\n";
    }

    // `level` is the indentation of the line the value starts on; continuation lines go deeper.
    void WriteValue(const std::string& objectName, const TFormValue& value, int level, int listDepth)
    {
        switch (value.Kind) {
        case TFormValueKind::Integer: out_ += std::to_string(value.Integer); return;
        case TFormValueKind::String: WriteString(value.Text); return;
        case TFormValueKind::Identifier:
            if (!IsDottedIdentifier(value.Text)) Fail(objectName, "value '" + value.Text + "' is no identifier");
            out_ += value.Text;
            return;
        case TFormValueKind::Set:
            out_ += '[';
            for (std::size_t i = 0; i < value.Set.size(); ++i) {
                if (!IsIdentifier(value.Set[i])) Fail(objectName, "set member '" + value.Set[i] + "' is no identifier");
                if (i > 0) out_ += ", ";
                out_ += value.Set[i];
            }
            out_ += ']';
            return;
        case TFormValueKind::List:
            if (listDepth + 1 > MaxFormNesting)
                Fail(objectName, "lists nested deeper than " + std::to_string(MaxFormNesting) + " levels");
            out_ += '(';
            for (const TFormValue& item : value.List) {
                out_ += '\n';
                Indent(level + 1);
                WriteValue(objectName, item, level + 1, listDepth + 1);
            }
            out_ += ')';
            return;
        case TFormValueKind::Binary: WriteBinary(value.Binary, level); return;
        }
        Fail(objectName, "unknown value kind");
    }

    // Printable bytes (also those of 128 and above) in quoted runs, control bytes and DEL as #nn.
    void WriteString(const std::string& text)
    {
        if (text.empty()) {
            out_ += "''";
            return;
        }
        bool quoted = false;
        for (const char ch : text) {
            const auto byte = static_cast<unsigned char>(ch);
            const bool control = byte < 32 || byte == 127;
            if (control == quoted) {
                out_ += '\'';
                quoted = !quoted;
            }
            if (control) {
                out_ += '#' + std::to_string(byte);
            } else {
                if (ch == '\'') out_ += '\'';
                out_ += ch;
            }
        }
        if (quoted) out_ += '\'';
    }

    // Up to 32 bytes on the property's line, longer data 32 bytes a line below it.
    void WriteBinary(const std::vector<std::uint8_t>& bytes, int level)
    {
        constexpr std::size_t bytesPerLine = 32;
        static const char digits[] = "0123456789ABCDEF";
        out_ += '{';
        const bool wrap = bytes.size() > bytesPerLine;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (wrap && i % bytesPerLine == 0) {
                out_ += '\n';
                Indent(level + 1);
            }
            out_ += digits[bytes[i] >> 4];
            out_ += digits[bytes[i] & 15];
        }
        out_ += '}';
    }

    std::string out_;
};

} // namespace

TFormObject ParseFormResource(std::string_view text, std::string_view resourceName)
{
    return TFormReader(text, resourceName).ReadResource();
}

std::string WriteFormResource(const TFormObject& root)
{
    return TFormWriter().Write(root);
}

} // namespace fw
