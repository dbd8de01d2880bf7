#include "platform/framework/FormStreaming.h"

#include "platform/framework/Exception.h"
#include "platform/framework/SysUtils.h"

#include <map>

namespace fw {

namespace {

std::map<std::string, std::int64_t>& IntegerIdentifiers()
{
    static std::map<std::string, std::int64_t> identifiers;
    return identifiers;
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

struct Fixup {
    TPersistent* Target;
    const TPropertyInfo* Property;
    std::string Reference;
    int Line;
};

class Reader {
public:
    Reader(TComponent& root, std::string_view resourceName) : root_(root), resource_(resourceName) {}

    void Read(const TFormObject& tree)
    {
        if (!SameText(tree.ClassName, root_.ClassName()))
            Fail(tree.Line, "the resource describes a " + tree.ClassName + ", not a " + root_.ClassName());
        root_.SetLoading(true);
        loaded_.push_back(&root_);
        SetName(root_, tree);
        ReadBody(root_, tree);
        for (const Fixup& fixup : fixups_) Resolve(fixup);
        for (TComponent* component : loaded_) component->Loaded();
    }

private:
    [[noreturn]] void Fail(int line, const std::string& what) const
    {
        throw Exception("Form resource " + resource_ + ", line " + std::to_string(line) + ": " + what);
    }

    void SetName(TComponent& component, const TFormObject& object)
    {
        try {
            component.SetName(object.Name);
        } catch (const Exception& error) {
            Fail(object.Line, error.Message());
        }
    }

    void ReadBody(TComponent& component, const TFormObject& object)
    {
        for (const TFormProperty& property : object.Properties) ReadProperty(component, property);
        for (const TFormObject& childObject : object.Children) {
            const TClassInfo* info = FindClass(childObject.ClassName);
            if (!info || !info->Create) Fail(childObject.Line, "class " + childObject.ClassName + " not found");
            TComponent* child = info->Create(&root_);
            child->SetLoading(true);
            loaded_.push_back(child);
            SetName(*child, childObject);
            child->SetParentComponent(&component);
            ReadBody(*child, childObject);
        }
    }

    void ReadProperty(TPersistent& object, const TFormProperty& property)
    {
        TPersistent* target = &object;
        std::string_view path = property.Name;
        for (auto dot = path.find('.'); dot != std::string_view::npos; dot = path.find('.')) {
            const TPropertyInfo* owner = target->ClassInfo().FindProperty(path.substr(0, dot));
            if (!owner || owner->Type != TPropertyType::Object)
                Fail(property.Line, "unknown property " + property.Name + " of " + object.ClassName());
            target = std::get<TPersistent*>(owner->Get(*target));
            path.remove_prefix(dot + 1);
        }
        const TPropertyInfo* info = target->ClassInfo().FindProperty(path);
        if (!info || !info->Set) Fail(property.Line, "unknown property " + property.Name + " of " + object.ClassName());
        const TFormValue& value = property.Value;
        auto wrong = [&]() { Fail(property.Line, "invalid value for property " + property.Name); };
        TPropertyValue converted;
        switch (info->Type) {
        case TPropertyType::Integer:
            if (value.Kind == TFormValueKind::Integer) converted = value.Integer;
            else if (value.Kind == TFormValueKind::Identifier && IntegerIdentifiers().count(Lower(value.Text)))
                converted = IntegerIdentifiers().at(Lower(value.Text));
            else wrong();
            break;
        case TPropertyType::Boolean:
            if (value.Kind != TFormValueKind::Identifier) wrong();
            if (SameText(value.Text, "True")) converted = true;
            else if (SameText(value.Text, "False")) converted = false;
            else wrong();
            break;
        case TPropertyType::String:
            if (value.Kind != TFormValueKind::String) wrong();
            converted = value.Text;
            break;
        case TPropertyType::Enum:
            if (value.Kind != TFormValueKind::Identifier) wrong();
            converted = TIdent{value.Text};
            break;
        case TPropertyType::Set:
            if (value.Kind != TFormValueKind::Set) wrong();
            converted = TIdentSet{value.Set};
            break;
        case TPropertyType::Strings: {
            if (value.Kind != TFormValueKind::List) wrong();
            TStringList list;
            for (const TFormValue& item : value.List) {
                if (item.Kind != TFormValueKind::String) wrong();
                list.Items.push_back(item.Text);
            }
            converted = list;
            break;
        }
        case TPropertyType::Binary:
            if (value.Kind != TFormValueKind::Binary) wrong();
            converted = TBinary{value.Binary};
            break;
        case TPropertyType::Component:
            if (value.Kind != TFormValueKind::Identifier) wrong();
            fixups_.push_back({target, info, value.Text, property.Line});
            return;
        case TPropertyType::Event: {
            if (value.Kind != TFormValueKind::Identifier) wrong();
            const TMethodInfo* method = root_.ClassInfo().FindMethod(value.Text);
            if (!method) Fail(property.Line, "handler " + value.Text + " not found in " + root_.ClassName());
            TComponent* root = &root_;
            converted = TNotifyEvent{method->Name, [root, method](TComponent* sender) { method->Call(*root, sender); }};
            break;
        }
        case TPropertyType::Object:
            wrong();
        }
        try {
            info->Set(*target, converted);
        } catch (const Exception& error) {
            Fail(property.Line, "property " + property.Name + ": " + error.Message());
        }
    }

    void Resolve(const Fixup& fixup)
    {
        TComponent* found = nullptr;
        const auto dot = fixup.Reference.find('.');
        if (dot == std::string::npos) {
            found = SameText(fixup.Reference, root_.Name()) ? &root_ : root_.FindComponent(fixup.Reference);
        } else if (TComponent* module = FindGlobalComponent(fixup.Reference.substr(0, dot))) {
            found = module->FindComponent(fixup.Reference.substr(dot + 1));
        }
        if (!found) Fail(fixup.Line, "component " + fixup.Reference + " not found");
        try {
            fixup.Property->Set(*fixup.Target, TPropertyValue(found));
        } catch (const Exception& error) {
            Fail(fixup.Line, "property " + fixup.Property->Name + ": " + error.Message());
        }
    }

    TComponent& root_;
    std::string resource_;
    std::vector<TComponent*> loaded_;
    std::vector<Fixup> fixups_;
};

class Writer {
public:
    explicit Writer(const TComponent& root) : root_(root) {}

    TFormObject Write()
    {
        TFormObject tree{root_.Name(), root_.ClassName()};
        WriteProperties(root_, "", tree.Properties);
        WriteChildren(&root_, tree);
        return tree;
    }

private:
    void WriteChildren(const TComponent* parent, TFormObject& object)
    {
        for (const TComponent* child : root_.Components()) {
            const TComponent* childParent = child->ParentComponent();
            const bool nestsHere = parent == &root_ ? (childParent == nullptr || childParent == &root_) : childParent == parent;
            if (!nestsHere) continue;
            TFormObject childObject{child->Name(), child->ClassName()};
            WriteProperties(*child, "", childObject.Properties);
            WriteChildren(child, childObject);
            object.Children.push_back(std::move(childObject));
        }
    }

    void WriteProperties(const TPersistent& object, const std::string& prefix, std::vector<TFormProperty>& out)
    {
        for (const TPropertyInfo* info : object.ClassInfo().AllProperties()) {
            if (info->Stored && !info->Stored(object)) continue;
            const TPropertyValue value = info->Get(object);
            if (info->Default && SamePropertyValue(value, *info->Default)) continue;
            const std::string name = prefix + info->Name;
            TFormValue written;
            switch (info->Type) {
            case TPropertyType::Integer: written = TFormValue::MakeInteger(std::get<std::int64_t>(value)); break;
            case TPropertyType::Boolean: written = TFormValue::MakeIdentifier(std::get<bool>(value) ? "True" : "False"); break;
            case TPropertyType::String: written = TFormValue::MakeString(std::get<std::string>(value)); break;
            case TPropertyType::Enum: written = TFormValue::MakeIdentifier(std::get<TIdent>(value).Name); break;
            case TPropertyType::Set: written = TFormValue::MakeSet(std::get<TIdentSet>(value).Names); break;
            case TPropertyType::Strings: {
                std::vector<TFormValue> items;
                for (const std::string& item : std::get<TStringList>(value).Items) items.push_back(TFormValue::MakeString(item));
                written = TFormValue::MakeList(std::move(items));
                break;
            }
            case TPropertyType::Binary: written = TFormValue::MakeBinary(std::get<TBinary>(value).Bytes); break;
            case TPropertyType::Component: {
                const TComponent* target = std::get<TComponent*>(value);
                if (!target) continue;
                std::string reference = target->Name();
                if (target != &root_ && target->Owner() != &root_ && target->Owner())
                    reference = target->Owner()->Name() + "." + reference;
                written = TFormValue::MakeIdentifier(reference);
                break;
            }
            case TPropertyType::Event: {
                const auto& event = std::get<TNotifyEvent>(value);
                if (event.MethodName.empty()) continue;
                written = TFormValue::MakeIdentifier(event.MethodName);
                break;
            }
            case TPropertyType::Object:
                if (const TPersistent* nested = std::get<TPersistent*>(value)) WriteProperties(*nested, name + ".", out);
                continue;
            }
            out.push_back(TFormProperty{name, std::move(written)});
        }
    }

    const TComponent& root_;
};

} // namespace

bool SamePropertyValue(const TPropertyValue& a, const TPropertyValue& b)
{
    if (a.index() != b.index()) return false;
    if (const auto* event = std::get_if<TNotifyEvent>(&a)) return event->MethodName == std::get<TNotifyEvent>(b).MethodName;
    return std::visit(
        [&](const auto& left) -> bool {
            using V = std::decay_t<decltype(left)>;
            if constexpr (std::is_same_v<V, TNotifyEvent>) return false;
            else return left == std::get<V>(b);
        },
        a);
}

void RegisterIntegerIdentifier(std::string name, std::int64_t value) { IntegerIdentifiers()[Lower(name)] = value; }

void ReadComponentResource(TComponent& root, const TFormObject& tree, std::string_view resourceName)
{
    Reader(root, resourceName).Read(tree);
}

void ReadComponentResource(TComponent& root, std::string_view text, std::string_view resourceName)
{
    ReadComponentResource(root, ParseFormResource(text, resourceName), resourceName);
}

TFormObject WriteComponentResource(const TComponent& root) { return Writer(root).Write(); }

} // namespace fw
