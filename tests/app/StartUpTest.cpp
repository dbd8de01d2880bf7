#include "app/StartUp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_calls;

TEST(StartUp, HooksRunInOrderAndShutDownInReverse)
{
    g_calls.clear();
    static const std::vector<ModuleHooks> modules = {
        {"a", [] { g_calls.push_back("start a"); }, [] { g_calls.push_back("stop a"); }},
        {"b", [] { g_calls.push_back("start b"); }, nullptr},
        {"c", [] { g_calls.push_back("start c"); }, [] { g_calls.push_back("stop c"); }},
    };
    {
        TModuleLifetime lifetime(modules);
        EXPECT_EQ(g_calls, (std::vector<std::string>{"start a", "start b", "start c"}));
    }
    EXPECT_EQ(g_calls, (std::vector<std::string>{"start a", "start b", "start c", "stop c", "stop a"}));
}

TEST(StartUp, TheProgramsModulesInTheirOrder)
{
    std::vector<std::string> names;
    for (const ModuleHooks& module : ProgramModules()) names.push_back(module.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"string and locale helpers", "shared globals", "caption replacement",
                                               "modal form display"}));
}

} // namespace
