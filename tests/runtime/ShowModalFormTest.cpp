// The modal display routine with a real form and a real always-on-top window of the thread.
#include "runtime/ShowModalForm.h"

#include "platform/framework/Exception.h"
#include "runtime/ModalFormDisplay.h"

#include <gtest/gtest.h>

namespace {

struct DuringModal {
    HWND topmost = nullptr;
    fw::TCustomForm* form = nullptr;
    bool seen = false, disabled = false, wasTopmostMark = false, topmostBit = true, formEnabled = false;
};
DuringModal g_during;

void CALLBACK LookAndEnd(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    g_during.seen = true;
    g_during.disabled = !IsWindowEnabled(g_during.topmost);
    g_during.wasTopmostMark = GetPropA(g_during.topmost, "WasTopmost") == reinterpret_cast<HANDLE>(1);
    g_during.topmostBit = (GetWindowLongPtrA(g_during.topmost, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    g_during.formEnabled = IsWindowEnabled(g_during.form->Handle()) != FALSE;
    g_during.form->SetModalResult(fw::mrYes);
}

class ShowModal : public testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<fw::TForm>(nullptr);
        form->SetBorderStyle(fw::TFormBorderStyle::bsDialog);
        form->SetClientWidth(200);
        form->SetClientHeight(100);
        topmost = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", "tool", WS_POPUP | WS_VISIBLE, 0, 0, 50,
                                  50, nullptr, nullptr, nullptr, nullptr);
        g_during = {};
        g_during.topmost = topmost;
        g_during.form = form.get();
    }
    void TearDown() override { DestroyWindow(topmost); }
    std::unique_ptr<fw::TForm> form;
    HWND topmost = nullptr;
};

TEST_F(ShowModal, OtherWindowsLoseTopmostForTheDurationAndGetItBack)
{
    SetTimer(nullptr, 0, 20, LookAndEnd);
    EXPECT_EQ(ShowModalForm(*form), fw::mrYes);
    ASSERT_TRUE(g_during.seen);
    EXPECT_TRUE(g_during.disabled);
    EXPECT_TRUE(g_during.wasTopmostMark);
    EXPECT_FALSE(g_during.topmostBit);
    EXPECT_TRUE(g_during.formEnabled);
    EXPECT_TRUE(IsWindowEnabled(topmost));
    EXPECT_TRUE(GetWindowLongPtrA(topmost, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetPropA(topmost, "WasTopmost"), nullptr);
    EXPECT_FALSE(form->Modal());
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(ShowModal, VisibleOrDisabledFormsCannotBeShownModally)
{
    form->Show();
    try {
        ShowModalForm(*form);
        ADD_FAILURE() << "a visible form was shown modally";
    } catch (const fw::Exception& error) {
        EXPECT_STREQ(error.what(), "Cannot make a visible window modal");
    }
    form->Hide();
    form->SetEnabled(false);
    EXPECT_THROW(ShowModalForm(*form), fw::Exception);
    EXPECT_TRUE(IsWindowEnabled(topmost));  // nothing was left disabled
}

TEST_F(ShowModal, TheFrameworksModalDisplayCanBeThisRoutine)
{
    fw::SetModalDisplay(ShowModalForm);
    SetTimer(nullptr, 0, 20, LookAndEnd);
    EXPECT_EQ(form->ShowModal(), fw::mrYes);
    EXPECT_TRUE(g_during.wasTopmostMark);
    fw::SetModalDisplay(nullptr);
}

} // namespace
