// The automation driver against a small fixture program (fixture_app.exe, built beside this test).
#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <stdexcept>

namespace {

using namespace testing_support;
using namespace std::chrono_literals;

const char* const kCaption = "AppDriver Fixture";

std::string FixturePath()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1) + "fixture_app.exe";
}

// The fixture started and its window found.
class AppDriverUi : public testing::Test {
protected:
    void SetUp() override
    {
        program = std::make_unique<Program>(FixturePath());
        window = program->WaitForWindow(kCaption);
        ASSERT_NE(window, nullptr);
    }
    HWND Control(const char* name) const
    {
        HWND control = ui::FindControl(window, name);
        if (!control) throw std::runtime_error(std::string("no control ") + name);
        return control;
    }
    std::unique_ptr<Program> program;
    HWND window = nullptr;
};

TEST(AppDriverProgram, ArgumentsArriveUnchangedAndTheExitCodeComesBack)
{
    Program quitting(FixturePath(), {"--exit", "7"});
    EXPECT_EQ(quitting.WaitForExit(), 7u);

    // The caption comes from the command line, so finding the window proves the quoting.
    for (const std::string caption : {"two  words", "say \"hi\" now", "C:\\ends in\\", "back\\\\\"slash", "\t"}) {
        SCOPED_TRACE(caption);
        Program program(FixturePath(), {"--caption", caption});
        EXPECT_NE(program.WaitForWindow(caption), nullptr);
    }
}

TEST(AppDriverProgram, WaitsForALateWindowAndGivesUpOnAMissingOne)
{
    Program program(FixturePath(), {"--delay", "700"});
    EXPECT_NE(program.WaitForWindow(kCaption), nullptr);
    EXPECT_EQ(program.WaitForWindow("No such window", 200ms), nullptr);
    EXPECT_EQ(program.WaitForMessageBox(kCaption, 0ms), nullptr);  // not a message box
    EXPECT_TRUE(program.IsRunning());
    EXPECT_EQ(program.WaitForExit(100ms), std::nullopt);
}

TEST(AppDriverProgram, TeardownEndsAProgramThatStillRuns)
{
    HANDLE watch = nullptr;
    {
        Program program(FixturePath());
        ASSERT_NE(program.WaitForWindow(kCaption), nullptr);
        watch = OpenProcess(SYNCHRONIZE, FALSE, program.ProcessId());
        ASSERT_NE(watch, nullptr);
    }
    EXPECT_EQ(WaitForSingleObject(watch, 0), WAIT_OBJECT_0);
    CloseHandle(watch);
}

TEST_F(AppDriverUi, FindsControlsByComponentNameAtAnyDepthAndByClassAndCaption)
{
    const std::pair<const char*, const char*> controls[] = {
        {"Panel", "AppDriverFixturePanel"}, {"NameEdit", "Edit"},      {"AgreeCheckBox", "Button"},
        {"DoneButton", "Button"},           {"HiddenLabel", "Static"},
    };
    for (const auto& [name, className] : controls) {
        SCOPED_TRACE(name);
        HWND control = ui::FindControl(window, name);
        ASSERT_NE(control, nullptr);
        char actual[64];
        GetClassNameA(control, actual, sizeof actual);
        EXPECT_STRCASEEQ(actual, className);
        EXPECT_EQ(ui::ComponentName(control), name);
    }
    EXPECT_EQ(ui::FindControl(window, "Name"), nullptr);
    EXPECT_EQ(ui::FindControl(Control("Panel"), "DoneButton"), nullptr);  // not below the panel
    EXPECT_EQ(ui::ComponentName(window), "");

    EXPECT_EQ(ui::FindChild(window, "button", "I agree"), Control("AgreeCheckBox"));
    EXPECT_EQ(ui::FindChild(window, "Button", "Done"), Control("DoneButton"));
    EXPECT_EQ(ui::FindChild(window, "Static", "Done"), nullptr);
    EXPECT_EQ(ui::FindChild(window, "Button", "Don"), nullptr);
}

TEST_F(AppDriverUi, ReadsGeometryVisibilityAndState)
{
    const RECT edit = ui::RectInParent(Control("NameEdit"));  // inside the panel
    EXPECT_EQ((std::array<LONG, 4>{edit.left, edit.top, edit.right, edit.bottom}), (std::array<LONG, 4>{10, 24, 155, 45}));
    const RECT done = ui::RectInParent(Control("DoneButton"));
    EXPECT_EQ((std::array<LONG, 4>{done.left, done.top, done.right, done.bottom}), (std::array<LONG, 4>{148, 170, 223, 192}));

    EXPECT_TRUE(ui::IsVisible(Control("NameEdit")));
    EXPECT_FALSE(ui::IsVisible(Control("HiddenLabel")));
    EXPECT_FALSE(ui::IsEnabled(Control("DoneButton")));
    EXPECT_TRUE(ui::IsEnabled(Control("AgreeCheckBox")));
    EXPECT_EQ(ui::CheckState(Control("AgreeCheckBox")), BST_UNCHECKED);
    EXPECT_EQ(ui::Text(Control("AgreeCheckBox")), "I agree");
    EXPECT_EQ(ui::FocusedControl(window), Control("NameEdit"));
}

TEST_F(AppDriverUi, EditTextIsSetAndReadBack)
{
    HWND edit = Control("NameEdit");
    for (const std::string& text : {std::string("hello world"), std::string(), std::string(5000, 'x')}) {
        SCOPED_TRACE(text.size());
        ui::SetText(edit, text);
        EXPECT_EQ(ui::Text(edit), text);
    }
}

// Each click is read back at once: the check box's handler must have run by then.
TEST_F(AppDriverUi, ClickReturnsAfterTheClickWasHandled)
{
    HWND agree = Control("AgreeCheckBox");
    HWND done = Control("DoneButton");
    for (int i = 0; i < 40; ++i) {
        ui::Click(agree);
        const bool checked = i % 2 == 0;
        ASSERT_EQ(ui::IsChecked(agree), checked) << "click " << i;
        ASSERT_EQ(ui::IsEnabled(done), checked) << "click " << i;
    }
}

TEST_F(AppDriverUi, RefusesWhatAUserCouldNotDo)
{
    EXPECT_THROW(ui::Click(Control("DoneButton")), std::logic_error);  // disabled
    EXPECT_THROW(ui::SetText(Control("HiddenLabel"), "x"), std::logic_error);
    EnableWindow(Control("Panel"), FALSE);  // a disabled parent disables its children for a user
    EXPECT_THROW(ui::Click(Control("AgreeCheckBox")), std::logic_error);
    EXPECT_FALSE(ui::IsChecked(Control("AgreeCheckBox")));
    EXPECT_THROW(ui::Text(reinterpret_cast<HWND>(0x7ff0)), std::runtime_error);
}

// The box is up as soon as the action returns, and the handler's code after the box has run as
// soon as the box is answered.
TEST_F(AppDriverUi, MessageBoxIsOpenedReadAndAnswered)
{
    struct Case {
        const char* opening;
        const char* answer;  // a button caption, or nullptr to close the box
        const char* result;
    };
    const Case cases[] = {
        {"click", "OK", "answer 1"},
        {"enter", "Cancel", "answer 2"},
        {"click", nullptr, "answer 2"},
    };
    ui::Click(Control("AgreeCheckBox"));
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.opening) + " / " + (c.answer ? c.answer : "close"));
        if (std::string(c.opening) == "click") ui::Click(Control("DoneButton"));
        else ui::PressKey(window, VK_RETURN);
        HWND box = program->WaitForMessageBox("Fixture", 0ms);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(ui::MessageBoxText(box), "Done");
        EXPECT_FALSE(ui::IsEnabled(window));
        EXPECT_THROW(ui::PressMessageBoxButton(box, "Retry"), std::logic_error);

        if (c.answer) ui::PressMessageBoxButton(box, c.answer);
        else ui::Close(box);
        EXPECT_FALSE(IsWindow(box));
        EXPECT_EQ(ui::Text(Control("NameEdit")), c.result);
        EXPECT_TRUE(ui::IsEnabled(window));
    }
}

TEST_F(AppDriverUi, KeysGoToTheFocusedControlAndWindowsClose)
{
    // Escape means something only to the fixture's dialog manager in its message loop, so this
    // also shows that the key was posted, not sent.
    ASSERT_EQ(ui::FocusedControl(window), Control("NameEdit"));
    ui::PressKey(window, VK_ESCAPE);
    EXPECT_EQ(program->WaitForExit(), 3u);

    Program second(FixturePath());
    HWND secondWindow = second.WaitForWindow(kCaption);
    ASSERT_NE(secondWindow, nullptr);
    ui::Close(secondWindow);
    EXPECT_EQ(second.WaitForExit(), 0u);
}

} // namespace
