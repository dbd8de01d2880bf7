// File-system controls: a drop-down list of the logical drives and a tree of a drive's folders
// that loads a folder's subfolders when it is expanded, plus the folder helpers they share.
#pragma once

#include "platform/framework/ComCtrls.h"

#include <string>
#include <vector>

namespace fw {

// True when the path names an existing folder.
bool DirectoryExists(const std::string& path);
// Creates the folder and every missing parent; false when one of them cannot be made
// (GetLastError tells why).
bool ForceDirectories(const std::string& path);
// The root of a full path: "C:\" or "\\server\share\"; empty for a relative path.
std::string PathRoot(const std::string& path);
// The full form of a folder path, without a trailing backslash except after a drive root;
// a relative path is taken relative to base. Empty when the system cannot expand it.
std::string ExpandFolderPath(const std::string& path, const std::string& base);

// The logical drives, as "C:\" ..., in the list; the selected one is Drive().
class TDriveComboBox : public TWinControl {
public:
    explicit TDriveComboBox(TComponent* owner);
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    // Reads the drives again; the selected drive stays selected while it exists.
    void Refresh();
    const std::vector<std::string>& Drives() const { return drives_; }
    // The selected drive's root ("C:\"), or empty.
    std::string Drive();
    // Selects the drive of a root or a path on it; false when it is not in the list.
    bool SetDrive(const std::string& path);

    // The user picked another drive.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void CommandNotify(WORD code) override;

private:
    void FillList();
    std::vector<std::string> drives_;
    int selected_ = -1;
};

// The folders of one drive: the root item is the drive root, each item a folder whose
// subfolders are read when it is first expanded.
class TDirectoryTreeView : public TTreeView {
public:
    explicit TDirectoryTreeView(TComponent* owner);
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    // Shows the drive of the folder, expanded down to the folder and its subfolders, and
    // selects it (or the deepest of its parents that exists).
    void SetDirectory(const std::string& folder);
    // The selected folder, or empty.
    std::string Directory();
    std::string ItemPath(HTREEITEM item);
    // The child of item whose folder name is name (without regard to case), or nullptr.
    HTREEITEM FindChild(HTREEITEM item, const std::string& name);

protected:
    void Expanding(HTREEITEM item) override;

private:
    void LoadChildren(HTREEITEM item);
};

} // namespace fw
