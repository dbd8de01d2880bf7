#include "platform/framework/Dialogs.h"

#include "platform/framework/Exception.h"

#include <winnetwk.h>
#include <windowsx.h>

#include <algorithm>
#include <cstddef>

namespace fw {

TMessageDialogHooks& MessageDialogHooks()
{
    static TMessageDialogHooks hooks;
    return hooks;
}

namespace {

struct TButtonKind {
    TMsgDlgBtn Button;
    const char* Name;
    const char* Caption;
    std::int64_t Result;
};

constexpr TButtonKind kButtonKinds[] = {
    {TMsgDlgBtn::mbYes, "Yes", "&Yes", mrYes},           {TMsgDlgBtn::mbNo, "No", "&No", mrNo},
    {TMsgDlgBtn::mbOK, "OK", "OK", mrOk},                {TMsgDlgBtn::mbCancel, "Cancel", "Cancel", mrCancel},
    {TMsgDlgBtn::mbAbort, "Abort", "&Abort", mrAbort},   {TMsgDlgBtn::mbRetry, "Retry", "&Retry", mrRetry},
    {TMsgDlgBtn::mbIgnore, "Ignore", "&Ignore", mrIgnore}, {TMsgDlgBtn::mbAll, "All", "&All", mrAll},
    {TMsgDlgBtn::mbHelp, "Help", "&Help", mrNone},
};

const TButtonKind& KindOf(TMsgDlgBtn button) { return kButtonKinds[static_cast<std::size_t>(button)]; }

// The colours a dialog with a title of its own takes, by type.
constexpr TColor kWarningColor = 0xEAF7FB;  // #FBF7EA
constexpr TColor kErrorColor = 0xEAEAFA;    // #FAEAEA
constexpr TColor kOtherColor = 0xF3F3F3;    // #F3F3F3

NONCLIENTMETRICSA NonClientMetrics()
{
    NONCLIENTMETRICSA metrics{};
    // The size without the padded-border field, which systems before Vista refuse.
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    return metrics;
}

// The system's message font, then the font hook.
void ApplyMessageFont(TFont& font)
{
    const LOGFONTA& message = NonClientMetrics().lfMessageFont;
    if (message.lfFaceName[0]) {
        font.SetName(message.lfFaceName);
        font.SetHeight(message.lfHeight);
        font.SetCharset(message.lfCharSet);
    }
    if (MessageDialogHooks().AdjustFont) MessageDialogHooks().AdjustFont(font);
}

std::string Translate(const std::string& caption)
{
    return MessageDialogHooks().TranslateCaption ? MessageDialogHooks().TranslateCaption(caption) : caption;
}

// A caption without its accelerator marks, as it is drawn.
std::string WithoutAccelerators(const std::string& caption)
{
    std::string plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        plain += caption[i];
    }
    return plain;
}

// A screen device context with a font selected, for measuring text.
class TMeasure {
public:
    explicit TMeasure(HFONT font) : dc_(GetDC(nullptr)), old_(SelectObject(dc_, font)) {}
    ~TMeasure()
    {
        SelectObject(dc_, old_);
        ReleaseDC(nullptr, dc_);
    }
    TMeasure(const TMeasure&) = delete;
    TMeasure& operator=(const TMeasure&) = delete;

    SIZE Extent(const std::string& text) const
    {
        SIZE size{};
        GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    }
    // Dialog units: a quarter of the average character width, an eighth of the line height.
    int DluX(int units) const { return MulDiv(units, AverageWidth(), 4); }
    int DluY(int units) const
    {
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc_, &metrics);
        return MulDiv(units, metrics.tmHeight, 8);
    }
    RECT WrappedText(const std::string& text, int maxWidth) const
    {
        RECT rect{0, 0, maxWidth, 0};
        DrawTextA(dc_, text.c_str(), -1, &rect, DT_CALCRECT | DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
        return rect;
    }

private:
    int AverageWidth() const
    {
        const SIZE size = Extent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        return (size.cx / 26 + 1) / 2;
    }

    HDC dc_;
    HGDIOBJ old_;
};

// The width the system caption needs to show a title in full, with the close button.
int CaptionWidth(const std::string& title)
{
    const NONCLIENTMETRICSA metrics = NonClientMetrics();
    const HFONT font = CreateFontIndirectA(&metrics.lfCaptionFont);
    int width = 0;
    {
        TMeasure measure(font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
        width = measure.Extent(title).cx;
    }
    if (font) DeleteObject(font);
    return width + GetSystemMetrics(SM_CXSIZE) + 4 * GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXSMICON);
}

} // namespace

// ---- TDialogImage ---------------------------------------------------------------------------

const TClassInfo& TDialogImage::StaticClassInfo()
{
    static const TClassInfo info{"TDialogImage", &TGraphicControl::StaticClassInfo()};
    return info;
}
const TClassInfo& TDialogImage::ClassInfo() const { return StaticClassInfo(); }

TDialogImage::TDialogImage(TComponent* owner) : TGraphicControl(owner) {}

TDialogImage::~TDialogImage()
{
    if (bitmap_) DeleteObject(bitmap_);
}

void TDialogImage::SetIcon(HICON icon)
{
    icon_ = icon;
    Invalidate();
}

void TDialogImage::SetBitmap(HBITMAP bitmap)
{
    if (bitmap_ && bitmap_ != bitmap) DeleteObject(bitmap_);
    bitmap_ = bitmap;
    Invalidate();
}

void TDialogImage::Paint(HDC dc)
{
    const RECT bounds = BoundsRect();
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    if (bitmap_) {
        const HDC source = CreateCompatibleDC(dc);
        const HGDIOBJ old = SelectObject(source, bitmap_);
        BitBlt(dc, bounds.left, bounds.top, width, height, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    } else if (icon_) {
        DrawIconEx(dc, bounds.left, bounds.top, icon_, width, height, 0, nullptr, DI_NORMAL);
    }
}

// ---- TMessageForm ---------------------------------------------------------------------------

const TClassInfo& TMessageForm::StaticClassInfo()
{
    static const TClassInfo info{"TMessageForm", &TForm::StaticClassInfo()};
    return info;
}
const TClassInfo& TMessageForm::ClassInfo() const { return StaticClassInfo(); }

TMessageForm::TMessageForm(TComponent* owner) : TForm(owner) {}

std::string MessageDialogTitle(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning: return "Warning";
    case TMsgDlgType::mtError: return "Error";
    case TMsgDlgType::mtInformation: return "Information";
    case TMsgDlgType::mtConfirmation: return "Confirm";
    case TMsgDlgType::mtCustom: break;
    }
    return Application().Title;
}

void TMessageForm::Build(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, const std::string& title)
{
    const TMessageDialogHooks& hooks = MessageDialogHooks();
    type_ = type;
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetPosition(TPosition::poScreenCenter);
    SetColor(hooks.BackgroundColor ? hooks.BackgroundColor() : clBtnFace);
    ApplyMessageFont(Font());
    titleHeight_ = hooks.TitleHeight ? std::max(0, hooks.TitleHeight()) : 0;
    SetCaption(Translate(title));

    std::vector<std::string> captions;
    for (const TButtonKind& kind : kButtonKinds)
        if (buttons.Contains(kind.Button)) {
            kinds_.push_back(kind.Button);
            captions.push_back(Translate(kind.Caption));
        }

    // The layout, in dialog units of the dialog's font.
    const TMeasure measure(Font().Handle());
    const int horzMargin = measure.DluX(8), vertMargin = measure.DluY(8);
    const int horzSpacing = measure.DluX(10), vertSpacing = measure.DluY(10);
    const int buttonSpacing = measure.DluX(4), buttonHeight = measure.DluY(14);
    int buttonWidth = measure.DluX(50);
    for (const std::string& caption : captions)
        buttonWidth = std::max<int>(buttonWidth, measure.Extent(WithoutAccelerators(caption)).cx + measure.DluX(8));
    const RECT textRect = measure.WrappedText(text, Screen().Width() / 2);
    const int textWidth = textRect.right - textRect.left, textHeight = textRect.bottom - textRect.top;
    const bool hasIcon = type != TMsgDlgType::mtCustom;
    const int iconWidth = hasIcon ? GetSystemMetrics(SM_CXICON) : 0, iconHeight = hasIcon ? GetSystemMetrics(SM_CYICON) : 0;

    const int count = static_cast<int>(kinds_.size());
    const int buttonsWidth = count * buttonWidth + std::max(0, count - 1) * buttonSpacing;
    const int textLeft = horzMargin + (hasIcon ? iconWidth + horzSpacing : 0);
    int clientWidth = std::max(textLeft + textWidth + horzMargin, buttonsWidth + 2 * horzMargin);
    // A title wider than the content widens the dialog, so the system caption shows it whole.
    if (titleHeight_ == 0) clientWidth = std::max(clientWidth, CaptionWidth(Caption()));
    const int buttonTop = vertMargin + std::max(iconHeight, textHeight) + vertSpacing;
    int clientHeight = buttonTop + buttonHeight + vertMargin;

    if (hasIcon) {
        image_ = new TDialogImage(this);
        image_->SetName("Image");
        image_->SetParent(this);
        image_->SetBounds(horzMargin, vertMargin, iconWidth, iconHeight);
    }
    message_ = new TLabel(this);
    message_->SetName("Message");
    message_->SetParent(this);
    message_->SetWordWrap(true);
    message_->SetCaption(text);
    message_->SetBounds(textLeft, vertMargin, textWidth, textHeight);

    std::size_t cancelIndex = kinds_.size();
    for (TMsgDlgBtn candidate : {TMsgDlgBtn::mbCancel, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbOK}) {
        const auto found = std::find(kinds_.begin(), kinds_.end(), candidate);
        if (found != kinds_.end()) {
            cancelIndex = static_cast<std::size_t>(found - kinds_.begin());
            break;
        }
    }
    // The first button that is not the cancel one, so "Cancel Retry" defaults to Retry.
    const std::size_t defaultIndex = cancelIndex == 0 && kinds_.size() > 1 ? 1 : 0;
    for (std::size_t i = 0; i < kinds_.size(); ++i) {
        const TButtonKind& kind = KindOf(kinds_[i]);
        TButton* button = hooks.CreateButton ? hooks.CreateButton(*this) : nullptr;
        if (!button) button = new TButton(this);
        button->SetName(kind.Name);
        button->SetParent(this);
        button->SetCaption(captions[i]);
        ApplyMessageFont(button->Font());
        button->SetModalResult(kind.Result);
        button->SetDefault(i == defaultIndex);
        button->SetCancel(i == cancelIndex);
        button->SetBounds(0, buttonTop, buttonWidth, buttonHeight);
        if (kind.Button == TMsgDlgBtn::mbHelp)
            button->OnClick = TNotifyEvent{"", [this](TComponent*) { Application().HelpContext(HelpContext()); }};
        buttons_.push_back(button);
    }
    if (!buttons_.empty()) SetActiveControl(buttons_[defaultIndex]);

    // A title of the hooks' own: the content moves down below it, the dialog takes its type's colour.
    if (titleHeight_ > 0) {
        for (TControl* control : Controls())
            control->SetBounds(control->Left(), control->Top() + titleHeight_, control->Width(), control->Height());
        clientHeight += titleHeight_;
        SetColor(type == TMsgDlgType::mtWarning ? kWarningColor : type == TMsgDlgType::mtError ? kErrorColor : kOtherColor);
    }
    if (hooks.CreateTitlePanel) {
        title_ = hooks.CreateTitlePanel(*this, Caption(), type);
        if (title_) {
            if (!title_->Parent()) title_->SetParent(this);
            clientWidth = std::max<int>(clientWidth, static_cast<int>(title_->Width()));
            title_->SetBounds(0, 0, clientWidth, title_->Height());
        }
    }
    int left = (clientWidth - buttonsWidth) / 2;
    for (TButton* button : buttons_) {
        button->SetLeft(left);
        left += buttonWidth + buttonSpacing;
    }
    SetClientSize(clientWidth, clientHeight);

    if (image_) {
        const LPCSTR kSystemIcons[] = {IDI_WARNING, IDI_ERROR, IDI_INFORMATION, IDI_QUESTION};
        const int index = static_cast<int>(type);
        if (hooks.IconBitmap) {
            const HDC screen = GetDC(nullptr);
            const HBITMAP bitmap = CreateCompatibleBitmap(screen, iconWidth, iconHeight);
            const HDC dc = CreateCompatibleDC(screen);
            const HGDIOBJ old = SelectObject(dc, bitmap);
            const HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
            const RECT all{0, 0, iconWidth, iconHeight};
            FillRect(dc, &all, brush);
            DeleteObject(brush);
            SelectObject(dc, old);
            DeleteDC(dc);
            ReleaseDC(nullptr, screen);
            image_->SetBitmap(bitmap);
            hooks.IconBitmap(bitmap, index);
        } else {
            image_->SetIcon(LoadIconA(nullptr, kSystemIcons[index]));
        }
    }
}

void TMessageForm::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    if (titleHeight_ > 0) {
        params.Style &= ~static_cast<DWORD>(WS_CAPTION | DS_MODALFRAME);
        params.ExStyle &= ~static_cast<DWORD>(WS_EX_DLGMODALFRAME);
    }
}

void TMessageForm::SetClientSize(int width, int height)
{
    // The frame as the window will have it, which the title hook may have taken the caption from.
    TCreateParams params;
    CreateParams(params);
    RECT rect{0, 0, width, height};
    AdjustWindowRectEx(&rect, params.Style & ~static_cast<DWORD>(WS_VISIBLE), FALSE, params.ExStyle);
    SetBounds(Left(), Top(), rect.right - rect.left, rect.bottom - rect.top);
}

TButton* TMessageForm::FindButton(TMsgDlgBtn button) const
{
    const auto found = std::find(kinds_.begin(), kinds_.end(), button);
    return found == kinds_.end() ? nullptr : buttons_[static_cast<std::size_t>(found - kinds_.begin())];
}

void TMessageForm::SetDefaultButton(TMsgDlgBtn button)
{
    TButton* target = FindButton(button);
    if (!target) return;
    for (TButton* each : buttons_) each->SetDefault(each == target);
    SetActiveControl(target);
}

bool TMessageForm::StartsTitleDrag(POINT point)
{
    if (!title_ || !title_->Visible()) return false;
    const RECT bounds = title_->BoundsRect();
    if (!PtInRect(&bounds, point)) return false;
    // A control on the title (its close button) takes its own clicks.
    if (auto* panel = dynamic_cast<TWinControl*>(title_)) {
        const POINT inner{point.x - bounds.left, point.y - bounds.top};
        for (TControl* child : panel->Controls()) {
            const RECT childBounds = child->BoundsRect();
            if (child->Visible() && PtInRect(&childBounds, inner)) return false;
        }
    }
    return true;
}

LRESULT TMessageForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    constexpr WPARAM kDragMove = SC_MOVE | HTCAPTION;
    switch (message) {
    case WM_PARENTNOTIFY:
        // A press on a windowed title.
        if (const UINT event = LOWORD(wParam); event == WM_LBUTTONDOWN || event == WM_MBUTTONDOWN || event == WM_XBUTTONDOWN)
            if (StartsTitleDrag(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {
                ReleaseCapture();
                SendMessageA(Handle(), WM_SYSCOMMAND, kDragMove, 0);
                return 0;
            }
        break;
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
        // A press on a title the dialog paints itself.
        if (StartsTitleDrag(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {
            ReleaseCapture();
            SendMessageA(Handle(), WM_SYSCOMMAND, kDragMove, 0);
            return 0;
        }
        break;
    default:
        break;
    }
    return TForm::WndProc(message, wParam, lParam);
}

std::unique_ptr<TMessageForm> CreateMessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                                                  const std::string& title)
{
    auto form = std::make_unique<TMessageForm>(nullptr);
    form->Build(text, type, buttons, title);
    return form;
}

std::unique_ptr<TMessageForm> CreateMessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    return CreateMessageDialog(text, type, buttons, MessageDialogTitle(type));
}

std::int64_t MessageDlg(const std::string& title, const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                        std::int64_t helpContext)
{
    const auto form = CreateMessageDialog(text, type, buttons, title);
    form->SetHelpContext(helpContext);
    return form->ShowModal();
}

std::int64_t MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, std::int64_t helpContext)
{
    return MessageDlg(MessageDialogTitle(type), text, type, buttons, helpContext);
}

int MessageDlgBox(const std::string& text, const std::string& title, UINT flags)
{
    // The buttons in the message box's order, which its default-button flags count in.
    using B = TMsgDlgBtn;
    std::vector<TMsgDlgBtn> order;
    const UINT kind = flags & MB_TYPEMASK;
    switch (kind) {
    case MB_OKCANCEL: order = {B::mbOK, B::mbCancel}; break;
    case MB_ABORTRETRYIGNORE: order = {B::mbAbort, B::mbRetry, B::mbIgnore}; break;
    case MB_YESNOCANCEL: order = {B::mbYes, B::mbNo, B::mbCancel}; break;
    case MB_YESNO: order = {B::mbYes, B::mbNo}; break;
    case MB_RETRYCANCEL: order = {B::mbRetry, B::mbCancel}; break;
    case MB_CANCELTRYCONTINUE: order = {B::mbCancel, B::mbRetry, B::mbIgnore}; break;
    default: order = {B::mbOK}; break;
    }
    if (flags & MB_HELP) order.push_back(B::mbHelp);
    TMsgDlgButtons buttons;
    for (TMsgDlgBtn button : order) buttons.Include(button);
    TMsgDlgType type = TMsgDlgType::mtCustom;
    switch (flags & MB_ICONMASK) {
    case MB_ICONHAND: type = TMsgDlgType::mtError; break;
    case MB_ICONQUESTION: type = TMsgDlgType::mtConfirmation; break;
    case MB_ICONEXCLAMATION: type = TMsgDlgType::mtWarning; break;
    case MB_ICONASTERISK: type = TMsgDlgType::mtInformation; break;
    default: break;
    }
    const auto form = CreateMessageDialog(text, type, buttons, title.empty() ? MessageDialogTitle(type) : title);
    const std::size_t defaultIndex = (flags & MB_DEFMASK) >> 8;
    form->SetDefaultButton(order[defaultIndex < order.size() ? defaultIndex : 0]);
    const std::int64_t result = form->ShowModal();
    // The modal results are the message box's answers, but for its "try again" and "continue".
    if (kind == MB_CANCELTRYCONTINUE && result == mrRetry) return IDTRYAGAIN;
    if (kind == MB_CANCELTRYCONTINUE && result == mrIgnore) return IDCONTINUE;
    switch (result) {
    case mrOk: return IDOK;
    case mrAbort: return IDABORT;
    case mrRetry: return IDRETRY;
    case mrIgnore: return IDIGNORE;
    case mrYes: return IDYES;
    case mrNo: return IDNO;
    default: return IDCANCEL;
    }
}

// ---- TSelectDirDlg --------------------------------------------------------------------------

namespace {

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string SystemErrorText(DWORD error)
{
    char* buffer = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       error, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : std::string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

template <class T>
T* Place(TSelectDirDlg* form, const char* name, int left, int top, int width, int height, int tabOrder = -1)
{
    T* control = new T(form);
    control->SetName(name);
    control->SetParent(form);
    control->SetBounds(left, top, width, height);
    if (tabOrder >= 0)
        if (auto* windowed = dynamic_cast<TWinControl*>(control)) windowed->SetTabOrder(tabOrder);
    return control;
}

TNotifyEvent Handler(std::function<void()> handler)
{
    return TNotifyEvent{"", [handler = std::move(handler)](TComponent*) { handler(); }};
}

} // namespace

const TClassInfo& TSelectDirDlg::StaticClassInfo()
{
    static const TClassInfo info{"TSelectDirDlg", &TForm::StaticClassInfo()};
    return info;
}
const TClassInfo& TSelectDirDlg::ClassInfo() const { return StaticClassInfo(); }

TSelectDirDlg::TSelectDirDlg(TComponent* owner) : TForm(owner)
{
    SetCaption("Select Directory");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetPosition(TPosition::poScreenCenter);
    SetClientWidth(320);
    SetClientHeight(328);

    Place<TLabel>(this, "FolderLabel", 8, 8, 220, 13)->SetCaption("Folder name:");
    FolderEdit = Place<TEdit>(this, "FolderEdit", 8, 24, 304, 21, 0);
    Place<TLabel>(this, "FoldersLabel", 8, 53, 220, 13)->SetCaption("Folders:");
    FolderTree = Place<TDirectoryTreeView>(this, "FolderTree", 8, 69, 220, 200, 1);
    Place<TLabel>(this, "DrivesLabel", 8, 277, 220, 13)->SetCaption("Drives:");
    DriveList = Place<TDriveComboBox>(this, "DriveList", 8, 293, 220, 200, 2);
    OkButton = Place<TButton>(this, "OkButton", 236, 69, 76, 25, 3);
    OkButton->SetCaption("OK");
    OkButton->SetDefault(true);
    CancelButton = Place<TButton>(this, "CancelButton", 236, 100, 76, 25, 4);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(mrCancel);
    HelpButton = Place<TButton>(this, "HelpButton", 236, 131, 76, 25, 5);
    HelpButton->SetCaption("&Help");
    NetworkButton = Place<TButton>(this, "NetworkButton", 236, 292, 76, 25, 6);
    NetworkButton->SetCaption("Net&work...");

    OkButton->OnClick = Handler([this] { OkClick(); });
    HelpButton->OnClick = Handler([this] { Application().HelpContext(HelpContext()); });
    NetworkButton->OnClick = Handler([this] { NetworkClick(); });
    FolderTree->OnChange = Handler([this] { TreeChange(); });
    DriveList->OnChange = Handler([this] { DriveChange(); });
    SetActiveControl(FolderEdit);
}

void TSelectDirDlg::SetDirectory(const std::string& folder)
{
    DriveList->SetDrive(folder);
    FolderTree->SetDirectory(folder);
    FolderEdit->SetText(FolderTree->Directory());
}

std::string TSelectDirDlg::Directory()
{
    const std::string typed = Trimmed(FolderEdit->Text());
    const std::string shown = FolderTree->Directory();
    return typed.empty() ? shown : ExpandFolderPath(typed, shown);
}

void TSelectDirDlg::TreeChange()
{
    if (const std::string folder = FolderTree->Directory(); !folder.empty()) FolderEdit->SetText(folder);
}

void TSelectDirDlg::DriveChange()
{
    const std::string drive = DriveList->Drive();
    if (drive.empty()) return;
    if (!DirectoryExists(drive)) {
        MessageDlg(FormatMessage1("The drive %s is not ready.", drive), TMsgDlgType::mtError, TMsgDlgBtn::mbOK, 0);
        DriveList->SetDrive(FolderTree->Directory());
        return;
    }
    SetDirectory(drive);
}

void TSelectDirDlg::NetworkClick()
{
    // Looked up when asked for, so the program does not load the network library at start.
    using TConnectionDialog = DWORD(WINAPI*)(HWND, DWORD);
    static const auto connectionDialog = reinterpret_cast<TConnectionDialog>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("mpr.dll"), "WNetConnectionDialog")));
    const DWORD result = connectionDialog ? connectionDialog(Handle(), RESOURCETYPE_DISK) : ERROR_NOT_SUPPORTED;
    DriveList->Refresh();
    if (result != NO_ERROR && result != static_cast<DWORD>(-1))
        MessageDlg(FormatMessage1("Cannot connect a network drive: %s", SystemErrorText(result)), TMsgDlgType::mtError,
                   TMsgDlgBtn::mbOK, 0);
}

void TSelectDirDlg::OkClick()
{
    const std::string folder = Directory();
    if (folder.empty()) {
        MessageDlg(FormatMessage1("\"%s\" is not a valid folder name.", FolderEdit->Text()), TMsgDlgType::mtError,
                   TMsgDlgBtn::mbOK, 0);
        return;
    }
    if (!DirectoryExists(folder)) {
        if (!Options.Contains(TSelectDirOpt::sdAllowCreate)) {
            MessageDlg(FormatMessage1("The directory %s does not exist.", folder), TMsgDlgType::mtError,
                       TMsgDlgBtn::mbOK, 0);
            return;
        }
        if (Options.Contains(TSelectDirOpt::sdPrompt) &&
            MessageDlg("The specified directory does not exist. Create it?", TMsgDlgType::mtConfirmation, mbYesNo, 0) !=
                mrYes)
            return;
        if (Options.Contains(TSelectDirOpt::sdPerformCreate) && !ForceDirectories(folder)) {
            const DWORD error = GetLastError();
            std::string text = FormatMessage1("Cannot create the directory %s.", folder);
            if (const std::string reason = SystemErrorText(error); !reason.empty()) text += "\r\n\r\n" + reason;
            MessageDlg(text, TMsgDlgType::mtError, TMsgDlgBtn::mbOK, 0);
            return;
        }
    }
    SetModalResult(mrOk);
}

bool SelectDirectory(std::string& directory, TSelectDirOpts options, std::int64_t helpContext)
{
    std::string start = ExpandFolderPath(directory, "");
    if (start.empty() || !DirectoryExists(start)) {
        char current[MAX_PATH] = {};
        const DWORD length = GetCurrentDirectoryA(sizeof current, current);
        start = length > 0 && length < sizeof current ? std::string(current, length) : std::string();
    }
    const auto dialog = std::make_unique<TSelectDirDlg>(nullptr);
    dialog->Options = options;
    dialog->SetHelpContext(helpContext);
    dialog->HelpButton->SetVisible(helpContext != 0);
    dialog->SetDirectory(start);
    if (dialog->ShowModal() != mrOk) return false;
    directory = dialog->Directory();
    return true;
}

} // namespace fw
