#include "platform/framework/Component.h"
#include "platform/framework/Exception.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;

struct IGreeter {
    static inline const TGuid IID = TGuid::Parse("{013E3ACF-E362-4B08-9526-08CC67B04011}");
    virtual ~IGreeter() = default;
    virtual std::string Greet() = 0;
};

// Records what happens to it; answers IGreeter.
class TProbe : public TComponent, public IGreeter {
public:
    TProbe(TComponent* owner, std::vector<std::string>* log) : TComponent(owner), log_(log) {}
    ~TProbe() override { log_->push_back("delete " + Name()); }
    void* QueryInterface(const TGuid& iid) override
    {
        return iid == IGreeter::IID ? static_cast<IGreeter*>(this) : TComponent::QueryInterface(iid);
    }
    std::string Greet() override { return "hello from " + Name(); }
    TComponent* watched = nullptr;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        if (operation == TOperation::Remove && component == watched) {
            log_->push_back(Name() + " forgets " + component->Name());
            watched = nullptr;
        }
    }

private:
    std::vector<std::string>* log_;
};

TEST(Component, OwnerDeletesWhatItOwnsLastFirst)
{
    std::vector<std::string> log;
    {
        TProbe owner(nullptr, &log);
        owner.Create<TProbe>(&log)->SetName("First");
        owner.Create<TProbe>(&log)->SetName("Second");
    }
    EXPECT_EQ(log, (std::vector<std::string>{"delete ", "delete Second", "delete First"}));
    log.clear();
    auto* root = new TProbe(nullptr, &log);
    root->SetName("Root");
    auto* a = root->Create<TProbe>(&log);
    a->SetName("A");
    auto* b = root->Create<TProbe>(&log);
    b->SetName("B");
    a->Create<TProbe>(&log)->SetName("A1");
    EXPECT_EQ(root->ComponentCount(), 2u);
    EXPECT_EQ(root->FindComponent("b"), b);
    delete b;
    EXPECT_EQ(root->ComponentCount(), 1u);
    delete root;
    // Each line is written when that object's destruction starts; what it owns goes after it.
    EXPECT_EQ(log, (std::vector<std::string>{"delete B", "delete Root", "delete A", "delete A1"}));
}

TEST(Component, NamesAreIdentifiersAndUniqueAmongTheOwnersComponents)
{
    std::vector<std::string> log;
    TProbe root(nullptr, &log);
    auto* a = root.Create<TProbe>(&log);
    a->SetName("Edit1");
    auto* b = root.Create<TProbe>(&log);
    EXPECT_THROW(b->SetName("edit1"), Exception);
    EXPECT_THROW(b->SetName("1abc"), Exception);
    EXPECT_THROW(b->SetName("a b"), Exception);
    b->SetName("Edit2");
    a->SetName("EDIT1");  // its own name in another case
    EXPECT_EQ(a->Name(), "EDIT1");
}

TEST(Component, FreeNotificationTellsTheWatcherOnce)
{
    std::vector<std::string> log;
    TProbe watcher(nullptr, &log);
    watcher.SetName("Watcher");
    auto* target = new TProbe(nullptr, &log);
    target->SetName("Target");
    watcher.watched = target;
    watcher.FreeNotification(target);
    watcher.FreeNotification(target);  // asking twice is asking once
    delete target;
    EXPECT_EQ(watcher.watched, nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"delete Target", "Watcher forgets Target"}));

    // A watcher that goes first is not called later.
    auto* early = new TProbe(nullptr, &log);
    auto* other = new TProbe(nullptr, &log);
    early->FreeNotification(other);
    delete early;
    delete other;
}

TEST(Component, InterfacesByIdentifier)
{
    std::vector<std::string> log;
    TProbe probe(nullptr, &log);
    probe.SetName("P");
    ASSERT_NE(probe.As<IGreeter>(), nullptr);
    EXPECT_EQ(probe.As<IGreeter>()->Greet(), "hello from P");
    TComponent plain(nullptr);
    EXPECT_EQ(plain.As<IGreeter>(), nullptr);
}

TEST(Component, GuidText)
{
    const TGuid guid = TGuid::Parse("{013e3acf-e362-4b08-9526-08cc67b04011}");
    EXPECT_EQ(guid.ToString(), "{013E3ACF-E362-4B08-9526-08CC67B04011}");
    EXPECT_EQ(guid.Data1, 0x013E3ACFu);
    EXPECT_EQ(guid.Data4[7], 0x11);
    for (const char* bad : {"", "013E3ACF-E362-4B08-9526-08CC67B04011", "{013E3ACF-E362-4B08-9526-08CC67B0401}",
                            "{013E3ACF-E362-4B08-9526-08CC67B04011}x", "{XYZ}"})
        EXPECT_THROW(TGuid::Parse(bad), Exception) << bad;
}

} // namespace
