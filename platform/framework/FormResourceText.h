// The text layer of form resources: parses the text into a tree of objects, properties and
// values, and writes such a tree back as canonical text. Binding a tree to live components is
// done elsewhere. Platform-neutral.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// Objects nest at most this deep (the root is level 1), and so do lists inside lists. The limit
// keeps the recursive reader, writer and tree destructor within any thread's stack.
inline constexpr int MaxFormNesting = 256;

enum class TFormValueKind { Integer, String, Identifier, Set, List, Binary };

// One property value. Only the member that Kind names is meaningful: Integer, Text (for
// strings and identifiers), Set, List or Binary.
struct TFormValue {
    TFormValueKind Kind = TFormValueKind::Integer;
    std::int64_t Integer = 0;
    std::string Text;               // a string's bytes, or an identifier such as "ResourceForm.ilsImages"
    std::vector<std::string> Set;   // the identifiers of a set, in text order
    std::vector<TFormValue> List;   // the items of a list
    std::vector<std::uint8_t> Binary;
    int Line = 0;                   // 1-based line where the value starts; 0 for trees built in code

    static TFormValue MakeInteger(std::int64_t value);
    static TFormValue MakeString(std::string text);
    static TFormValue MakeIdentifier(std::string name);
    static TFormValue MakeSet(std::vector<std::string> names);
    static TFormValue MakeList(std::vector<TFormValue> items);
    static TFormValue MakeBinary(std::vector<std::uint8_t> bytes);

    // Compares Kind and the member it names; Line and the unused members do not count.
    bool operator==(const TFormValue& other) const;
};

struct TFormProperty {
    std::string Name;  // an identifier or a dotted path ("Font.Name")
    TFormValue Value;
    int Line = 0;

    bool operator==(const TFormProperty& other) const;  // Line does not count
};

// An `object Name: ClassName` block: its properties come first, then its child objects.
struct TFormObject {
    std::string Name;
    std::string ClassName;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
    int Line = 0;

    bool operator==(const TFormObject& other) const;  // Line does not count, at any level
};

// Parses a whole form resource: exactly one root object. Raises Exception on any malformed
// text, with a message such as "Form resource TCustForm, line 12: expected '=' after property
// name"; resourceName only serves that message.
TFormObject ParseFormResource(std::string_view text, std::string_view resourceName);

// Writes the tree in canonical form: two spaces of indentation per level, "\n" line ends,
// strings as quoted runs with control bytes as #nn, lists one item a line. Raises Exception
// for a tree the text cannot hold (a name that is no identifier, nesting beyond
// MaxFormNesting). ParseFormResource gives back an equal tree.
std::string WriteFormResource(const TFormObject& root);

} // namespace fw
