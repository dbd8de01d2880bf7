// The text that raw registry value data holds, whatever the value's type: the bytes up to the
// first zero byte, or up to the end of the data when it holds none. Platform-neutral.
#pragma once

#include <cstddef>
#include <string>

std::string RegDataToText(const unsigned char* data, std::size_t size);
