#include "settings/RegDataText.h"

#include <cstring>

std::string RegDataToText(const unsigned char* data, std::size_t size)
{
    if (data == nullptr || size == 0) return {};
    const void* zero = std::memchr(data, 0, size);
    const std::size_t length = zero ? static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - data) : size;
    return std::string(reinterpret_cast<const char*>(data), length);
}
