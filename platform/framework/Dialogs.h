// The framework's standard dialogs, built in code: the message dialog (icon, text and standard
// buttons, with hook slots through which a look-and-feel module restyles it) and the folder
// selection dialog. Both are shown with ShowModal, so through the process's modal display.
#pragma once

#include "platform/framework/FileCtrls.h"
#include "platform/framework/Forms.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace fw {

// A set of the values of a small enumeration (at most 32 values).
template <class E>
class TEnumSet {
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(E value) { Include(value); }
    constexpr TEnumSet(std::initializer_list<E> values)
    {
        for (E value : values) Include(value);
    }
    constexpr bool Contains(E value) const { return (bits_ & Bit(value)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TEnumSet& Include(E value)
    {
        bits_ |= Bit(value);
        return *this;
    }
    constexpr TEnumSet& Exclude(E value)
    {
        bits_ &= ~Bit(value);
        return *this;
    }
    friend constexpr TEnumSet operator|(TEnumSet a, TEnumSet b)
    {
        a.bits_ |= b.bits_;
        return a;
    }
    constexpr bool operator==(const TEnumSet&) const = default;

private:
    static constexpr std::uint32_t Bit(E value) { return std::uint32_t{1} << static_cast<unsigned>(value); }
    std::uint32_t bits_ = 0;
};

// ---- The message dialog ---------------------------------------------------------------------

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
// The buttons, in the order the dialog shows them.
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbHelp };
using TMsgDlgButtons = TEnumSet<TMsgDlgBtn>;
constexpr TMsgDlgButtons operator|(TMsgDlgBtn a, TMsgDlgBtn b) { return TMsgDlgButtons{a, b}; }

inline constexpr TMsgDlgButtons mbYesNo{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo};
inline constexpr TMsgDlgButtons mbYesNoCancel{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{TMsgDlgBtn::mbAbort, TMsgDlgBtn::mbRetry, TMsgDlgBtn::mbIgnore};

// The modal result of the All button (the others are those of StdCtrls.h).
inline constexpr std::int64_t mrAll = mrNo + 1;

// The points at which a look-and-feel module changes the message dialog; an empty slot leaves
// the dialog's own behaviour.
struct TMessageDialogHooks {
    // The dialog's colour when it is created (else the button face colour).
    std::function<TColor()> BackgroundColor;
    // A new button owned by the dialog; the dialog then sets its name, parent, caption, font,
    // modal result, default and cancel flags and bounds (else a standard push button).
    std::function<TButton*(TCustomForm& dialog)> CreateButton;
    // The text shown for a caption: the dialog's title and the buttons' captions.
    std::function<std::string(const std::string& caption)> TranslateCaption;
    // Draws the icon of the index (0 warning, 1 error, 2 information, 3 confirmation) into a
    // 32 by 32 bitmap filled with the dialog's colour (else the system's icon is shown).
    std::function<void(HBITMAP bitmap, int iconIndex)> IconBitmap;
    // A title control of the dialog's own, made after the layout, placed at the top across the
    // whole width; pressing a mouse button other than the right one on it drags the dialog.
    std::function<TControl*(TCustomForm& dialog, const std::string& caption, TMsgDlgType type)> CreateTitlePanel;
    // The height of that title in pixels; above 0 the window has no system caption, the content
    // moves down by it and the dialog takes its type's colour.
    std::function<int()> TitleHeight;
    // Adjusts the font of the dialog and of each button.
    std::function<void(TFont& font)> AdjustFont;
};
// The process's hooks; all empty until a module fills them.
TMessageDialogHooks& MessageDialogHooks();

// The icon of the message dialog: a system icon, or a bitmap drawn by the icon hook.
class TDialogImage : public TGraphicControl {
public:
    explicit TDialogImage(TComponent* owner);
    ~TDialogImage() override;
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    HICON Icon() const { return icon_; }
    void SetIcon(HICON icon);  // shared system icon: borrowed
    HBITMAP Bitmap() const { return bitmap_; }
    void SetBitmap(HBITMAP bitmap);  // owned from now on
    void Paint(HDC dc) override;

private:
    HICON icon_ = nullptr;
    HBITMAP bitmap_ = nullptr;
};

class TMessageForm : public TForm {
public:
    explicit TMessageForm(TComponent* owner);
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    TMsgDlgType DialogType() const { return type_; }
    TLabel* Message() const { return message_; }
    // The icon ("Image"), or nullptr for a custom dialog.
    TDialogImage* Image() const { return image_; }
    // The buttons in the order shown; each is named after its kind ("Yes", "OK", ...).
    const std::vector<TButton*>& Buttons() const { return buttons_; }
    TButton* FindButton(TMsgDlgBtn button) const;
    // The control of the title hook, or nullptr.
    TControl* TitlePanel() const { return title_; }
    // Makes another of its buttons the default one, which also gets the focus.
    void SetDefaultButton(TMsgDlgBtn button);

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    friend std::unique_ptr<TMessageForm> CreateMessageDialog(const std::string&, TMsgDlgType, TMsgDlgButtons,
                                                             const std::string&);
    void Build(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, const std::string& title);
    void SetClientSize(int width, int height);
    bool StartsTitleDrag(POINT clientPoint);

    TMsgDlgType type_ = TMsgDlgType::mtCustom;
    TLabel* message_ = nullptr;
    TDialogImage* image_ = nullptr;
    std::vector<TButton*> buttons_;
    std::vector<TMsgDlgBtn> kinds_;
    TControl* title_ = nullptr;
    int titleHeight_ = 0;
};

// The default title of a type: "Warning", "Error", "Information", "Confirm", and the
// application's title for a custom dialog.
std::string MessageDialogTitle(TMsgDlgType type);

// The dialog, not yet shown. Escape presses Cancel, else No, else OK; the default button is the
// first one but that. The help button asks for the dialog's help context.
std::unique_ptr<TMessageForm> CreateMessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
std::unique_ptr<TMessageForm> CreateMessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                                                  const std::string& title);
// Shows the dialog modally and returns the modal result of the button pressed (mrCancel when
// it was closed otherwise).
std::int64_t MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, std::int64_t helpContext);
std::int64_t MessageDlg(const std::string& title, const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                        std::int64_t helpContext);

// The message dialog in the shape of the Windows message box: the MB_ button, icon, default
// button (counted in the message box's button order) and help flags; returns IDOK, IDYES, ...
// (IDCANCEL when it was closed otherwise).
int MessageDlgBox(const std::string& text, const std::string& title, UINT flags);

// ---- The folder selection dialog ------------------------------------------------------------

enum class TSelectDirOpt { sdAllowCreate, sdPerformCreate, sdPrompt };
using TSelectDirOpts = TEnumSet<TSelectDirOpt>;

// "Select Directory": the folder name box, the folder tree, the drive list and the Network,
// OK, Cancel and Help buttons.
class TSelectDirDlg : public TForm {
public:
    explicit TSelectDirDlg(TComponent* owner);
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    TEdit* FolderEdit = nullptr;
    TDirectoryTreeView* FolderTree = nullptr;
    TDriveComboBox* DriveList = nullptr;
    TButton* NetworkButton = nullptr;
    TButton* OkButton = nullptr;
    TButton* CancelButton = nullptr;
    TButton* HelpButton = nullptr;

    TSelectDirOpts Options;
    // Shows the folder in the tree and the name box.
    void SetDirectory(const std::string& folder);
    // The folder of the name box, in full (relative names are taken from the tree's folder).
    std::string Directory();

private:
    void OkClick();
    void TreeChange();
    void DriveChange();
    void NetworkClick();
};

// Lets the user pick a folder, starting at directory when it exists, else at the process's
// current folder. sdAllowCreate lets the user type a folder that does not exist; sdPrompt asks
// before it is accepted; sdPerformCreate creates it, with its missing parents, before the dialog
// closes (a folder that cannot be created is reported and the dialog stays open). On OK the
// chosen folder is put into directory (without a trailing backslash, but for a drive root) and
// true returned; Cancel returns false and leaves directory as it was. A help context other than
// 0 gives the dialog a Help button for it.
bool SelectDirectory(std::string& directory, TSelectDirOpts options, std::int64_t helpContext);

} // namespace fw
