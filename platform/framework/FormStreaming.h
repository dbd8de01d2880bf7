// Binds form resources to live components: the reader creates the registered classes of a
// parsed tree, sets their properties, binds event handlers to the root's methods by name,
// resolves component references (also across modules, "ResourceForm.ilsImages") and calls
// Loaded; the writer turns a component tree back into a form-resource tree, leaving out what
// equals its default or is not to be stored. Platform-neutral.
#pragma once

#include "platform/framework/Component.h"
#include "platform/framework/FormResourceText.h"

#include <string_view>

namespace fw {

// Raises Exception naming the resource and the line for an unknown class, an unknown property,
// a value of the wrong kind, an unknown handler or an unresolved reference.
void ReadComponentResource(TComponent& root, const TFormObject& tree, std::string_view resourceName);
void ReadComponentResource(TComponent& root, std::string_view text, std::string_view resourceName);

TFormObject WriteComponentResource(const TComponent& root);

// Identifiers an integer property may be given by ("clBtnFace", "DEFAULT_CHARSET").
void RegisterIntegerIdentifier(std::string name, std::int64_t value);

// Equal values; events compare by method name.
bool SamePropertyValue(const TPropertyValue& a, const TPropertyValue& b);

} // namespace fw
