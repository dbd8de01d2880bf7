// The stored form of the connection passwords: a fixed-key byte shift shared with every
// program that reads the settings. It hides a password from a casual look; it is not
// encryption. Platform-neutral, pure.
#pragma once

#include <string>
#include <string_view>

std::string ScramblePassword(std::string_view plain);
std::string UnscramblePassword(std::string_view scrambled);
