// Moves what older versions left in the legacy settings file into the registry store and
// removes it from the file, so each value migrates once. Runs first when the dialog is
// created; it reports nothing and never fails its caller.
#pragma once

void MigrateLegacySettings() noexcept;
