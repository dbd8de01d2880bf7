#include "platform/framework/ComServ.h"

#include "platform/framework/Forms.h"
#include "platform/framework/SysUtils.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>

namespace fw {

bool FindCmdLineSwitch(const std::vector<std::string>& arguments, std::string_view name)
{
    return std::any_of(arguments.begin(), arguments.end(), [&](const std::string& argument) {
        return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-') &&
               SameText(std::string_view(argument).substr(1), name);
    });
}

TStartMode StartModeFromArguments(const std::vector<std::string>& arguments)
{
    if (FindCmdLineSwitch(arguments, "AUTOMATION") || FindCmdLineSwitch(arguments, "EMBEDDING"))
        return TStartMode::smAutomation;
    if (FindCmdLineSwitch(arguments, "REGSERVER")) return TStartMode::smRegServer;
    if (FindCmdLineSwitch(arguments, "UNREGSERVER")) return TStartMode::smUnregServer;
    return TStartMode::smStandalone;
}

std::vector<std::string> CommandLineArguments()
{
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return arguments;
    for (int i = 1; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_ACP, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
        WideCharToMultiByte(CP_ACP, 0, wide[i], -1, argument.data(), size, nullptr, nullptr);
        argument.resize(argument.size() - 1);
        arguments.push_back(std::move(argument));
    }
    LocalFree(wide);
    return arguments;
}

void TComServer::RemoveFactory(std::string_view className)
{
    factories_.erase(std::remove_if(factories_.begin(), factories_.end(),
                                    [&](const TComClassFactory& f) { return SameText(f.ClassName, className); }),
                     factories_.end());
}

void TComServer::UpdateRegistry(bool registering) const
{
    const std::string programPath = [] {
        char path[MAX_PATH];
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        return std::string(path, length);
    }();
    for (const TComClassFactory& factory : factories_) {
        if (factory.Internal) continue;
        const std::string key = "Software\\Classes\\CLSID\\" + factory.ClassId;
        if (registering) {
            HKEY server = nullptr;
            if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, (key + "\\LocalServer32").c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                nullptr, &server, nullptr) == ERROR_SUCCESS) {
                RegSetValueExA(server, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(programPath.c_str()),
                               static_cast<DWORD>(programPath.size() + 1));
                RegCloseKey(server);
            }
        } else {
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str());
        }
    }
}

void TComServer::Initialize(const std::vector<std::string>& arguments)
{
    startMode_ = StartModeFromArguments(arguments);
    if (startMode_ == TStartMode::smRegServer || startMode_ == TStartMode::smUnregServer) {
        UpdateRegistry(startMode_ == TStartMode::smRegServer);
        Application().Terminate();
        return;
    }
    UpdateRegistry(true);
}

TComServer& ComServer()
{
    static TComServer server;
    return server;
}

void InstallComServer()
{
    Application().InitProc = [] { ComServer().Initialize(CommandLineArguments()); };
}

} // namespace fw
