// The process-wide caption replacement object: every translated text and every library form
// passes through it. It holds two word lists (words and their replacements); the library
// creates them empty, so texts and components come through unchanged.
#pragma once

#include "platform/framework/Component.h"

#include <string>
#include <vector>

class TQXReplaceTitleObject {
public:
    TQXReplaceTitleObject() = default;

    std::vector<std::string> FromWords;
    std::vector<std::string> ToWords;

    // The text with every word of FromWords replaced by the ToWords entry of the same place.
    std::string ReplaceTitles(const std::string& text) const;
    // The same for the captions, texts and hints of the component and everything it owns;
    // never raises an error.
    void ReplaceTitlesInComponent(fw::TComponent* component) const noexcept;
};

// The process-wide object, or nullptr outside the life of its module.
TQXReplaceTitleObject* ReplaceTitleObject();
// Start-up and shut-down hooks of the module.
void CreateReplaceTitleObject();
void FreeReplaceTitleObject();
