// The framework's message dialog and folder selection dialog, shown modally in this process and
// driven from a thread timer while their modal loops pump messages.
#include "platform/framework/Dialogs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace fw;
using Btn = TMsgDlgBtn;
using Type = TMsgDlgType;

std::string WindowText(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct TWindowSearch {
    const std::string* title;
    HWND found;
};

BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM param)
{
    auto& search = *reinterpret_cast<TWindowSearch*>(param);
    if (IsWindowVisible(window) && WindowText(window) == *search.title) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// The visible window of this thread with the title, or nullptr.
HWND FindVisibleWindow(const std::string& title)
{
    TWindowSearch search{&title, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

template <class Form>
Form* VisibleForm(const std::string& title)
{
    return dynamic_cast<Form*>(TWinControl::FromHandle(FindVisibleWindow(title)));
}

// A click the way the user makes it, queued so the step that makes it returns at once.
void Click(TWinControl* control)
{
    ASSERT_NE(control, nullptr);
    PostMessageA(control->Handle(), BM_CLICK, 0, 0);
}

void PressKey(HWND window, UINT key)
{
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

// Steps run one after the other from a thread timer while modal loops pump messages; a step is
// tried again at every tick until it returns true. When the steps do not finish in time the
// modal forms are closed, so a failing test ends instead of hanging.
class TModalScript {
public:
    using Step = std::function<bool()>;

    explicit TModalScript(std::vector<Step> steps) : steps_(std::move(steps))
    {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 10, Tick);
        EXPECT_NE(timer_, 0u);
        start_ = GetTickCount();
    }
    ~TModalScript()
    {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
        EXPECT_EQ(next_, steps_.size()) << "the script stopped at step " << next_;
    }
    TModalScript(const TModalScript&) = delete;
    TModalScript& operator=(const TModalScript&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        TModalScript* script = current_;
        if (!script || script->busy_) return;
        script->busy_ = true;
        try {
            script->Run();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "a step failed: " << e.what();
        }
        script->busy_ = false;
    }

    void Run()
    {
        if (next_ < steps_.size() && steps_[next_]()) ++next_;
        if (GetTickCount() - start_ < 10000) return;
        // Out of time: a step that never came to pass, or a dialog the steps left open.
        bool open = false;
        for (TCustomForm* form : Screen().Forms())
            if (form->Modal()) {
                open = true;
                form->Close();
            }
        if (next_ < steps_.size()) ADD_FAILURE() << "step " << next_ << " never came to pass";
        else if (open) ADD_FAILURE() << "a dialog was still open after the last step";
        start_ = GetTickCount();
    }

    static inline TModalScript* current_ = nullptr;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    UINT_PTR timer_ = 0;
    DWORD start_ = 0;
    bool busy_ = false;
};

using Step = TModalScript::Step;

// Waits for the visible, enabled form with the title and acts on it.
template <class Form>
Step OnForm(const std::string& title, std::function<void(Form&)> action)
{
    return [=] {
        Form* form = VisibleForm<Form>(title);
        if (!form || !IsWindowEnabled(form->Handle())) return false;
        action(*form);
        return true;
    };
}

Step OnMessage(const std::string& title, std::function<void(TMessageForm&)> action)
{
    return OnForm<TMessageForm>(title, std::move(action));
}

Step ClickButton(const std::string& title, const std::string& button)
{
    return OnMessage(title, [=](TMessageForm& form) { Click(dynamic_cast<TButton*>(form.FindComponent(button))); });
}

Step Gone(const std::string& title)
{
    return [=] { return FindVisibleWindow(title) == nullptr; };
}

std::vector<std::string> ButtonNames(const TMessageForm& form)
{
    std::vector<std::string> names;
    for (const TButton* button : form.Buttons()) names.push_back(button->Name());
    return names;
}

class MessageDialog : public testing::Test {
protected:
    void SetUp() override
    {
        savedTitle_ = Application().Title;
        Application().Title = "Dialogs Test";
        Application().OnHelp = [this](std::int64_t context) {
            helpRequests.push_back(context);
            return true;
        };
    }
    void TearDown() override
    {
        Application().Title = savedTitle_;
        Application().OnHelp = nullptr;
        MessageDialogHooks() = {};
    }

    std::vector<std::int64_t> helpRequests;

private:
    std::string savedTitle_;
};

TEST_F(MessageDialog, TitleAndIconFollowTheType)
{
    struct Case {
        Type type;
        const char* title;
        LPCSTR icon;  // nullptr: no icon
    };
    const Case cases[] = {
        {Type::mtWarning, "Warning", IDI_WARNING},       {Type::mtError, "Error", IDI_ERROR},
        {Type::mtInformation, "Information", IDI_INFORMATION}, {Type::mtConfirmation, "Confirm", IDI_QUESTION},
        {Type::mtCustom, "Dialogs Test", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        const auto form = CreateMessageDialog("Some text.", c.type, TMsgDlgBtn::mbOK);
        EXPECT_EQ(form->DialogType(), c.type);
        EXPECT_EQ(WindowText(form->Handle()), c.title);
        EXPECT_EQ(form->Message()->Caption(), "Some text.");
        EXPECT_EQ(form->ClassName(), "TMessageForm");
        EXPECT_EQ(form->BorderStyle(), TFormBorderStyle::bsDialog);
        EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_STYLE) & WS_CAPTION);
        if (c.icon) {
            ASSERT_NE(form->Image(), nullptr);
            EXPECT_EQ(form->FindComponent("Image"), form->Image());
            EXPECT_EQ(form->Image()->Icon(), LoadIconA(nullptr, c.icon));
            EXPECT_EQ(form->Image()->Width(), GetSystemMetrics(SM_CXICON));
            // The text starts to the right of the icon.
            EXPECT_GT(form->Message()->Left(), form->Image()->Left() + form->Image()->Width());
        } else {
            EXPECT_EQ(form->Image(), nullptr);
            EXPECT_EQ(form->FindComponent("Image"), nullptr);
        }
    }
    const auto titled = CreateMessageDialog("Text", Type::mtError, TMsgDlgBtn::mbOK, "My own title");
    EXPECT_EQ(WindowText(titled->Handle()), "My own title");
}

TEST_F(MessageDialog, ButtonsComeInOrderWithCaptionsResultsDefaultAndCancel)
{
    const auto all = CreateMessageDialog("All of them", Type::mtCustom,
                                         {Btn::mbHelp, Btn::mbAll, Btn::mbIgnore, Btn::mbRetry, Btn::mbAbort,
                                          Btn::mbCancel, Btn::mbOK, Btn::mbNo, Btn::mbYes});
    struct Expected {
        const char* name;
        const char* caption;
        std::int64_t result;
    };
    const Expected expected[] = {{"Yes", "&Yes", mrYes},         {"No", "&No", mrNo},
                                 {"OK", "OK", mrOk},             {"Cancel", "Cancel", mrCancel},
                                 {"Abort", "&Abort", mrAbort},   {"Retry", "&Retry", mrRetry},
                                 {"Ignore", "&Ignore", mrIgnore}, {"All", "&All", mrAll},
                                 {"Help", "&Help", mrNone}};
    ASSERT_EQ(all->Buttons().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].name);
        const TButton* button = all->Buttons()[i];
        EXPECT_EQ(button->Name(), expected[i].name);
        EXPECT_EQ(WindowText(const_cast<TButton*>(button)->Handle()), expected[i].caption);
        EXPECT_EQ(button->ModalResult(), expected[i].result);
        EXPECT_EQ(button->Parent(), all.get());
        if (i > 0) {
            // Side by side, in one row.
            EXPECT_EQ(button->Top(), all->Buttons()[i - 1]->Top());
            EXPECT_GT(button->Left(), all->Buttons()[i - 1]->Left() + all->Buttons()[i - 1]->Width() - 1);
        }
    }

    struct Case {
        const char* name;
        TMsgDlgButtons buttons;
        std::vector<std::string> names;
        const char* defaultButton;
        const char* cancelButton;  // nullptr: none
    };
    const Case cases[] = {
        {"OK", TMsgDlgBtn::mbOK, {"OK"}, "OK", "OK"},
        {"OK Cancel", mbOKCancel, {"OK", "Cancel"}, "OK", "Cancel"},
        {"Yes No", mbYesNo, {"Yes", "No"}, "Yes", "No"},
        {"Yes No Cancel", mbYesNoCancel, {"Yes", "No", "Cancel"}, "Yes", "Cancel"},
        {"Abort Retry Ignore", mbAbortRetryIgnore, {"Abort", "Retry", "Ignore"}, "Abort", nullptr},
        {"Cancel Retry", Btn::mbRetry | Btn::mbCancel, {"Cancel", "Retry"}, "Retry", "Cancel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto form = CreateMessageDialog("Question?", Type::mtConfirmation, c.buttons);
        EXPECT_EQ(ButtonNames(*form), c.names);
        for (const TButton* button : form->Buttons()) {
            EXPECT_EQ(button->Default(), button->Name() == c.defaultButton) << button->Name();
            EXPECT_EQ(button->Cancel(), c.cancelButton && button->Name() == c.cancelButton) << button->Name();
        }
        EXPECT_EQ(form->ActiveControl(), form->FindComponent(c.defaultButton));
    }
}

TEST_F(MessageDialog, PressedButtonIsTheModalResult)
{
    const TMsgDlgButtons buttons{Btn::mbYes, Btn::mbNo, Btn::mbOK, Btn::mbCancel, Btn::mbAbort,
                                 Btn::mbRetry, Btn::mbIgnore, Btn::mbAll};
    const std::pair<const char*, std::int64_t> cases[] = {{"Yes", mrYes},     {"No", mrNo},         {"OK", mrOk},
                                                          {"Cancel", mrCancel}, {"Abort", mrAbort}, {"Retry", mrRetry},
                                                          {"Ignore", mrIgnore}, {"All", mrAll}};
    for (const auto& [name, result] : cases) {
        SCOPED_TRACE(name);
        TModalScript script({ClickButton("Confirm", name)});
        EXPECT_EQ(MessageDlg("Press one", Type::mtConfirmation, buttons, 0), result);
    }
}

TEST_F(MessageDialog, EnterPressesTheDefaultAndEscapeTheCancelButton)
{
    struct Case {
        const char* name;
        TMsgDlgButtons buttons;
        UINT key;
        std::int64_t result;
    };
    const Case cases[] = {
        {"Yes No, Enter", mbYesNo, VK_RETURN, mrYes},        {"Yes No, Escape", mbYesNo, VK_ESCAPE, mrNo},
        {"OK Cancel, Escape", mbOKCancel, VK_ESCAPE, mrCancel}, {"OK Cancel, Enter", mbOKCancel, VK_RETURN, mrOk},
        {"OK, Escape", TMsgDlgBtn::mbOK, VK_ESCAPE, mrOk},     {"Yes No Cancel, Escape", mbYesNoCancel, VK_ESCAPE, mrCancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TModalScript script({OnMessage("Information", [&](TMessageForm& form) {
            EXPECT_EQ(GetFocus(), form.Buttons().front()->Handle()) << "the default button has the focus";
            PressKey(form.Buttons().front()->Handle(), c.key);
        })});
        EXPECT_EQ(MessageDlg("Keys", Type::mtInformation, c.buttons, 0), c.result);
    }

    // Without a cancel button Escape does nothing; closing the window still gives "cancel".
    bool stillOpen = false;
    TModalScript script({OnMessage("Warning", [](TMessageForm& form) { PressKey(form.Buttons().front()->Handle(), VK_ESCAPE); }),
                         [] { return true; },  // one tick for the key to arrive
                         OnMessage("Warning", [&](TMessageForm& form) {
                             stillOpen = true;
                             PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
                         })});
    EXPECT_EQ(MessageDlg("No escape", Type::mtWarning, mbAbortRetryIgnore, 0), mrCancel);
    EXPECT_TRUE(stillOpen);
}

TEST_F(MessageDialog, HelpButtonAsksForTheDialogsHelpContextAndStaysOpen)
{
    TModalScript script({ClickButton("Information", "Help"), [&] { return !helpRequests.empty(); },
                         ClickButton("Information", "OK")});
    EXPECT_EQ(MessageDlg("With help", Type::mtInformation, Btn::mbOK | Btn::mbHelp, 42), mrOk);
    EXPECT_EQ(helpRequests, std::vector<std::int64_t>{42});
}

TEST_F(MessageDialog, LongTextWrapsAndLongTitleWidensTheDialog)
{
    const auto clientOf = [](TMessageForm& form) {
        RECT rect{};
        GetClientRect(form.Handle(), &rect);
        return rect;
    };
    const auto inside = [](const RECT& outer, const TControl& control) {
        const RECT r = control.BoundsRect();
        return r.left >= outer.left && r.top >= outer.top && r.right <= outer.right && r.bottom <= outer.bottom;
    };

    std::string longText;
    for (int i = 0; i < 60; ++i) longText += "word" + std::to_string(i) + " ";
    const auto shortForm = CreateMessageDialog("Short.", Type::mtWarning, mbYesNo);
    const auto longForm = CreateMessageDialog(longText, Type::mtWarning, mbYesNo);
    const TLabel& oneLine = *shortForm->Message();
    const TLabel& wrapped = *longForm->Message();
    EXPECT_TRUE(wrapped.WordWrap());
    EXPECT_GE(wrapped.Height(), 3 * oneLine.Height()) << "the text is wrapped onto several lines";
    EXPECT_LE(wrapped.Width(), Screen().Width() / 2);
    const RECT longClient = clientOf(*longForm);
    EXPECT_TRUE(inside(longClient, wrapped));
    for (const TButton* button : longForm->Buttons()) {
        EXPECT_TRUE(inside(longClient, *button)) << button->Name();
        EXPECT_GE(button->Top(), wrapped.Top() + wrapped.Height()) << "buttons sit below the text";
    }

    const std::string longTitle = "A title that is far wider than the two buttons below the short text of this dialog";
    const auto titled = CreateMessageDialog("Short.", Type::mtWarning, mbYesNo, longTitle);
    const RECT shortClient = clientOf(*shortForm), titledClient = clientOf(*titled);
    EXPECT_GT(titledClient.right, shortClient.right);
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0));
    const HFONT font = CreateFontIndirectA(&metrics.lfCaptionFont);
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE titleSize{};
    GetTextExtentPoint32A(dc, longTitle.c_str(), static_cast<int>(longTitle.size()), &titleSize);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    EXPECT_GT(titledClient.right, titleSize.cx) << "the caption fits beside the close button";
    // The buttons stay centred in the wider dialog.
    const TButton& yes = *titled->Buttons().front();
    const TButton& no = *titled->Buttons().back();
    EXPECT_NEAR(yes.Left(), titledClient.right - (no.Left() + no.Width()), 1);
}

TEST_F(MessageDialog, MessageBoxFlagsChooseButtonsIconDefaultAndAnswer)
{
    struct Case {
        const char* name;
        UINT flags;
        std::vector<std::string> buttons;
        const char* defaultButton;
        LPCSTR icon;
        const char* press;  // a button name, or "Escape" / "Close"
        int answer;
    };
    const Case cases[] = {
        {"OK", MB_OK, {"OK"}, "OK", nullptr, "OK", IDOK},
        {"OK closed", MB_OK, {"OK"}, "OK", nullptr, "Close", IDCANCEL},
        {"Yes No, No", MB_YESNO | MB_ICONQUESTION, {"Yes", "No"}, "Yes", IDI_QUESTION, "No", IDNO},
        {"Yes No Cancel, second default", MB_YESNOCANCEL | MB_DEFBUTTON2 | MB_ICONWARNING, {"Yes", "No", "Cancel"}, "No",
         IDI_WARNING, "Yes", IDYES},
        {"OK Cancel, Escape", MB_OKCANCEL | MB_ICONINFORMATION, {"OK", "Cancel"}, "OK", IDI_INFORMATION, "Escape",
         IDCANCEL},
        {"Abort Retry Ignore", MB_ABORTRETRYIGNORE | MB_ICONERROR, {"Abort", "Retry", "Ignore"}, "Abort", IDI_ERROR,
         "Retry", IDRETRY},
        {"Retry Cancel", MB_RETRYCANCEL, {"Cancel", "Retry"}, "Retry", nullptr, "Cancel", IDCANCEL},
        {"Cancel Try Continue", MB_CANCELTRYCONTINUE, {"Cancel", "Retry", "Ignore"}, "Cancel", nullptr, "Ignore",
         IDCONTINUE},
        {"With help", MB_OK | MB_HELP, {"OK", "Help"}, "OK", nullptr, "OK", IDOK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TModalScript script({OnMessage("Box Title", [&](TMessageForm& form) {
            EXPECT_EQ(form.Message()->Caption(), "Box text");
            EXPECT_EQ(ButtonNames(form), c.buttons);
            for (const TButton* button : form.Buttons())
                EXPECT_EQ(button->Default(), button->Name() == c.defaultButton) << button->Name();
            if (c.icon) {
                ASSERT_NE(form.Image(), nullptr);
                EXPECT_EQ(form.Image()->Icon(), LoadIconA(nullptr, c.icon));
            } else {
                EXPECT_EQ(form.Image(), nullptr);
            }
            const std::string press = c.press;
            if (press == "Escape") PressKey(form.Buttons().front()->Handle(), VK_ESCAPE);
            else if (press == "Close") PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
            else Click(dynamic_cast<TButton*>(form.FindComponent(press)));
        })});
        EXPECT_EQ(Application().ShowMessageBox("Box text", "Box Title", c.flags), c.answer);
    }
}

// A title control of a hook's own: a plain window with a control on it.
class TTestTitle : public TWinControl {
public:
    using TWinControl::TWinControl;
};

// The system commands the thread's windows were about to carry out; none is carried out.
std::vector<WPARAM> systemCommands;

LRESULT CALLBACK RecordSystemCommand(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_SYSCOMMAND) {
        try {
            systemCommands.push_back(wParam);
        } catch (...) {
        }
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MessageDialog, FilledHookSlotsRestyleTheDialog)
{
    const auto plain = CreateMessageDialog("Hooked text", Type::mtWarning, mbYesNo);
    RECT plainClient{};
    GetClientRect(plain->Handle(), &plainClient);

    int buttonsMade = 0;
    std::vector<int> iconIndexes;
    TTestTitle* title = nullptr;
    std::string titleCaption;
    TMessageDialogHooks& hooks = MessageDialogHooks();
    hooks.BackgroundColor = [] { return TColor{0x123456}; };
    hooks.CreateButton = [&](TCustomForm& dialog) -> TButton* {
        ++buttonsMade;
        return new TButton(&dialog);
    };
    hooks.TranslateCaption = [](const std::string& caption) { return "[" + caption + "]"; };
    hooks.IconBitmap = [&](HBITMAP bitmap, int index) {
        iconIndexes.push_back(index);
        const HDC dc = CreateCompatibleDC(nullptr);
        const HGDIOBJ old = SelectObject(dc, bitmap);
        SetPixel(dc, 5, 5, RGB(255, 0, 0));
        SelectObject(dc, old);
        DeleteDC(dc);
    };
    hooks.CreateTitlePanel = [&](TCustomForm& dialog, const std::string& caption, TMsgDlgType type) -> TControl* {
        EXPECT_EQ(type, Type::mtWarning);
        titleCaption = caption;
        title = new TTestTitle(&dialog);
        title->SetName("Title");
        title->SetParent(&dialog);
        title->SetBounds(0, 0, 900, 21);
        auto* close = new TButton(&dialog);
        close->SetParent(title);
        close->SetBounds(880, 2, 13, 16);
        return title;
    };
    hooks.TitleHeight = [] { return 21; };
    hooks.AdjustFont = [](TFont& font) { font.SetBold(true); };

    const auto form = CreateMessageDialog("Hooked text", Type::mtWarning, mbYesNo);
    EXPECT_EQ(buttonsMade, 2);
    EXPECT_EQ(WindowText(form->Handle()), "[Warning]");
    EXPECT_EQ(titleCaption, "[Warning]");
    EXPECT_EQ(WindowText(form->Buttons()[0]->Handle()), "[&Yes]");
    EXPECT_EQ(form->Color(), TColor{0xEAF7FB}) << "the warning colour, #FBF7EA";
    EXPECT_TRUE(form->Font().Bold());
    EXPECT_TRUE(form->Buttons()[0]->Font().Bold());
    EXPECT_FALSE(GetWindowLongA(form->Handle(), GWL_STYLE) & WS_CAPTION) << "no system caption";
    EXPECT_FALSE(GetWindowLongA(form->Handle(), GWL_STYLE) & DS_MODALFRAME);

    // Everything moves down by the title; the title spans the top, as wide as it asked to be.
    RECT client{};
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.bottom, plainClient.bottom + 21);
    EXPECT_EQ(client.right, 900);
    EXPECT_EQ(form->TitlePanel(), title);
    EXPECT_EQ(title->BoundsRect().left, 0);
    EXPECT_EQ(title->BoundsRect().top, 0);
    EXPECT_EQ(title->Width(), 900);
    EXPECT_EQ(form->Message()->Top(), plain->Message()->Top() + 21);
    EXPECT_EQ(form->Buttons()[0]->Top(), plain->Buttons()[0]->Top() + 21);
    ASSERT_NE(form->Image(), nullptr);
    EXPECT_EQ(form->Image()->Top(), plain->Image()->Top() + 21);

    // The icon is the hook's bitmap, on the dialog's colour.
    EXPECT_EQ(iconIndexes, std::vector<int>{0});
    ASSERT_NE(form->Image()->Bitmap(), nullptr);
    EXPECT_EQ(form->Image()->Icon(), nullptr);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, form->Image()->Bitmap());
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 20, 20), ColorToRGB(form->Color()));
    SelectObject(dc, old);
    DeleteDC(dc);

    // A press on the title drags the dialog, but not with the right button or on the title's button.
    systemCommands.clear();
    const HHOOK cbt = SetWindowsHookExA(WH_CBT, RecordSystemCommand, nullptr, GetCurrentThreadId());
    ASSERT_NE(cbt, nullptr);
    struct Press {
        const char* name;
        UINT button;
        int x, y;
        bool drags;
    };
    const Press presses[] = {
        {"left on the title", WM_LBUTTONDOWN, 100, 10, true},
        {"middle on the title", WM_MBUTTONDOWN, 100, 10, true},
        {"right on the title", WM_RBUTTONDOWN, 100, 10, false},
        {"left on the title's button", WM_LBUTTONDOWN, 885, 10, false},
        {"left below the title", WM_LBUTTONDOWN, 100, 40, false},
    };
    for (const Press& p : presses) {
        SCOPED_TRACE(p.name);
        systemCommands.clear();
        SendMessageA(form->Handle(), WM_PARENTNOTIFY, MAKEWPARAM(p.button, 0), MAKELPARAM(p.x, p.y));
        EXPECT_EQ(systemCommands, p.drags ? std::vector<WPARAM>{SC_MOVE | HTCAPTION} : std::vector<WPARAM>{});
    }
    UnhookWindowsHookEx(cbt);
}

// ---- The folder selection dialog ------------------------------------------------------------

bool SameFolder(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full);
            else DeleteFileA(full.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

constexpr const char* kPicker = "Select Directory";
const TSelectDirOpts kAllOptions{TSelectDirOpt::sdAllowCreate, TSelectDirOpt::sdPerformCreate, TSelectDirOpt::sdPrompt};

class SelectDirectoryTest : public testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {}, longTemp[MAX_PATH] = {}, current[MAX_PATH] = {};
        ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
        ASSERT_GT(GetLongPathNameA(temp, longTemp, sizeof longTemp), 0u);
        root = ExpandFolderPath(std::string(longTemp) + "LinkwardDialogs" + std::to_string(GetCurrentProcessId()), "");
        RemoveTree(root);
        ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
        GetCurrentDirectoryA(sizeof current, current);
        savedCurrent_ = current;
        Application().OnHelp = [this](std::int64_t context) {
            helpRequests.push_back(context);
            return true;
        };
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(savedCurrent_.c_str());
        RemoveTree(root);
        Application().OnHelp = nullptr;
    }

    std::string Folder(const std::string& relative) { return root + "\\" + relative; }
    void MakeFolders(const std::string& relative) { ASSERT_TRUE(ForceDirectories(Folder(relative))) << relative; }

    static Step OnPicker(std::function<void(TSelectDirDlg&)> action)
    {
        return OnForm<TSelectDirDlg>(kPicker, std::move(action));
    }
    static Step TypeAndOk(const std::string& folder)
    {
        return OnPicker([=](TSelectDirDlg& picker) {
            SetWindowTextA(picker.FolderEdit->Handle(), folder.c_str());
            Click(picker.OkButton);
        });
    }
    static Step ClickPicker(TButton* TSelectDirDlg::*button)
    {
        return OnPicker([=](TSelectDirDlg& picker) { Click(picker.*button); });
    }

    std::string root;
    std::vector<std::int64_t> helpRequests;

private:
    std::string savedCurrent_;
};

TEST_F(SelectDirectoryTest, StartsAtTheFolderOrTheCurrentOneAndCancelChangesNothing)
{
    MakeFolders("Alpha\\Beta");
    MakeFolders("Current");
    ASSERT_TRUE(SetCurrentDirectoryA(Folder("Current").c_str()));
    struct Case {
        const char* name;
        std::string given, start;
    };
    const Case cases[] = {
        {"existing folder", Folder("Alpha\\Beta"), Folder("Alpha\\Beta")},
        {"existing folder, trailing backslash", Folder("Alpha\\Beta") + "\\", Folder("Alpha\\Beta")},
        {"missing folder", Folder("Alpha\\Missing"), Folder("Current")},
        {"empty", "", Folder("Current")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TModalScript script({OnPicker([&](TSelectDirDlg& picker) {
            EXPECT_EQ(picker.ClassName(), "TSelectDirDlg");
            EXPECT_TRUE(SameFolder(picker.FolderTree->Directory(), c.start)) << picker.FolderTree->Directory();
            EXPECT_TRUE(SameFolder(picker.FolderEdit->Text(), c.start)) << picker.FolderEdit->Text();
            // The tree holds the start folder's drive, opened down to the start folder.
            TTreeView& tree = *picker.FolderTree;
            EXPECT_TRUE(SameFolder(tree.ItemText(tree.Root()), PathRoot(c.start)));
            EXPECT_EQ(tree.NextSibling(tree.Root()), nullptr);
            for (HTREEITEM item = tree.ParentItem(tree.Selected()); item; item = tree.ParentItem(item))
                EXPECT_TRUE(tree.Expanded(item)) << tree.ItemText(item);
            EXPECT_TRUE(SameFolder(picker.DriveList->Drive(), PathRoot(c.start)));
            EXPECT_TRUE(IsWindowVisible(picker.HelpButton->Handle()));
            EXPECT_EQ(picker.HelpContext(), 1000);
            Click(picker.CancelButton);
        })});
        std::string directory = c.given;
        EXPECT_FALSE(SelectDirectory(directory, kAllOptions, 1000));
        EXPECT_EQ(directory, c.given);
    }
}

TEST_F(SelectDirectoryTest, DriveListHoldsTheLogicalDrives)
{
    char buffer[512] = {};
    const DWORD length = GetLogicalDriveStringsA(sizeof buffer, buffer);
    ASSERT_GT(length, 0u);
    std::vector<std::string> drives;
    for (const char* drive = buffer; *drive; drive += std::strlen(drive) + 1) drives.emplace_back(drive);
    TModalScript script({OnPicker([&](TSelectDirDlg& picker) {
        ASSERT_EQ(picker.DriveList->Drives().size(), drives.size());
        const HWND list = picker.DriveList->Handle();
        ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(drives.size()));
        for (std::size_t i = 0; i < drives.size(); ++i) {
            EXPECT_TRUE(SameFolder(picker.DriveList->Drives()[i], drives[i]));
            char item[16] = {};
            SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
            EXPECT_TRUE(SameFolder(item, drives[i]));
        }
        EXPECT_TRUE(SameFolder(picker.DriveList->Drive(), PathRoot(root)));
        Click(picker.CancelButton);
    })});
    std::string directory = root;
    EXPECT_FALSE(SelectDirectory(directory, kAllOptions, 1000));
}

TEST_F(SelectDirectoryTest, PickingAnotherDriveShowsItsFolders)
{
    if (GetLogicalDriveStringsA(0, nullptr) <= 4 + 1) GTEST_SKIP() << "a single drive";
    std::string other;
    TModalScript script({OnPicker([&](TSelectDirDlg& picker) {
        const auto& drives = picker.DriveList->Drives();
        const auto found = std::find_if(drives.begin(), drives.end(),
                                        [&](const std::string& d) { return !SameFolder(d, PathRoot(root)); });
        ASSERT_NE(found, drives.end());
        other = *found;
        // The choice as the list reports it to its parent.
        const HWND list = picker.DriveList->Handle();
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(found - drives.begin()), 0);
        SendMessageA(picker.Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        TTreeView& tree = *picker.FolderTree;
        EXPECT_TRUE(SameFolder(tree.ItemText(tree.Root()), other));
        EXPECT_EQ(tree.Selected(), tree.Root());
        EXPECT_TRUE(SameFolder(picker.FolderEdit->Text(), other));
        Click(picker.OkButton);
    })});
    std::string directory = root;
    EXPECT_TRUE(SelectDirectory(directory, kAllOptions, 1000));
    EXPECT_TRUE(SameFolder(directory, other)) << directory;
}

TEST_F(SelectDirectoryTest, TreeLoadsSubfoldersWhenExpandedAndTheSelectionIsReturned)
{
    MakeFolders("Parent\\b");
    MakeFolders("Parent\\A\\Inner");
    MakeFolders("Parent\\c");
    const HANDLE file = CreateFileA(Folder("Parent\\file.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const auto hasButton = [](TTreeView& tree, HTREEITEM item) {
        TVITEMA query{};
        query.mask = TVIF_CHILDREN;
        query.hItem = item;
        SendMessageA(tree.Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
        return query.cChildren != 0;
    };
    TModalScript script({OnPicker([&](TSelectDirDlg& picker) {
        TDirectoryTreeView& tree = *picker.FolderTree;
        const HTREEITEM parent = tree.FindChild(tree.Selected(), "Parent");
        ASSERT_NE(parent, nullptr);
        EXPECT_TRUE(hasButton(tree, parent));
        EXPECT_EQ(tree.FirstChild(parent), nullptr) << "not read before it is expanded";
        // Expanded the way the user does it: the control asks its parent first.
        SendMessageA(tree.Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
        std::vector<std::string> names;
        for (HTREEITEM child : tree.Children(parent)) names.push_back(tree.ItemText(child));
        EXPECT_EQ(names, (std::vector<std::string>{"A", "b", "c"}));
        const HTREEITEM a = tree.FindChild(parent, "A");
        const HTREEITEM b = tree.FindChild(parent, "b");
        ASSERT_TRUE(a && b);
        EXPECT_TRUE(hasButton(tree, a));
        EXPECT_FALSE(hasButton(tree, b)) << "a folder without subfolders has no expand button";
        SendMessageA(tree.Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(b));
        EXPECT_TRUE(SameFolder(picker.FolderEdit->Text(), Folder("Parent\\b")));
        Click(picker.OkButton);
    })});
    std::string directory = root;
    EXPECT_TRUE(SelectDirectory(directory, kAllOptions, 1000));
    EXPECT_TRUE(SameFolder(directory, Folder("Parent\\b"))) << directory;
}

TEST_F(SelectDirectoryTest, TypedExistingFolderIsReturned)
{
    MakeFolders("Typed\\Inner");
    struct Case {
        const char* name;
        std::string typed, result;
    };
    const Case cases[] = {
        {"full path", Folder("Typed\\Inner"), Folder("Typed\\Inner")},
        {"relative to the shown folder", "Typed\\Inner", Folder("Typed\\Inner")},
        {"drive root", PathRoot(root), PathRoot(root)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TModalScript script({OnPicker([&](TSelectDirDlg& picker) {
            SetWindowTextA(picker.FolderEdit->Handle(), c.typed.c_str());
            picker.FolderEdit->SetFocus();
            PressKey(picker.FolderEdit->Handle(), VK_RETURN);  // the default button: OK
        })});
        std::string directory = root;
        const bool chosen = SelectDirectory(directory, kAllOptions, 1000);
        EXPECT_TRUE(chosen);
        EXPECT_TRUE(SameFolder(directory, c.result)) << directory;
    }
}

TEST_F(SelectDirectoryTest, NewFolderIsCreatedWithItsParentsAfterYes)
{
    const std::string wanted = Folder("New\\Deeper\\Leaf");
    bool pickerOpenAfterNo = false;
    TModalScript script({
        TypeAndOk(wanted),
        OnMessage("Confirm", [](TMessageForm& question) {
            EXPECT_EQ(question.Message()->Caption(), "The specified directory does not exist. Create it?");
            EXPECT_EQ(question.DialogType(), Type::mtConfirmation);
            EXPECT_EQ(ButtonNames(question), (std::vector<std::string>{"Yes", "No"}));
            Click(question.FindButton(Btn::mbNo));
        }),
        Gone("Confirm"),
        OnPicker([&](TSelectDirDlg& picker) {
            pickerOpenAfterNo = true;
            EXPECT_FALSE(DirectoryExists(Folder("New"))) << "No creates nothing";
            Click(picker.OkButton);
        }),
        ClickButton("Confirm", "Yes"),
    });
    std::string directory = root;
    EXPECT_TRUE(SelectDirectory(directory, kAllOptions, 1000));
    EXPECT_TRUE(pickerOpenAfterNo);
    EXPECT_TRUE(SameFolder(directory, wanted)) << directory;
    EXPECT_TRUE(DirectoryExists(wanted));
}

TEST_F(SelectDirectoryTest, FolderThatCannotBeCreatedIsReportedAndThePickerStaysOpen)
{
    const HANDLE file = CreateFileA(Folder("file.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    struct Case {
        const char* name;
        std::string folder;
    };
    const Case cases[] = {
        {"under a file", Folder("file.txt\\Sub")},
        {"invalid name", Folder("a<b")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool pickerOpenAfterError = false;
        TModalScript script({
            TypeAndOk(c.folder),
            ClickButton("Confirm", "Yes"),
            OnMessage("Error", [&](TMessageForm& error) {
                const std::string expected = "Cannot create the directory " + c.folder + ".";
                EXPECT_EQ(error.Message()->Caption().substr(0, expected.size()), expected) << error.Message()->Caption();
                EXPECT_EQ(error.DialogType(), Type::mtError);
                Click(error.FindButton(Btn::mbOK));
            }),
            Gone("Error"),
            OnPicker([&](TSelectDirDlg& picker) {
                pickerOpenAfterError = true;
                Click(picker.CancelButton);
            }),
        });
        std::string directory = root;
        EXPECT_FALSE(SelectDirectory(directory, kAllOptions, 1000));
        EXPECT_EQ(directory, root);
        EXPECT_TRUE(pickerOpenAfterError);
        EXPECT_FALSE(DirectoryExists(c.folder));
    }
}

TEST_F(SelectDirectoryTest, OptionsDecideWhatHappensToAFolderThatDoesNotExist)
{
    struct Case {
        const char* name;
        TSelectDirOpts options;
        bool asks;     // the question comes (and is answered Yes)
        bool refused;  // an error says it does not exist, and the picker is cancelled
        bool created;
    };
    const Case cases[] = {
        {"create without asking", {TSelectDirOpt::sdAllowCreate, TSelectDirOpt::sdPerformCreate}, false, false, true},
        {"ask, do not create", {TSelectDirOpt::sdAllowCreate, TSelectDirOpt::sdPrompt}, true, false, false},
        {"typing a new folder not allowed", {}, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string wanted = Folder(std::string("Opt") + std::to_string(&c - cases));
        std::vector<Step> steps{TypeAndOk(wanted)};
        if (c.asks) steps.push_back(ClickButton("Confirm", "Yes"));
        if (c.refused) {
            steps.push_back(OnMessage("Error", [&](TMessageForm& error) {
                EXPECT_EQ(error.Message()->Caption(), "The directory " + wanted + " does not exist.");
                Click(error.FindButton(Btn::mbOK));
            }));
            steps.push_back(Gone("Error"));
            steps.push_back(ClickPicker(&TSelectDirDlg::CancelButton));
        }
        TModalScript script(std::move(steps));
        std::string directory = root;
        EXPECT_EQ(SelectDirectory(directory, c.options, 1000), !c.refused);
        EXPECT_TRUE(SameFolder(directory, c.refused ? root : wanted)) << directory;
        EXPECT_EQ(DirectoryExists(wanted), c.created);
    }
}

TEST_F(SelectDirectoryTest, HelpAsksForTheHelpContext)
{
    bool openAfterHelp = false;
    TModalScript script({ClickPicker(&TSelectDirDlg::HelpButton), [&] { return !helpRequests.empty(); },
                         OnPicker([&](TSelectDirDlg& picker) {
                             openAfterHelp = true;
                             Click(picker.CancelButton);
                         })});
    std::string directory = root;
    EXPECT_FALSE(SelectDirectory(directory, kAllOptions, 1000));
    EXPECT_EQ(helpRequests, std::vector<std::int64_t>{1000});
    EXPECT_TRUE(openAfterHelp);

    // Without a help context there is no Help button.
    TModalScript noHelp({OnPicker([](TSelectDirDlg& picker) {
        EXPECT_FALSE(IsWindowVisible(picker.HelpButton->Handle()));
        Click(picker.CancelButton);
    })});
    EXPECT_FALSE(SelectDirectory(directory, kAllOptions, 0));
}

TEST_F(SelectDirectoryTest, FailingNetworkConnectionIsReportedAndThePickerStaysOpen)
{
    std::string report;
    bool openAfterReport = false;
    TModalScript script({ClickPicker(&TSelectDirDlg::NetworkButton),
                         OnMessage("Error", [&](TMessageForm& error) {
                             report = error.Message()->Caption();
                             Click(error.FindButton(Btn::mbOK));
                         }),
                         Gone("Error"), OnPicker([&](TSelectDirDlg& picker) {
                             openAfterReport = true;
                             EXPECT_FALSE(picker.DriveList->Drives().empty()) << "the drives are read again";
                             Click(picker.CancelButton);
                         })});
    std::string directory = root;
    EXPECT_FALSE(SelectDirectory(directory, kAllOptions, 1000));
    EXPECT_TRUE(openAfterReport);
    EXPECT_EQ(report.rfind("Cannot connect a network drive: ", 0), 0u) << report;
    // Windows opens its connection dialog here; Wine has no network provider and answers at once
    // with ERROR_NO_NETWORK, which is what the report above comes from.
    EXPECT_NONFATAL_FAILURE(EXPECT_TRUE(report.empty()) << "the connection dialog opened", "the connection dialog opened");
}

} // namespace
