// The framework's error type: every error the framework raises derives from Exception and
// carries a message. Platform-neutral.
#pragma once

#include <stdexcept>
#include <string>

namespace fw {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// Raised by the INI-file class when the file cannot be written.
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// Raised by the registry classes when a key or value cannot be written.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// Replaces the first "%s" of a message pattern by an argument.
std::string FormatMessage1(const std::string& pattern, const std::string& argument);

} // namespace fw
