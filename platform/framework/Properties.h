// Published properties and class registration: each class lists its properties (name, type,
// getter, setter, default, stored rule), its event handlers (methods bound by name) and its
// creator in one static table beside the class. The streaming reader and writer work only
// through these tables. Platform-neutral.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace fw {

class TPersistent;
class TComponent;

// An event: the handler a form resource bound by method name, callable with the sender.
struct TNotifyEvent {
    std::string MethodName;
    std::function<void(TComponent* sender)> Handler;
    explicit operator bool() const { return static_cast<bool>(Handler); }
    void operator()(TComponent* sender) const
    {
        if (Handler) Handler(sender);
    }
};

enum class TPropertyType {
    Integer,    // std::int64_t
    Boolean,    // bool
    String,     // std::string
    Enum,       // TIdent: one of the property's identifiers
    Set,        // TIdentSet: identifiers of the property's set
    Strings,    // TStringList: a list of strings
    Binary,     // TBinary: raw bytes
    Component,  // TComponent*: a reference, resolved by name after loading
    Event,      // TNotifyEvent
    Object,     // TPersistent*: a nested object whose own properties stream as "Name.Sub"
};

struct TIdent {
    std::string Name;
    bool operator==(const TIdent&) const = default;
};
struct TIdentSet {
    std::vector<std::string> Names;
    bool operator==(const TIdentSet&) const = default;
};
struct TStringList {
    std::vector<std::string> Items;
    bool operator==(const TStringList&) const = default;
};
struct TBinary {
    std::vector<std::uint8_t> Bytes;
    bool operator==(const TBinary&) const = default;
};

using TPropertyValue = std::variant<std::monostate, std::int64_t, bool, std::string, TIdent, TIdentSet, TStringList,
                                    TBinary, TComponent*, TNotifyEvent, TPersistent*>;

struct TPropertyInfo {
    std::string Name;
    TPropertyType Type = TPropertyType::Integer;
    std::function<TPropertyValue(const TPersistent&)> Get;
    std::function<void(TPersistent&, const TPropertyValue&)> Set;  // empty for Object properties
    // The value that is not written; no default means always written (unless Stored says no).
    std::optional<TPropertyValue> Default;
    // Whether the value is written at all; empty means yes.
    std::function<bool(const TPersistent&)> Stored;
    // The identifiers an Enum or Set property accepts.
    std::vector<std::string> Identifiers;
};

struct TMethodInfo {
    std::string Name;
    std::function<void(TPersistent& self, TComponent* sender)> Call;
};

struct TClassInfo {
    std::string ClassName;
    const TClassInfo* Parent = nullptr;
    std::vector<TPropertyInfo> Properties;  // this class's own, not the parent's
    std::vector<TMethodInfo> Methods;       // handlers a form resource may bind by name
    // Creates an instance owned by `owner`; empty for classes that are not created by streaming.
    std::function<TComponent*(TComponent* owner)> Create;

    bool InheritsFrom(const TClassInfo& ancestor) const;
    // Own properties first, then the parent's; without regard to case.
    const TPropertyInfo* FindProperty(std::string_view name) const;
    const TMethodInfo* FindMethod(std::string_view name) const;
    // Every property, the base class's first, in declaration order (the writing order).
    std::vector<const TPropertyInfo*> AllProperties() const;
    // An inherited property declared again with another default (e.g. TabStop of a button).
    TPropertyInfo Redeclare(std::string_view name, TPropertyValue defaultValue) const;
};

// Classes that streaming may create, by name (without regard to case).
void RegisterComponentClass(const TClassInfo& info);
const TClassInfo* FindClass(std::string_view className);

// The position of an identifier in a list (without regard to case); raises Exception
// ("Invalid property value") when it is not there.
std::size_t IdentifierIndex(const std::vector<std::string>& identifiers, std::string_view name);

// Builders for property tables, over a class's getter and setter. T is the streamed type
// (std::int64_t, bool, std::string, TStringList, TComponent*, ...); the member types convert to it.
template <class T, class Owner, class R, class A>
TPropertyInfo Prop(std::string name, TPropertyType type, R (Owner::*get)() const, void (Owner::*set)(A),
                   std::optional<T> defaultValue = std::nullopt)
{
    TPropertyInfo info;
    info.Name = std::move(name);
    info.Type = type;
    info.Get = [get](const TPersistent& self) { return TPropertyValue(T((static_cast<const Owner&>(self).*get)())); };
    info.Set = [set](TPersistent& self, const TPropertyValue& value) {
        (static_cast<Owner&>(self).*set)(static_cast<std::decay_t<A>>(std::get<T>(value)));
    };
    if (defaultValue) info.Default = TPropertyValue(*defaultValue);
    return info;
}

// An enumeration streamed by identifier: identifiers[i] names the value i.
template <class Owner, class E>
TPropertyInfo EnumProp(std::string name, E (Owner::*get)() const, void (Owner::*set)(E),
                       std::vector<std::string> identifiers, std::type_identity_t<std::optional<E>> defaultValue = std::nullopt)
{
    TPropertyInfo info;
    info.Name = std::move(name);
    info.Type = TPropertyType::Enum;
    info.Get = [get, identifiers](const TPersistent& self) {
        return TPropertyValue(TIdent{identifiers.at(static_cast<std::size_t>((static_cast<const Owner&>(self).*get)()))});
    };
    info.Set = [set, identifiers](TPersistent& self, const TPropertyValue& value) {
        (static_cast<Owner&>(self).*set)(static_cast<E>(IdentifierIndex(identifiers, std::get<TIdent>(value).Name)));
    };
    if (defaultValue) info.Default = TPropertyValue(TIdent{identifiers.at(static_cast<std::size_t>(*defaultValue))});
    info.Identifiers = std::move(identifiers);
    return info;
}

} // namespace fw
