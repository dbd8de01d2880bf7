// The framework's forms and standard controls over real windows, and their form resources.
#include "platform/framework/Exception.h"
#include "platform/framework/FormStreaming.h"
#include "platform/framework/Forms.h"

#include <gtest/gtest.h>

namespace {

using namespace fw;

// A form with handlers that a resource can bind by name.
class TTestForm : public TForm {
public:
    using TForm::TForm;
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info = [] {
            TClassInfo c{"TTestForm", &TForm::StaticClassInfo()};
            c.Methods = {{"BoxClick", [](TPersistent& self, TComponent* sender) {
                              auto& form = static_cast<TTestForm&>(self);
                              ++form.clicks;
                              form.lastSender = sender;
                          }}};
            return c;
        }();
        return info;
    }
    int clicks = 0;
    TComponent* lastSender = nullptr;
};

const char* const kResource = R"(object TestForm: TTestForm
  Left = 10
  Top = 20
  Width = 300
  Height = 200
  BorderStyle = bsDialog
  Caption = 'Test form'
  ClientWidth = 280
  ClientHeight = 150
  Font.Height = -13
  Font.Name = 'Tahoma'
  ActiveControl = Edit
  object Group: TGroupBox
    Left = 4
    Top = 4
    Width = 200
    Height = 100
    Caption = ' Group '
    TabOrder = 0
    object Box: TCheckBox
      Left = 8
      Top = 16
      Width = 120
      Height = 17
      Caption = 'Check me'
      OnClick = BoxClick
      TabOrder = 0
    end
    object Edit: TEdit
      Left = 8
      Top = 40
      Width = 120
      Height = 21
      PasswordChar = 42
      Text = 'secret'
      TabOrder = 1
    end
    object Caption1: TLabel
      Left = 8
      Top = 70
      Width = 100
      Height = 26
      Caption = 'A label that wraps'
      Enabled = False
      WordWrap = True
    end
  end
  object Ok: TButton
    Left = 210
    Top = 120
    Width = 60
    Height = 22
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
end
)";

class FormResources : public testing::Test {
protected:
    void SetUp() override { RegisterFrameworkClasses(); }
    std::unique_ptr<TTestForm> form = std::make_unique<TTestForm>(nullptr);
};

TEST_F(FormResources, ReadSetsPropertiesBindsHandlersAndResolvesReferences)
{
    ReadComponentResource(*form, kResource, "TTestForm");
    EXPECT_EQ(form->Name(), "TestForm");
    auto* box = dynamic_cast<TCheckBox*>(form->FindComponent("Box"));
    auto* edit = dynamic_cast<TEdit*>(form->FindComponent("Edit"));
    auto* label = dynamic_cast<TLabel*>(form->FindComponent("Caption1"));
    ASSERT_TRUE(box && edit && label);
    EXPECT_EQ(box->Parent()->Name(), "Group");
    EXPECT_EQ(box->Font().Name(), "Tahoma");  // taken from the form
    EXPECT_EQ(edit->Text(), "secret");
    EXPECT_EQ(edit->PasswordChar(), '*');
    EXPECT_FALSE(label->Enabled());
    EXPECT_EQ(form->ActiveControl(), edit);
    EXPECT_EQ(form->ClientWidth(), 280);
    EXPECT_EQ(form->BorderStyle(), TFormBorderStyle::bsDialog);
    box->SetChecked(true);
    EXPECT_EQ(form->clicks, 1);
    EXPECT_EQ(form->lastSender, box);
}

TEST_F(FormResources, WriterRoundTripsAndLeavesDefaultsOut)
{
    ReadComponentResource(*form, kResource, "TTestForm");
    const std::string written = WriteFormResource(WriteComponentResource(*form));
    EXPECT_EQ(written.find("Visible"), std::string::npos) << written;     // default True
    EXPECT_NE(written.find("OnClick = BoxClick"), std::string::npos) << written;
    EXPECT_NE(written.find("ActiveControl = Edit"), std::string::npos) << written;
    EXPECT_EQ(written.find("Font.Name = 'Tahoma'"), written.rfind("Font.Name = 'Tahoma'")) << "only the form's own font";

    auto again = std::make_unique<TTestForm>(nullptr);
    ReadComponentResource(*again, written, "TTestForm");
    EXPECT_EQ(WriteFormResource(WriteComponentResource(*again)), written);
    EXPECT_EQ(WriteComponentResource(*again), WriteComponentResource(*form));
}

TEST_F(FormResources, ErrorsNameTheResourceAndTheLine)
{
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"object F: TTestForm\n  Colour = 1\nend\n", "Form resource TTestForm, line 2: unknown property Colour"},
        {"object F: TTestForm\n  object X: TNoSuchClass\n  end\nend\n", "Form resource TTestForm, line 2: class TNoSuchClass"},
        {"object F: TTestForm\n  Caption = 5\nend\n", "Form resource TTestForm, line 2: invalid value for property Caption"},
        {"object F: TTestForm\n  BorderStyle = bsRound\nend\n", "Form resource TTestForm, line 2: property BorderStyle"},
        {"object F: TTestForm\n\n  OnCreate = Missing\nend\n", "Form resource TTestForm, line 3: handler Missing"},
        {"object F: TTestForm\n  ActiveControl = Nobody\nend\n", "Form resource TTestForm, line 2: component Nobody"},
        {"object F: TTestForm\n  Left = \nend\n", "Form resource TTestForm, line 2:"},
        {"object F: TOtherForm\nend\n", "Form resource TTestForm, line 1:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        auto target = std::make_unique<TTestForm>(nullptr);
        try {
            ReadComponentResource(*target, c.text, "TTestForm");
            ADD_FAILURE() << "no error";
        } catch (const Exception& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
        }
    }
}

class Controls : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterFrameworkClasses();
        ReadComponentResource(*form, kResource, "TTestForm");
        box = dynamic_cast<TCheckBox*>(form->FindComponent("Box"));
        ok = dynamic_cast<TButton*>(form->FindComponent("Ok"));
    }
    std::unique_ptr<TTestForm> form = std::make_unique<TTestForm>(nullptr);
    TCheckBox* box = nullptr;
    TButton* ok = nullptr;
};

TEST_F(Controls, WindowsCarryTheirClassNamesAndLayout)
{
    form->Show();
    char name[64];
    GetClassNameA(box->Handle(), name, sizeof name);
    EXPECT_STREQ(name, "TCheckBox");
    GetClassNameA(form->Handle(), name, sizeof name);
    EXPECT_STREQ(name, "TTestForm");
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 280);
    EXPECT_EQ(client.bottom, 150);
    RECT rect;
    GetWindowRect(box->Handle(), &rect);
    MapWindowPoints(nullptr, box->Parent()->Handle(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 8);
    EXPECT_EQ(rect.top, 16);
    EXPECT_EQ(rect.right - rect.left, 120);
    char text[32];
    GetWindowTextA(box->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "Check me");
    const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(box->Handle(), "FwComponentName")));
    GlobalGetAtomNameA(atom, text, sizeof text);
    EXPECT_STREQ(text, "Box");
}

TEST_F(Controls, CheckBoxHandlerRunsOnEveryRealChangeAndOnlyThen)
{
    form->Show();
    box->SetChecked(false);  // no change
    EXPECT_EQ(form->clicks, 0);
    box->SetChecked(true);
    EXPECT_EQ(form->clicks, 1);
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(box->Handle(), BM_CLICK, 0, 0);  // the user's click
    EXPECT_EQ(form->clicks, 2);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

// Posts a key to the focused window and lets the message loop handle it.
void PressKey(HWND focus, WPARAM key)
{
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
    Application().ProcessMessages();
}

TEST_F(Controls, EnterAndEscapePressOnlyDefaultAndCancelButtons)
{
    int pressed = 0;
    ok->OnClick = TNotifyEvent{"", [&](TComponent*) { ++pressed; }};
    form->Show();
    auto* edit = dynamic_cast<TEdit*>(form->FindComponent("Edit"));
    edit->SetFocus();
    PressKey(edit->Handle(), VK_RETURN);
    EXPECT_EQ(pressed, 1);
    PressKey(edit->Handle(), VK_ESCAPE);
    EXPECT_EQ(pressed, 1);  // no cancel button

    ok->SetDefault(false);
    PressKey(edit->Handle(), VK_RETURN);
    EXPECT_EQ(pressed, 1);
    ok->SetCancel(true);
    PressKey(edit->Handle(), VK_ESCAPE);
    EXPECT_EQ(pressed, 2);
}

void CALLBACK PressOkOfTheModalForm(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    for (TCustomForm* f : Screen().Forms())
        if (f->Modal())
            if (auto* button = dynamic_cast<TButton*>(f->FindComponent("Ok"))) SendMessageA(button->Handle(), BM_CLICK, 0, 0);
}

TEST_F(Controls, ModalResultOfAButtonEndsTheModalLoop)
{
    // Press OK from within the modal loop.
    SetTimer(nullptr, 0, 10, PressOkOfTheModalForm);
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_FALSE(form->Modal());
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

} // namespace

#include "platform/framework/ComServ.h"

namespace {

TEST(ComServer, StartModeFromTheCommandLine)
{
    using fw::TStartMode;
    const std::pair<std::vector<std::string>, TStartMode> cases[] = {
        {{}, TStartMode::smStandalone},
        {{"/REGSERVER"}, TStartMode::smRegServer},
        {{"-regserver"}, TStartMode::smRegServer},
        {{"/UnRegServer"}, TStartMode::smUnregServer},
        {{"-AUTOMATION"}, TStartMode::smAutomation},
        {{"/embedding"}, TStartMode::smAutomation},
        {{"REGSERVER"}, TStartMode::smStandalone},   // a switch needs its "/" or "-"
        {{"/REGSERVERX"}, TStartMode::smStandalone},
        {{"/"}, TStartMode::smStandalone},
        // tested in order: automation first, then register, then unregister
        {{"/unregserver", "/regserver"}, TStartMode::smRegServer},
        {{"/regserver", "-automation"}, TStartMode::smAutomation},
        {{"file.txt", "/unregserver"}, TStartMode::smUnregServer},
    };
    for (const auto& [arguments, mode] : cases) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        EXPECT_EQ(fw::StartModeFromArguments(arguments), mode);
    }
}

} // namespace
