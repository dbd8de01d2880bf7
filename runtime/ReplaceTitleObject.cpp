#include "runtime/ReplaceTitleObject.h"

#include <memory>

namespace {
std::unique_ptr<TQXReplaceTitleObject>& Instance()
{
    static std::unique_ptr<TQXReplaceTitleObject> instance;
    return instance;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    if (from.empty()) return text;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The text-valued properties a replacement touches.
constexpr const char* kTextProperties[] = {"Caption", "Text", "Hint"};
} // namespace

std::string TQXReplaceTitleObject::ReplaceTitles(const std::string& text) const
{
    if (FromWords.empty() || text.empty()) return text;
    std::string result = text;
    for (std::size_t i = 0; i < FromWords.size() && i < ToWords.size(); ++i)
        result = ReplaceAll(std::move(result), FromWords[i], ToWords[i]);
    return result;
}

void TQXReplaceTitleObject::ReplaceTitlesInComponent(fw::TComponent* component) const noexcept
{
    if (FromWords.empty() || !component) return;
    try {
        for (const char* name : kTextProperties) {
            const fw::TPropertyInfo* property = component->ClassInfo().FindProperty(name);
            if (!property || property->Type != fw::TPropertyType::String || !property->Set) continue;
            const auto text = std::get<std::string>(property->Get(*component));
            const std::string replaced = ReplaceTitles(text);
            if (replaced != text) property->Set(*component, replaced);
        }
        for (fw::TComponent* owned : component->Components()) ReplaceTitlesInComponent(owned);
    } catch (...) {
        // a component that refuses a text keeps its own
    }
}

TQXReplaceTitleObject* ReplaceTitleObject() { return Instance().get(); }
void CreateReplaceTitleObject() { Instance() = std::make_unique<TQXReplaceTitleObject>(); }
void FreeReplaceTitleObject() { Instance().reset(); }
