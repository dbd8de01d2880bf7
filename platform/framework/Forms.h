// Forms and the application: a form is a top-level window with a border style, a position
// rule, a modal result and an active control, created from the form resource named after its
// class. The application runs the message loop; its main form is the first one created
// through it. The screen object knows the forms and the active one.
#pragma once

#include "platform/framework/StdCtrls.h"

#include <exception>
#include <functional>
#include <memory>

namespace fw {

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter, poOwnerFormCenter };
enum class TFormStyle { fsNormal, fsStayOnTop };

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    std::int64_t ClientWidth() const { return clientWidth_; }
    void SetClientWidth(std::int64_t width);
    std::int64_t ClientHeight() const { return clientHeight_; }
    void SetClientHeight(std::int64_t height);

    std::int64_t ModalResult() const { return modalResult_; }
    void SetModalResult(std::int64_t result) { modalResult_ = result; }
    bool Modal() const { return modal_; }
    void SetModal(bool modal) { modal_ = modal; }

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TComponent* control);
    TComponent* GetActiveControl() const { return activeControl_; }

    TNotifyEvent OnCreate;
    TNotifyEvent GetOnCreate() const { return OnCreate; }
    void SetOnCreate(TNotifyEvent e) { OnCreate = std::move(e); }

    // Reads the form resource named after the class (if the executable has one), then runs
    // the creation handler. Called by CreateForm once the object is complete.
    void InitializeNewForm();

    void Show();
    void Hide() { SetVisible(false); }
    // Shows the form modally through the process's modal display routine.
    std::int64_t ShowModal();
    // Runs messages until the form has a modal result; the application ending gives "cancel".
    void RunModalLoop();
    // A modal form gets the result "cancel"; a modeless one hides, and the main form ends the program.
    void Close();

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void SetVisible(bool visible) override;
    void Notification(TComponent* component, TOperation operation) override;
    // Enter and Escape: press the default or cancel button, if the form has one.
    bool PressDialogKey(bool enter);

private:
    void ApplyPosition();
    void UpdateWindowSize();
    DWORD WindowStyle() const;
    DWORD WindowExStyle() const;

    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TPosition position_ = TPosition::poDesigned;
    TFormStyle formStyle_ = TFormStyle::fsNormal;
    std::int64_t clientWidth_ = 0, clientHeight_ = 0;
    std::int64_t modalResult_ = mrNone;
    bool modal_ = false;
    TWinControl* activeControl_ = nullptr;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();
};

// Registers the framework's classes and named constants for streaming; runs once.
void RegisterFrameworkClasses();

// Creates a form of class F owned by `owner`, read from its form resource.
template <class F>
F* CreateForm(TComponent* owner)
{
    auto* form = new F(owner);
    try {
        form->InitializeNewForm();
    } catch (...) {
        delete form;
        throw;
    }
    return form;
}

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // Creates the application window and runs the initialisation routine (the COM server
    // support puts its start-mode handling there; it may end the application).
    void Initialize();
    std::function<void()> InitProc;
    // The first form created this way becomes the main form.
    template <class F>
    F* CreateForm()
    {
        F* form = fw::CreateForm<F>(this);
        if (!mainForm_) mainForm_ = form;
        return form;
    }
    TCustomForm* MainForm() const { return mainForm_; }
    // Shows the main form and runs the message loop until it closes.
    void Run();
    // Ends the message loop.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Takes one message from the queue and handles it; false when the queue was empty.
    bool ProcessMessage();
    void ProcessMessages();
    void HandleMessage();

    // The hidden application window, owner of the forms' windows.
    HWND Handle() const { return handle_; }

    // Where exceptions from event handlers and window procedures end; by default a message box.
    std::function<void(std::exception_ptr)> OnException;
    void HandleException(std::exception_ptr error);
    // A help request for a help context; returns true when it was handled.
    std::function<bool(std::int64_t context)> OnHelp;
    bool HelpContext(std::int64_t context);

    // The framework's message box: the text, the title and the Windows message-box flags.
    int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);

    std::string Title;

private:
    friend class TCustomForm;
    bool IsDialogKey(MSG& message);

    HWND handle_ = nullptr;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
};

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* owner) : TComponent(owner) {}
    const std::vector<TCustomForm*>& Forms() const { return forms_; }
    TCustomForm* ActiveForm() const { return activeForm_; }
    TWinControl* ActiveControl() const;
    HCURSOR Cursor() const { return cursor_; }
    void SetCursor(HCURSOR cursor);
    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }

    // The focused form and the list of those that had the focus before a modal form took it.
    TCustomForm* FocusedForm() const { return focusedForm_; }
    void SetFocusedForm(TCustomForm* form) { focusedForm_ = form; }
    std::vector<TCustomForm*> SavedFocusForms;
    int FocusCount = 0;
    int CursorCount = 0;

private:
    friend class TCustomForm;
    std::vector<TCustomForm*> forms_;
    TCustomForm* activeForm_ = nullptr;
    TCustomForm* focusedForm_ = nullptr;
    HCURSOR cursor_ = nullptr;
};

TApplication& Application();
TScreen& Screen();

// The routine every modal form is shown with; a module may put its own in place.
using TModalDisplay = std::int64_t (*)(TCustomForm& form);
void SetModalDisplay(TModalDisplay display);
TModalDisplay ModalDisplay();
// The framework's own routine: the other windows of the thread are disabled for the duration.
std::int64_t PlainModalDisplay(TCustomForm& form);

} // namespace fw
