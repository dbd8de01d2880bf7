#include "platform/framework/Component.h"

#include "platform/framework/Exception.h"
#include "platform/framework/SysUtils.h"

#include <algorithm>
#include <cstdio>

namespace fw {

// ---- TGuid ----------------------------------------------------------------------------------

TGuid TGuid::Parse(std::string_view text)
{
    TGuid guid;
    unsigned parts[11] = {};
    char close = 0;
    const std::string braced(text);
    if (braced.size() != 38 ||
        std::sscanf(braced.c_str(), "{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x%c", &parts[0], &parts[1], &parts[2],
                    &parts[3], &parts[4], &parts[5], &parts[6], &parts[7], &parts[8], &parts[9], &parts[10],
                    &close) != 12 ||
        close != '}')
        throw Exception(FormatMessage1("'%s' is not a valid interface identifier", braced));
    guid.Data1 = parts[0];
    guid.Data2 = static_cast<std::uint16_t>(parts[1]);
    guid.Data3 = static_cast<std::uint16_t>(parts[2]);
    for (int i = 0; i < 8; ++i) guid.Data4[i] = static_cast<std::uint8_t>(parts[3 + i]);
    return guid;
}

std::string TGuid::ToString() const
{
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", Data1, Data2, Data3,
                  Data4[0], Data4[1], Data4[2], Data4[3], Data4[4], Data4[5], Data4[6], Data4[7]);
    return text;
}

// ---- TPersistent ----------------------------------------------------------------------------

const TClassInfo& TPersistent::StaticClassInfo()
{
    static const TClassInfo info{"TPersistent"};
    return info;
}

const TClassInfo& TPersistent::ClassInfo() const { return StaticClassInfo(); }

// ---- TComponent -----------------------------------------------------------------------------

const TClassInfo& TComponent::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TClassInfo c{"TComponent", &TPersistent::StaticClassInfo()};
        TPropertyInfo name;
        name.Name = "Name";
        name.Type = TPropertyType::String;
        name.Get = [](const TPersistent& self) { return TPropertyValue(static_cast<const TComponent&>(self).Name()); };
        name.Set = [](TPersistent& self, const TPropertyValue& value) {
            static_cast<TComponent&>(self).SetName(std::get<std::string>(value));
        };
        // The name is the header of the object's block, never a property line.
        name.Stored = [](const TPersistent&) { return false; };
        c.Properties.push_back(std::move(name));
        return c;
    }();
    return info;
}

const TClassInfo& TComponent::ClassInfo() const { return StaticClassInfo(); }

TComponent::TComponent(TComponent* owner)
{
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    SetStateFlag(csDestroying, true);
    // Tell everyone who asked; they drop their references to this component.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        other->RemoveFreeNotification(this);
        other->Notification(this, TOperation::Remove);
    }
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::DestroyComponents()
{
    while (!components_.empty()) delete components_.back();
}

void TComponent::InsertComponent(TComponent* component)
{
    component->owner_ = this;
    components_.push_back(component);
}

void TComponent::RemoveComponent(TComponent* component)
{
    Notification(component, TOperation::Remove);
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    component->owner_ = nullptr;
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty()) return nullptr;
    for (TComponent* component : components_)
        if (SameText(component->Name(), name)) return component;
    return nullptr;
}

namespace {
bool IsIdentifier(const std::string& name)
{
    if (name.empty()) return false;
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!letter(name[0])) return false;
    return std::all_of(name.begin(), name.end(), [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}
} // namespace

void TComponent::SetName(const std::string& name)
{
    if (name == name_) return;
    if (!name.empty() && !IsIdentifier(name))
        throw Exception(FormatMessage1("'%s' is not a valid component name", name));
    if (owner_ && owner_->FindComponent(name) && !SameText(name, name_))
        throw Exception(FormatMessage1("A component named %s already exists", name));
    name_ = name;
}

void TComponent::SetDesigning(bool designing, bool includeOwned)
{
    SetStateFlag(csDesigning, designing);
    if (includeOwned)
        for (TComponent* component : components_) component->SetDesigning(designing, true);
}

void TComponent::FreeNotification(TComponent* other)
{
    if (!other || other == this) return;
    if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) == other->freeNotifies_.end())
        other->freeNotifies_.push_back(this);
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
        freeNotifies_.push_back(other);
}

void TComponent::RemoveFreeNotification(TComponent* other)
{
    if (!other) return;
    auto drop = [](std::vector<TComponent*>& list, TComponent* item) {
        list.erase(std::remove(list.begin(), list.end(), item), list.end());
    };
    drop(freeNotifies_, other);
    drop(other->freeNotifies_, this);
}

void TComponent::Notification(TComponent*, TOperation) {}

void* TComponent::QueryInterface(const TGuid&) { return nullptr; }

// ---- Global components ----------------------------------------------------------------------

namespace {
std::vector<TComponent*>& GlobalComponents()
{
    static std::vector<TComponent*> roots;
    return roots;
}
} // namespace

void RegisterGlobalComponent(TComponent* root)
{
    auto& roots = GlobalComponents();
    if (std::find(roots.begin(), roots.end(), root) == roots.end()) roots.push_back(root);
}

void UnregisterGlobalComponent(TComponent* root)
{
    auto& roots = GlobalComponents();
    roots.erase(std::remove(roots.begin(), roots.end(), root), roots.end());
}

TComponent* FindGlobalComponent(std::string_view name)
{
    for (TComponent* root : GlobalComponents())
        if (SameText(root->Name(), name)) return root;
    return nullptr;
}

// ---- Class information ----------------------------------------------------------------------

bool TClassInfo::InheritsFrom(const TClassInfo& ancestor) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (c == &ancestor) return true;
    return false;
}

const TPropertyInfo* TClassInfo::FindProperty(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TPropertyInfo& property : c->Properties)
            if (SameText(property.Name, name)) return &property;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TMethodInfo& method : c->Methods)
            if (SameText(method.Name, name)) return &method;
    return nullptr;
}

std::vector<const TPropertyInfo*> TClassInfo::AllProperties() const
{
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->Parent) chain.push_back(c);
    std::vector<const TPropertyInfo*> all;
    for (auto c = chain.rbegin(); c != chain.rend(); ++c)
        for (const TPropertyInfo& property : (*c)->Properties) {
            // A class that declares a property again (with its own default) takes its place.
            auto same = std::find_if(all.begin(), all.end(),
                                     [&](const TPropertyInfo* p) { return SameText(p->Name, property.Name); });
            if (same != all.end()) *same = &property;
            else all.push_back(&property);
        }
    return all;
}

TPropertyInfo TClassInfo::Redeclare(std::string_view name, TPropertyValue defaultValue) const
{
    const TPropertyInfo* inherited = Parent ? Parent->FindProperty(name) : nullptr;
    if (!inherited) throw Exception(FormatMessage1("No property %s to declare again", std::string(name)));
    TPropertyInfo property = *inherited;
    property.Default = std::move(defaultValue);
    return property;
}

namespace {
std::vector<const TClassInfo*>& Classes()
{
    static std::vector<const TClassInfo*> classes;
    return classes;
}
} // namespace

void RegisterComponentClass(const TClassInfo& info)
{
    if (!FindClass(info.ClassName)) Classes().push_back(&info);
}

const TClassInfo* FindClass(std::string_view className)
{
    for (const TClassInfo* info : Classes())
        if (SameText(info->ClassName, className)) return info;
    return nullptr;
}

std::size_t IdentifierIndex(const std::vector<std::string>& identifiers, std::string_view name)
{
    for (std::size_t i = 0; i < identifiers.size(); ++i)
        if (SameText(identifiers[i], name)) return i;
    throw Exception("Invalid property value");
}

} // namespace fw
