// The common controls the framework wraps: the tree view, over the real SysTreeView32 window.
// Its items live in the window, so every item operation creates the window first.
#pragma once

#include "platform/framework/Controls.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace fw {

class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* owner);
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    // Adds an item as the last child of parent (nullptr: a root item). hasChildren shows the
    // expand button before any child is added, for children that are loaded on expanding.
    HTREEITEM AddItem(HTREEITEM parent, const std::string& text, bool hasChildren = false, LPARAM data = 0);
    void DeleteItem(HTREEITEM item);
    void Clear();

    std::string ItemText(HTREEITEM item);
    LPARAM ItemData(HTREEITEM item);
    void SetItemData(HTREEITEM item, LPARAM data);
    void SetHasChildren(HTREEITEM item, bool hasChildren);

    HTREEITEM Root();
    HTREEITEM ParentItem(HTREEITEM item);
    HTREEITEM FirstChild(HTREEITEM item);
    HTREEITEM NextSibling(HTREEITEM item);
    std::vector<HTREEITEM> Children(HTREEITEM item);

    HTREEITEM Selected();
    void Select(HTREEITEM item);
    void Expand(HTREEITEM item);
    bool Expanded(HTREEITEM item);
    void SortChildren(HTREEITEM item);

    // An item is about to be expanded (by the user or by Expand); children may be added here.
    std::function<void(TTreeView& sender, HTREEITEM item)> OnExpanding;
    // The selection changed.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    // An item is about to expand; runs OnExpanding.
    virtual void Expanding(HTREEITEM item);
    bool NotifyReflected(NMHDR& header, LRESULT& result) override;

private:
    HTREEITEM expanding_ = nullptr;  // the item Expand is expanding
};

} // namespace fw
