// The life of the process around the dialog: the start-up hooks of the program's modules in
// their fixed order, and their shut-down hooks in reverse when the program ends.
#pragma once

#include <vector>

struct ModuleHooks {
    const char* Name;
    void (*StartUp)();
    void (*ShutDown)();  // frees what StartUp created; may be empty
};

// The program's modules, in the order they start.
const std::vector<ModuleHooks>& ProgramModules();

// Runs every start-up hook when created and the shut-down hooks, last first, when destroyed.
class TModuleLifetime {
public:
    explicit TModuleLifetime(const std::vector<ModuleHooks>& modules = ProgramModules());
    ~TModuleLifetime();
    TModuleLifetime(const TModuleLifetime&) = delete;
    TModuleLifetime& operator=(const TModuleLifetime&) = delete;

private:
    const std::vector<ModuleHooks>& modules_;
    std::size_t started_ = 0;
};

// The program: start-up, the COM start mode, the dialog as main window, the message loop.
int RunProgram();
