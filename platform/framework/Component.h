// The component model: persistent objects with published properties, components with an
// owner tree (an owner deletes what it owns), names, states, Loaded and free-notification,
// and interface queries by GUID. Platform-neutral.
#pragma once

#include "platform/framework/Properties.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// An interface identifier, written as in the registry: {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}.
struct TGuid {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0, Data3 = 0;
    std::uint8_t Data4[8] = {};
    bool operator==(const TGuid&) const = default;
    // Parses the braced text form; raises Exception on bad text.
    static TGuid Parse(std::string_view text);
    std::string ToString() const;
};

// Base of everything that streams: its class's published properties come from ClassInfo().
class TPersistent {
public:
    virtual ~TPersistent() = default;
    virtual const TClassInfo& ClassInfo() const;
    static const TClassInfo& StaticClassInfo();
    std::string ClassName() const { return ClassInfo().ClassName; }
    bool InheritsFrom(const TClassInfo& ancestor) const { return ClassInfo().InheritsFrom(ancestor); }
};

enum class TOperation { Insert, Remove };

enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csDesigning = 1u << 1,
    csDestroying = 1u << 2,
};

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    TComponent* Owner() const { return owner_; }
    // The owned components, in insertion order (borrowed pointers: the owner deletes them).
    const std::vector<TComponent*>& Components() const { return components_; }
    std::size_t ComponentCount() const { return components_.size(); }
    TComponent* FindComponent(std::string_view name) const;  // without regard to case
    // Deletes every owned component, last first.
    void DestroyComponents();

    const std::string& Name() const { return name_; }
    // Raises Exception for an invalid identifier or a name its owner already holds.
    virtual void SetName(const std::string& name);

    unsigned ComponentState() const { return state_; }
    bool InState(TComponentStateFlag flag) const { return (state_ & flag) != 0; }
    void SetDesigning(bool designing, bool includeOwned = true);
    void SetLoading(bool loading) { SetStateFlag(csLoading, loading); }

    // Called once the streaming reader has set every property of the component tree.
    virtual void Loaded() { SetLoading(false); }

    // The component a form resource nests this one under (a control's parent), and the
    // reader's way to set it.
    virtual TComponent* ParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* /*parent*/) {}

    // Asks `other` to tell this component (through Notification) when it is destroyed.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    // An interface this component answers, or nullptr.
    virtual void* QueryInterface(const TGuid& iid);
    template <class Interface>
    Interface* As()
    {
        return static_cast<Interface*>(QueryInterface(Interface::IID));
    }

    // Creates an owned component of type T.
    template <class T, class... Args>
    T* Create(Args&&... args)
    {
        return new T(this, std::forward<Args>(args)...);
    }

protected:
    virtual void Notification(TComponent* component, TOperation operation);
    void SetStateFlag(TComponentStateFlag flag, bool on) { state_ = on ? (state_ | flag) : (state_ & ~flag); }

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    std::string name_;
    unsigned state_ = 0;
};

// The root components that form resources may refer to across modules ("ResourceForm.ilsImages").
void RegisterGlobalComponent(TComponent* root);
void UnregisterGlobalComponent(TComponent* root);
TComponent* FindGlobalComponent(std::string_view name);

} // namespace fw
