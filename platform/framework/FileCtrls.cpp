#include "platform/framework/FileCtrls.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace fw {

namespace {

constexpr LPARAM kChildrenLoaded = 1;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDots(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

// The names of the subfolders of a folder, in the order the system lists them. With
// firstOnly, stops at the first one.
std::vector<std::string> SubfolderNames(const std::string& folder, bool firstOnly)
{
    std::vector<std::string> names;
    std::string pattern = folder;
    if (!pattern.empty() && !IsSeparator(pattern.back())) pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !IsDots(found.cFileName)) {
            names.emplace_back(found.cFileName);
            if (firstOnly) break;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty()) return name;
    return IsSeparator(folder.back()) ? folder + name : folder + '\\' + name;
}

} // namespace

bool DirectoryExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::string& path)
{
    std::string folder = path;
    while (folder.size() > PathRoot(folder).size() && folder.size() > 1 && IsSeparator(folder.back())) folder.pop_back();
    if (folder.empty()) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    if (DirectoryExists(folder)) return true;
    const std::string root = PathRoot(folder);
    const std::size_t cut = folder.find_last_of("\\/");
    if (cut != std::string::npos && cut + 1 > root.size()) {
        const std::string parent = folder.substr(0, cut);
        if (!parent.empty() && !ForceDirectories(parent)) return false;
    }
    if (CreateDirectoryA(folder.c_str(), nullptr)) return true;
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS && DirectoryExists(folder)) return true;
    SetLastError(error);
    return false;
}

std::string PathRoot(const std::string& path)
{
    if (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2])) return path.substr(0, 2) + '\\';
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        // \\server\share\ ...
        const std::size_t server = path.find_first_of("\\/", 2);
        if (server == std::string::npos || server == 2) return {};
        std::size_t share = path.find_first_of("\\/", server + 1);
        if (share == std::string::npos) share = path.size();
        if (share == server + 1) return {};
        return path.substr(0, share) + '\\';
    }
    return {};
}

std::string ExpandFolderPath(const std::string& path, const std::string& base)
{
    std::string full = path;
    if (PathRoot(full).empty() && !base.empty()) {
        if (!full.empty() && IsSeparator(full[0])) full = PathRoot(base) + full.substr(1);  // rooted on base's drive
        else if (full.size() < 2 || full[1] != ':') full = JoinPath(base, full);
    }
    char buffer[MAX_PATH * 2];
    const DWORD length = GetFullPathNameA(full.c_str(), sizeof buffer, buffer, nullptr);
    if (length == 0 || length >= sizeof buffer) return {};
    std::string result(buffer, length);
    while (result.size() > 1 && IsSeparator(result.back()) && result != PathRoot(result)) result.pop_back();
    return result;
}

// ---- TDriveComboBox -------------------------------------------------------------------------

const TClassInfo& TDriveComboBox::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TClassInfo c{"TDriveComboBox", &TWinControl::StaticClassInfo()};
        c.Create = [](TComponent* owner) -> TComponent* { return new TDriveComboBox(owner); };
        return c;
    }();
    return info;
}
const TClassInfo& TDriveComboBox::ClassInfo() const { return StaticClassInfo(); }

TDriveComboBox::TDriveComboBox(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    SetColor(clWindow);
    Refresh();
}

void TDriveComboBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClassName = "COMBOBOX";
    params.Style |= CBS_DROPDOWNLIST | WS_VSCROLL;
}

void TDriveComboBox::HandleCreated()
{
    TWinControl::HandleCreated();
    FillList();
}

void TDriveComboBox::Refresh()
{
    const std::string keep = selected_ >= 0 && selected_ < static_cast<int>(drives_.size()) ? drives_[selected_] : "";
    drives_.clear();
    char buffer[512] = {};
    const DWORD length = GetLogicalDriveStringsA(sizeof buffer - 1, buffer);
    if (length > 0 && length < sizeof buffer)
        for (const char* drive = buffer; *drive; drive += std::strlen(drive) + 1) {
            std::string root = drive;
            root[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
            drives_.push_back(root);
        }
    selected_ = -1;
    for (std::size_t i = 0; i < drives_.size(); ++i)
        if (lstrcmpiA(drives_[i].c_str(), keep.c_str()) == 0) selected_ = static_cast<int>(i);
    if (HandleAllocated()) FillList();
}

void TDriveComboBox::FillList()
{
    const HWND window = Handle();
    SendMessageA(window, CB_RESETCONTENT, 0, 0);
    for (const std::string& drive : drives_) SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.c_str()));
    SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
}

std::string TDriveComboBox::Drive()
{
    if (HandleAllocated()) selected_ = static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
    return selected_ >= 0 && selected_ < static_cast<int>(drives_.size()) ? drives_[selected_] : std::string();
}

bool TDriveComboBox::SetDrive(const std::string& path)
{
    const std::string root = PathRoot(path);
    for (std::size_t i = 0; i < drives_.size(); ++i)
        if (!root.empty() && lstrcmpiA(drives_[i].c_str(), root.c_str()) == 0) {
            selected_ = static_cast<int>(i);
            if (HandleAllocated()) SendMessageA(Handle(), CB_SETCURSEL, i, 0);
            return true;
        }
    return false;
}

void TDriveComboBox::CommandNotify(WORD code)
{
    if (code != CBN_SELCHANGE) return;
    selected_ = static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
    OnChange(this);
}

// ---- TDirectoryTreeView ---------------------------------------------------------------------

const TClassInfo& TDirectoryTreeView::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TClassInfo c{"TDirectoryTreeView", &TTreeView::StaticClassInfo()};
        c.Create = [](TComponent* owner) -> TComponent* { return new TDirectoryTreeView(owner); };
        return c;
    }();
    return info;
}
const TClassInfo& TDirectoryTreeView::ClassInfo() const { return StaticClassInfo(); }

TDirectoryTreeView::TDirectoryTreeView(TComponent* owner) : TTreeView(owner) {}

std::string TDirectoryTreeView::ItemPath(HTREEITEM item)
{
    std::vector<std::string> names;
    for (; item; item = ParentItem(item)) names.push_back(ItemText(item));
    std::string path;
    for (auto name = names.rbegin(); name != names.rend(); ++name) path = JoinPath(path, *name);
    return path;
}

std::string TDirectoryTreeView::Directory()
{
    const HTREEITEM item = Selected();
    return item ? ItemPath(item) : std::string();
}

HTREEITEM TDirectoryTreeView::FindChild(HTREEITEM item, const std::string& name)
{
    for (HTREEITEM child = FirstChild(item); child; child = NextSibling(child))
        if (lstrcmpiA(ItemText(child).c_str(), name.c_str()) == 0) return child;
    return nullptr;
}

void TDirectoryTreeView::Expanding(HTREEITEM item)
{
    LoadChildren(item);
    TTreeView::Expanding(item);
}

void TDirectoryTreeView::LoadChildren(HTREEITEM item)
{
    if (ItemData(item) == kChildrenLoaded) return;
    SetItemData(item, kChildrenLoaded);
    const std::string folder = ItemPath(item);
    std::vector<std::string> names = SubfolderNames(folder, false);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    for (const std::string& name : names)
        AddItem(item, name, !SubfolderNames(JoinPath(folder, name), true).empty());
    if (names.empty()) SetHasChildren(item, false);
}

void TDirectoryTreeView::SetDirectory(const std::string& folder)
{
    const std::string root = PathRoot(folder);
    if (root.empty()) return;
    HTREEITEM item = Root();
    if (!item || lstrcmpiA(ItemText(item).c_str(), root.c_str()) != 0) {
        Clear();
        item = AddItem(nullptr, root, true);
    }
    // Down the folder's names, as far as they exist.
    std::size_t start = root.size();
    while (start < folder.size()) {
        std::size_t end = folder.find_first_of("\\/", start);
        if (end == std::string::npos) end = folder.size();
        if (end > start) {
            Expand(item);
            const HTREEITEM child = FindChild(item, folder.substr(start, end - start));
            if (!child) break;
            item = child;
        }
        start = end + 1;
    }
    Expand(item);  // its subfolders in view
    Select(item);
}

} // namespace fw
