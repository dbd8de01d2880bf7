// The COM server support of the framework: the start mode from the command line, and the
// process's class factories with their registry entries. A factory marked internal is neither
// written to the registry nor offered to COM clients.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fw {

enum class TStartMode { smStandalone, smAutomation, smRegServer, smUnregServer };

// A command-line switch: an argument that is "/" or "-" followed by the name, in any case.
bool FindCmdLineSwitch(const std::vector<std::string>& arguments, std::string_view name);
// "AUTOMATION" or "EMBEDDING", then "REGSERVER", then "UNREGSERVER": the first present wins.
TStartMode StartModeFromArguments(const std::vector<std::string>& arguments);
// The process's own arguments, without the program name.
std::vector<std::string> CommandLineArguments();

struct TComClassFactory {
    std::string ClassName;
    std::string ClassId;  // braced text form
    bool Internal = false;
};

class TComServer {
public:
    TStartMode StartMode() const { return startMode_; }
    void AddFactory(TComClassFactory factory) { factories_.push_back(std::move(factory)); }
    void RemoveFactory(std::string_view className);
    const std::vector<TComClassFactory>& Factories() const { return factories_; }

    // Reads the start mode, brings the registry entries of the visible factories up to date
    // (removes them for "UNREGSERVER"), and ends the application for "REGSERVER" and
    // "UNREGSERVER". Runs from the application's initialisation.
    void Initialize(const std::vector<std::string>& arguments);

private:
    void UpdateRegistry(bool registering) const;

    TStartMode startMode_ = TStartMode::smStandalone;
    std::vector<TComClassFactory> factories_;
};

TComServer& ComServer();

// Makes the application's initialisation run the COM server support.
void InstallComServer();

} // namespace fw
