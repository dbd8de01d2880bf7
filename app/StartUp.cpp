#include "app/StartUp.h"

#include "app/CustForm.h"
#include "platform/framework/ComServ.h"
#include "platform/framework/Forms.h"
#include "runtime/ReplaceTitleObject.h"
#include "runtime/SharedGlobals.h"
#include "runtime/ShowModalForm.h"
#include "settings/SystemLocale.h"

namespace {

void InstallModalDisplay() { fw::SetModalDisplay(ShowModalForm); }
void RemoveModalDisplay() { fw::SetModalDisplay(nullptr); }

} // namespace

const std::vector<ModuleHooks>& ProgramModules()
{
    static const std::vector<ModuleHooks> modules = {
        {"string and locale helpers", CaptureSystemCodePage, nullptr},
        {"shared globals", [] { InitSharedGlobals(); }, DoneSharedGlobals},
        {"caption replacement", CreateReplaceTitleObject, FreeReplaceTitleObject},
        {"modal form display", InstallModalDisplay, RemoveModalDisplay},
    };
    return modules;
}

TModuleLifetime::TModuleLifetime(const std::vector<ModuleHooks>& modules) : modules_(modules)
{
    for (const ModuleHooks& module : modules_) {
        if (module.StartUp) module.StartUp();
        ++started_;
    }
}

TModuleLifetime::~TModuleLifetime()
{
    while (started_ > 0) {
        const ModuleHooks& module = modules_[--started_];
        if (module.ShutDown) module.ShutDown();
    }
}

int RunProgram()
{
    TModuleLifetime modules;
    fw::Application().Title = "Linkward Customization";
    fw::InstallComServer();
    fw::Application().Initialize();
    if (!fw::Application().Terminated()) {
        fw::Application().CreateForm<TCustForm>();
        fw::Application().Run();
    }
    // The forms go before the modules whose objects they may use.
    fw::Application().DestroyComponents();
    return 0;
}
