#include "platform/framework/ComCtrls.h"

#include "platform/framework/Exception.h"

namespace fw {

namespace {
void InitTreeViewClass()
{
    static const bool done = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    if (!done) throw Exception("The tree view control is not available");
}
} // namespace

const TClassInfo& TTreeView::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TClassInfo c{"TTreeView", &TWinControl::StaticClassInfo()};
        c.Create = [](TComponent* owner) -> TComponent* { return new TTreeView(owner); };
        return c;
    }();
    return info;
}
const TClassInfo& TTreeView::ClassInfo() const { return StaticClassInfo(); }

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    SetColor(clWindow);
}

void TTreeView::CreateParams(TCreateParams& params)
{
    InitTreeViewClass();
    TWinControl::CreateParams(params);
    params.SystemClassName = WC_TREEVIEWA;
    params.Style |= TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

HTREEITEM TTreeView::AddItem(HTREEITEM parent, const std::string& text, bool hasChildren, LPARAM data)
{
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.cChildren = hasChildren ? 1 : 0;
    insert.item.lParam = data;
    const auto item = reinterpret_cast<HTREEITEM>(
        SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (!item) throw Exception(FormatMessage1("Cannot add the tree item %s", text));
    // A parent that was shown without children gets its expand button now.
    if (parent) SetHasChildren(parent, true);
    return item;
}

void TTreeView::DeleteItem(HTREEITEM item) { SendMessageA(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)); }

void TTreeView::Clear() { DeleteItem(TVI_ROOT); }

std::string TTreeView::ItemText(HTREEITEM item)
{
    char buffer[MAX_PATH + 1] = {};
    TVITEMA query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = buffer;
    query.cchTextMax = sizeof buffer;
    if (!SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return {};
    return query.pszText ? query.pszText : "";
}

LPARAM TTreeView::ItemData(HTREEITEM item)
{
    TVITEMA query{};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    return query.lParam;
}

void TTreeView::SetItemData(HTREEITEM item, LPARAM data)
{
    TVITEMA change{};
    change.mask = TVIF_PARAM;
    change.hItem = item;
    change.lParam = data;
    SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

void TTreeView::SetHasChildren(HTREEITEM item, bool hasChildren)
{
    TVITEMA change{};
    change.mask = TVIF_CHILDREN;
    change.hItem = item;
    change.cChildren = hasChildren ? 1 : 0;
    SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

HTREEITEM TTreeView::Root()
{
    return reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_ROOT, 0));
}

HTREEITEM TTreeView::ParentItem(HTREEITEM item)
{
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM TTreeView::FirstChild(HTREEITEM item)
{
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM TTreeView::NextSibling(HTREEITEM item)
{
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
}

std::vector<HTREEITEM> TTreeView::Children(HTREEITEM item)
{
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = FirstChild(item); child; child = NextSibling(child)) children.push_back(child);
    return children;
}

HTREEITEM TTreeView::Selected()
{
    return reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
}

void TTreeView::Select(HTREEITEM item)
{
    SendMessageA(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    SendMessageA(Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
}

void TTreeView::Expand(HTREEITEM item)
{
    if (Expanded(item)) return;
    // The control reports only the first expansion of an item made this way, so the handler
    // is called here and the notification that may follow is left alone.
    Expanding(item);
    const HTREEITEM previous = expanding_;
    expanding_ = item;
    SendMessageA(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    expanding_ = previous;
}

bool TTreeView::Expanded(HTREEITEM item)
{
    return (SendMessageA(Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) !=
           0;
}

void TTreeView::SortChildren(HTREEITEM item)
{
    SendMessageA(Handle(), TVM_SORTCHILDREN, FALSE, reinterpret_cast<LPARAM>(item));
}

void TTreeView::Expanding(HTREEITEM item)
{
    if (OnExpanding) OnExpanding(*this, item);
}

bool TTreeView::NotifyReflected(NMHDR& header, LRESULT& result)
{
    // The item fields sit at the same place in the narrow and the wide notification.
    auto& tree = reinterpret_cast<NMTREEVIEWA&>(header);
    switch (header.code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW:
        if ((tree.action & TVE_EXPAND) && tree.itemNew.hItem != expanding_) Expanding(tree.itemNew.hItem);
        result = FALSE;  // let it expand
        return true;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        OnChange(this);
        result = 0;
        return true;
    default:
        return false;
    }
}

} // namespace fw
