#include "platform/framework/FormResourceText.h"

#include "platform/framework/Exception.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <ostream>
#include <random>

namespace fw {
// Shows a tree in failure messages as its text.
void PrintTo(const TFormObject& object, std::ostream* os)
{
    try {
        *os << "\n" << WriteFormResource(object);
    } catch (const Exception& e) {
        *os << "<unwritable tree: " << e.what() << ">";
    }
}
} // namespace fw

namespace {

using fw::TFormObject;
using fw::TFormProperty;
using fw::TFormValue;
using namespace std::string_literals;

const char* const kExample =
    "object CustForm: TCustForm\n"
    "  Left = 192\n"
    "  Top = -5\n"
    "  Caption = 'Linkward Customization'\n"
    "  Hint = 'It''s here'#13#10'second line'\n"
    "  Font.Name = 'MS Sans Serif'\n"
    "  Font.Height = -11\n"
    "  Visible = False\n"
    "  BorderStyle = bsDialog\n"
    "  BorderIcons = [biSystemMenu, biHelp]\n"
    "  Items.Strings = (\n"
    "    'first'\n"
    "    'second')\n"
    "  Data = {0A0B10FF}\n"
    "  OnCreate = FormCreate\n"
    "  Images = ResourceForm.ilsImages\n"
    "  object ProxyCustomBox: TGroupBox\n"
    "    Caption = ' Proxy Customization '\n"
    "  end\n"
    "end\n";

TFormObject Object(std::string name, std::string className, std::vector<TFormProperty> properties = {},
                   std::vector<TFormObject> children = {})
{
    TFormObject object;
    object.Name = std::move(name);
    object.ClassName = std::move(className);
    object.Properties = std::move(properties);
    object.Children = std::move(children);
    return object;
}

TFormProperty Prop(std::string name, TFormValue value) { return TFormProperty{std::move(name), std::move(value), 0}; }

TFormObject Parse(std::string_view text) { return fw::ParseFormResource(text, "TCustForm"); }

TEST(FormResourceText, ExampleReadsIntoItsTreeAndWritesBackUnchanged)
{
    const TFormObject expected = Object(
        "CustForm", "TCustForm",
        {Prop("Left", TFormValue::MakeInteger(192)), Prop("Top", TFormValue::MakeInteger(-5)),
         Prop("Caption", TFormValue::MakeString("Linkward Customization")),
         Prop("Hint", TFormValue::MakeString("It's here\r\nsecond line")),
         Prop("Font.Name", TFormValue::MakeString("MS Sans Serif")), Prop("Font.Height", TFormValue::MakeInteger(-11)),
         Prop("Visible", TFormValue::MakeIdentifier("False")), Prop("BorderStyle", TFormValue::MakeIdentifier("bsDialog")),
         Prop("BorderIcons", TFormValue::MakeSet({"biSystemMenu", "biHelp"})),
         Prop("Items.Strings", TFormValue::MakeList({TFormValue::MakeString("first"), TFormValue::MakeString("second")})),
         Prop("Data", TFormValue::MakeBinary({0x0A, 0x0B, 0x10, 0xFF})),
         Prop("OnCreate", TFormValue::MakeIdentifier("FormCreate")),
         Prop("Images", TFormValue::MakeIdentifier("ResourceForm.ilsImages"))},
        {Object("ProxyCustomBox", "TGroupBox", {Prop("Caption", TFormValue::MakeString(" Proxy Customization "))})});

    const TFormObject parsed = Parse(kExample);
    EXPECT_EQ(parsed, expected);
    EXPECT_EQ(fw::WriteFormResource(parsed), kExample);
    EXPECT_EQ(fw::WriteFormResource(expected), kExample);

    // Lines are recorded where each element starts.
    EXPECT_EQ(parsed.Line, 1);
    ASSERT_EQ(parsed.Properties.size(), 13u);
    EXPECT_EQ(parsed.Properties[1].Line, 3);
    EXPECT_EQ(parsed.Properties[9].Value.Line, 11);
    EXPECT_EQ(parsed.Properties[9].Value.List[1].Line, 13);
    ASSERT_EQ(parsed.Children.size(), 1u);
    EXPECT_EQ(parsed.Children[0].Line, 17);
    EXPECT_EQ(parsed.Children[0].Properties[0].Line, 18);
}

TEST(FormResourceText, LooseLayoutReadsIntoCanonicalText)
{
    const std::string loose =
        "\r\n"
        "  OBJECT  Form1 :TForm1 \r\n"
        "\tLeft=007\r\n"
        "  Top = -0\r"
        "  End = 1\n"
        "  Object = x\n"
        "  Caption = 'abc' +\n"
        "\n"
        "     'def'+\n"
        "    #33\n"
        "  Anchors = [akLeft,akTop,\n"
        "    akRight ]\n"
        "  Options = [ ]\n"
        "  Items = ()\n"
        "  Mixed = (1 'two' three ( 'nested' ) -4)\n"
        "  Data = {\n"
        "    0a0B\n"
        "    fF }\n"
        "  object end: TPanel\n"
        "  END\n"
        "  Object Object: TPanel\n"
        "  eNd   \n"
        "end\n"
        "\n";
    const char* const canonical =
        "object Form1: TForm1\n"
        "  Left = 7\n"
        "  Top = 0\n"
        "  End = 1\n"
        "  Object = x\n"
        "  Caption = 'abcdef!'\n"
        "  Anchors = [akLeft, akTop, akRight]\n"
        "  Options = []\n"
        "  Items = ()\n"
        "  Mixed = (\n"
        "    1\n"
        "    'two'\n"
        "    three\n"
        "    (\n"
        "      'nested')\n"
        "    -4)\n"
        "  Data = {0A0BFF}\n"
        "  object end: TPanel\n"
        "  end\n"
        "  object Object: TPanel\n"
        "  end\n"
        "end\n";
    const TFormObject parsed = Parse(loose);
    EXPECT_EQ(fw::WriteFormResource(parsed), canonical);
    EXPECT_EQ(Parse(canonical), parsed);
    EXPECT_EQ(parsed.Properties[4].Line, 7);  // "\r\n" and a lone "\r" count as one line break each
}

TEST(FormResourceText, ValuesWriteCanonicallyAndReadBack)
{
    std::vector<std::uint8_t> longData(33);
    for (std::size_t i = 0; i < longData.size(); ++i) longData[i] = static_cast<std::uint8_t>(i * 8);
    const struct {
        const char* name;
        TFormValue value;
        std::string written;  // what follows "X = "
    } cases[] = {
        {"empty string", TFormValue::MakeString(""), "''"},
        {"quotes", TFormValue::MakeString("It's 'x'"), "'It''s ''x'''"},
        {"only a quote", TFormValue::MakeString("'"), "''''"},
        {"line break", TFormValue::MakeString("\r\n"), "#13#10"},
        {"embedded zero", TFormValue::MakeString("a\0b"s), "'a'#0'b'"},
        {"tab then text", TFormValue::MakeString("\tx"), "#9'x'"},
        {"DEL", TFormValue::MakeString("\x7F"), "#127"},
        {"high bytes stay raw", TFormValue::MakeString("\xE9t\xE9 \xFF\x80"), "'\xE9t\xE9 \xFF\x80'"},
        {"digits after a code", TFormValue::MakeString("\n1"), "#10'1'"},
        {"largest integer", TFormValue::MakeInteger(std::numeric_limits<std::int64_t>::max()), "9223372036854775807"},
        {"smallest integer", TFormValue::MakeInteger(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808"},
        {"dotted identifier", TFormValue::MakeIdentifier("ResourceForm.ilsImages"), "ResourceForm.ilsImages"},
        {"empty set", TFormValue::MakeSet({}), "[]"},
        {"one-member set", TFormValue::MakeSet({"fsBold"}), "[fsBold]"},
        {"empty list", TFormValue::MakeList({}), "()"},
        {"empty list inside a list", TFormValue::MakeList({TFormValue::MakeList({})}), "(\n    ())"},
        {"list of a set and binary",
         TFormValue::MakeList({TFormValue::MakeSet({"a", "b"}), TFormValue::MakeBinary({1})}), "(\n    [a, b]\n    {01})"},
        {"empty binary", TFormValue::MakeBinary({}), "{}"},
        {"binary over 32 bytes wraps",
         TFormValue::MakeBinary(longData),
         "{\n    0008101820283038404850586068707880889098A0A8B0B8C0C8D0D8E0E8F0F8\n    00}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TFormObject tree = Object("F", "TF", {Prop("X", c.value)});
        const std::string text = fw::WriteFormResource(tree);
        EXPECT_EQ(text, "object F: TF\n  X = " + c.written + "\nend\n");
        EXPECT_EQ(Parse(text), tree);
    }
}

TEST(FormResourceText, StringSpellingsReadAsTheirBytes)
{
    const std::pair<std::string, std::string> cases[] = {
        {"#65#066'C'#0068", "ABCD"},
        {"''''''", "''"},
        {"'x' +\n\n   'y' + \n#0", "xy\0"s},
        {"#0", std::string(1, '\0')},
        {"#255", "\xFF"},
        {"'raw\ttab \xE4\xFF'", "raw\ttab \xE4\xFF"},
        {"'zero\0inside'"s, "zero\0inside"s},
    };
    for (const auto& [spelling, bytes] : cases) {
        SCOPED_TRACE(spelling);
        const TFormObject parsed = Parse("object F: TF\n  X = " + spelling + "\nend\n");
        ASSERT_EQ(parsed.Properties.size(), 1u);
        EXPECT_EQ(parsed.Properties[0].Value, TFormValue::MakeString(bytes));
    }
}

TEST(FormResourceText, MalformedTextNamesTheResourceAndTheLine)
{
    const struct {
        std::string text;
        int line;
        const char* fragment;
    } cases[] = {
        {"", 1, "no object"},
        {"\n\n  \n", 4, "no object"},
        {"  Left = 1\n", 1, "outside any object"},
        {"begin\nend\n", 1, "expected 'object'"},
        {"object : TA\nend\n", 1, "expected the object's name"},
        {"object A TA\nend\n", 1, "expected ':'"},
        {"object A:\nend\n", 1, "expected a class name"},
        {"object A: TA extra\nend\n", 1, "after class name TA"},
        {"object A: TA.Sub\nend\n", 1, "unexpected '.'"},
        {"object A: TA\n  Left = 1\n", 3, "'end' missing for object A of line 1"},
        {"object A: TA\n  object B: TB\n  end\n", 4, "'end' missing for object A"},
        {"object A: TA\nend\nend\n", 3, "after the final 'end'"},
        {"object A: TA\nend\nobject B: TB\nend\n", 3, "after the final 'end'"},
        {"object A: TA\nend x\n", 2, "after 'end'"},
        {"object A: TA\n  Left 1\nend\n", 2, "expected '=' after property name Left"},
        {"object A: TA\n  inherited B: TB\nend\n", 2, "expected '='"},
        {"object A: TA\n  Font. Name = 1\nend\n", 2, "expected an identifier after '.'"},
        {"object A: TA\n  = 1\nend\n", 2, "unexpected '='"},
        {"object A: TA\n  Left =\nend\n", 2, "expected a value"},
        {"object A: TA\n  Left = 1 2\nend\n", 2, "after the value of Left"},
        {"object A: TA\n  Left = 12a\nend\n", 2, "invalid integer"},
        {"object A: TA\n  Left = 1.5\nend\n", 2, "invalid integer"},
        {"object A: TA\n  Left = -\nend\n", 2, "invalid integer"},
        {"object A: TA\n  Left = --1\nend\n", 2, "invalid integer"},
        {"object A: TA\n  Left = +1\nend\n", 2, "unexpected '+'"},
        {"object A: TA\n  Left = 9223372036854775808\nend\n", 2, "out of the 64-bit range"},
        {"object A: TA\n  Left = -9223372036854775809\nend\n", 2, "out of the 64-bit range"},
        {"object A: TA\n  Left = 184467440737095516160\nend\n", 2, "out of the 64-bit range"},
        {"object A: TA\n  Left = $10\nend\n", 2, "unexpected '$'"},
        {"object A: TA\n  Caption = 'abc\nend\n", 2, "unterminated string"},
        {"object A: TA\n  Caption = 'abc", 2, "unterminated string"},
        {"object A: TA\n\n  Caption = 'a''\nend\n", 3, "unterminated string"},
        {"object A: TA\n  Caption = 'a' 'b'\nend\n", 2, "after the value of Caption"},
        {"object A: TA\n  Caption = 'a' + 'b'\nend\n", 2, "'+' must end the line"},
        {"object A: TA\n  Caption = 'a' +\n  Left = 1\nend\n", 3, "continuation after '+'"},
        {"object A: TA\n  Caption = 'a' +\n", 3, "continuation after '+'"},
        {"object A: TA\n  Caption = #\nend\n", 2, "character code after '#'"},
        {"object A: TA\n  Caption = #256\nend\n", 2, "above 255"},
        {"object A: TA\n  Caption = #99999999999999999999\nend\n", 2, "above 255"},
        {"object A: TA\n  Caption = \xE9\nend\n", 2, "unexpected #233"},
        {"object A: TA\n  Caption = \0\nend\n"s, 2, "unexpected #0"},
        {"object A: TA\n  Caption = \"x\"\nend\n", 2, "unexpected '\"'"},
        {"object A: TA\n  Data = {0G}\nend\n", 2, "invalid hex digit 'G'"},
        {"object A: TA\n  Data = {0A\n  B}\nend\n", 3, "odd number of hex digits"},
        {"object A: TA\n  Data = {0A\nend\n", 3, "invalid hex digit 'n'"},
        {"object A: TA\n  Data = {0A\n", 3, "binary value of line 2 not closed"},
        {"object A: TA\n  Set = [a,]\nend\n", 2, "expected an identifier in the set"},
        {"object A: TA\n  Set = [a b]\nend\n", 2, "expected ',' or ']'"},
        {"object A: TA\n  Set = [1]\nend\n", 2, "expected an identifier in the set"},
        {"object A: TA\n  Set = [a,\n", 3, "set of line 2 not closed"},
        {"object A: TA\n  Set = [a.b]\nend\n", 2, "expected ',' or ']'"},
        {"object A: TA\n  Items = (1,2)\nend\n", 2, "unexpected ',' after a list item"},
        {"object A: TA\n  Items = ('a'1)\nend\n", 2, "after a list item"},
        {"object A: TA\n  Items = (\n    'a'\nend\n", 5, "list of line 2 not closed"},
        {"object A: TA\n  Items = (\n    'a' ]\nend\n", 3, "unexpected ']' where a value should start"},
        {"object A: TA\n  Items = ('a') 'b'\nend\n", 2, "after the value of Items"},
        {"object A: TA\n  object B: TB\n  end\n  Left = 1\nend\n", 4, "property Left after the child objects"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            Parse(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const fw::Exception& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind("Form resource TCustForm, line " + std::to_string(c.line) + ": ", 0), 0u) << message;
            EXPECT_NE(message.find(c.fragment), std::string::npos) << message;
        }
    }
}

// Damaged copies of a good resource: each is either read (and then survives a round trip) or
// refused with a located error; nothing else may happen.
TEST(FormResourceText, DamagedTextIsReadOrRefusedNeverMisread)
{
    const std::string example = kExample;
    const std::size_t validPrefix = example.size() - 1;  // the text without its final line break
    for (std::size_t length = 0; length < validPrefix; ++length) {
        SCOPED_TRACE(length);
        EXPECT_THROW(Parse(example.substr(0, length)), fw::Exception);
    }
    EXPECT_EQ(Parse(example.substr(0, validPrefix)), Parse(example));

    const char replacements[] = {'\'', '#', '\n', ' ', '{', '(', '[', ')', '-', 'x', '0', '+', '\0', '\xFF'};
    int accepted = 0;
    for (std::size_t at = 0; at < example.size(); ++at) {
        for (const char r : replacements) {
            std::string damaged = example;
            damaged[at] = r;
            try {
                const TFormObject tree = Parse(damaged);
                ++accepted;
                EXPECT_EQ(Parse(fw::WriteFormResource(tree)), tree) << damaged;
            } catch (const fw::Exception& e) {
                EXPECT_EQ(std::string(e.what()).rfind("Form resource TCustForm, line ", 0), 0u) << e.what();
            }
        }
    }
    EXPECT_GT(accepted, 0);  // some damage is harmless (a letter in a caption), and must be read
}

TEST(FormResourceText, NestingIsReadToTheLimitAndRefusedBeyond)
{
    auto nested = [](int depth) {
        TFormObject object = Object("L" + std::to_string(depth), "TPanel", {Prop("Tag", TFormValue::MakeInteger(depth))});
        for (int level = depth - 1; level >= 1; --level)
            object = Object("L" + std::to_string(level), "TPanel", {}, {std::move(object)});
        return object;
    };
    const TFormObject deepest = nested(fw::MaxFormNesting);
    const std::string text = fw::WriteFormResource(deepest);
    const TFormObject parsed = Parse(text);
    EXPECT_EQ(parsed, deepest);
    EXPECT_EQ(fw::WriteFormResource(parsed), text);

    const TFormObject tooDeep = nested(fw::MaxFormNesting + 1);
    EXPECT_THROW(fw::WriteFormResource(tooDeep), fw::Exception);
    std::string tooDeepText;
    for (int level = 1; level <= fw::MaxFormNesting + 1; ++level) tooDeepText += "object L: TPanel\n";
    for (int level = 1; level <= fw::MaxFormNesting + 1; ++level) tooDeepText += "end\n";
    try {
        Parse(tooDeepText);
        ADD_FAILURE() << "accepted";
    } catch (const fw::Exception& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Form resource TCustForm, line " + std::to_string(fw::MaxFormNesting + 1) +
                                                  ": objects nested deeper",
                                              0),
                  0u)
            << e.what();
    }

    TFormValue list = TFormValue::MakeList({});
    for (int level = 1; level < fw::MaxFormNesting; ++level) list = TFormValue::MakeList({std::move(list)});
    const TFormObject deepList = Object("F", "TF", {Prop("X", list)});
    EXPECT_EQ(Parse(fw::WriteFormResource(deepList)), deepList);
    const TFormObject tooDeepList = Object("F", "TF", {Prop("X", TFormValue::MakeList({list}))});
    EXPECT_THROW(fw::WriteFormResource(tooDeepList), fw::Exception);
    EXPECT_THROW(Parse("object F: TF\n  X = " + std::string(fw::MaxFormNesting + 1, '(') + "\nend\n"), fw::Exception);
}

// Random trees over every byte value and the whole integer range come back equal.
TEST(FormResourceText, RandomTreesSurviveTheRoundTrip)
{
    std::mt19937_64 random(20240611);
    auto below = [&](std::uint64_t n) { return static_cast<std::size_t>(random() % n); };
    auto identifier = [&] {
        static const char first[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_";
        static const char rest[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_0123456789";
        std::string name(1, first[below(sizeof first - 1)]);
        for (std::size_t i = below(8); i > 0; --i) name += rest[below(sizeof rest - 1)];
        return name;
    };
    auto dotted = [&] { return below(3) == 0 ? identifier() + "." + identifier() : identifier(); };
    std::function<TFormValue(int)> value = [&](int depth) {
        switch (below(depth < 3 ? 6 : 5)) {
        case 0: return TFormValue::MakeInteger(static_cast<std::int64_t>(random()));
        case 1: {
            std::string text;
            for (std::size_t i = below(12); i > 0; --i) text += static_cast<char>(below(256));
            return TFormValue::MakeString(text);
        }
        case 2: return TFormValue::MakeIdentifier(dotted());
        case 3: {
            std::vector<std::string> names;
            for (std::size_t i = below(4); i > 0; --i) names.push_back(identifier());
            return TFormValue::MakeSet(names);
        }
        case 4: {
            std::vector<std::uint8_t> bytes;
            for (std::size_t i = below(70); i > 0; --i) bytes.push_back(static_cast<std::uint8_t>(below(256)));
            return TFormValue::MakeBinary(bytes);
        }
        default: {
            std::vector<TFormValue> items;
            for (std::size_t i = below(4); i > 0; --i) items.push_back(value(depth + 1));
            return TFormValue::MakeList(items);
        }
        }
    };
    std::function<TFormObject(int)> object = [&](int depth) {
        TFormObject o = Object(identifier(), "T" + identifier());
        for (std::size_t i = below(6); i > 0; --i) o.Properties.push_back(Prop(dotted(), value(0)));
        if (depth < 4)
            for (std::size_t i = below(3); i > 0; --i) o.Children.push_back(object(depth + 1));
        return o;
    };
    for (int round = 0; round < 200; ++round) {
        const TFormObject tree = object(1);
        const std::string text = fw::WriteFormResource(tree);
        const TFormObject parsed = fw::ParseFormResource(text, "Random");
        ASSERT_EQ(parsed, tree) << text;
        ASSERT_EQ(fw::WriteFormResource(parsed), text);
    }
}

TEST(FormResourceText, WriterRefusesTreesTheTextCannotHold)
{
    const struct {
        const char* name;
        TFormObject tree;
    } cases[] = {
        {"empty object name", Object("", "TF")},
        {"object name with a digit first", Object("1a", "TF")},
        {"dotted object name", Object("a.b", "TF")},
        {"class name with a blank", Object("F", "T F")},
        {"empty child class name", Object("F", "TF", {}, {Object("G", "")})},
        {"empty property name", Object("F", "TF", {Prop("", TFormValue::MakeInteger(1))})},
        {"property name with two dots", Object("F", "TF", {Prop("Font..Name", TFormValue::MakeInteger(1))})},
        {"empty identifier", Object("F", "TF", {Prop("X", TFormValue::MakeIdentifier(""))})},
        {"identifier with a dash", Object("F", "TF", {Prop("X", TFormValue::MakeIdentifier("a-b"))})},
        {"dotted set member", Object("F", "TF", {Prop("X", TFormValue::MakeSet({"a.b"}))})},
        {"bad identifier inside a list",
         Object("F", "TF", {Prop("X", TFormValue::MakeList({TFormValue::MakeIdentifier("x y")}))})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(fw::WriteFormResource(c.tree), fw::Exception);
    }
}

} // namespace
