#include "resources/TileImage.h"

namespace {

// Keeps a flag set for a scope and puts its former value back on every way out.
class FlagScope {
public:
    FlagScope(bool& flag, bool value) : flag_(flag), saved_(flag) { flag_ = value; }
    ~FlagScope() { flag_ = saved_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool saved_;
};

} // namespace

const fw::TClassInfo& TTileImage::StaticClassInfo()
{
    static const fw::TClassInfo info = [] {
        fw::TClassInfo c{"TTileImage", &fw::TGraphicControl::StaticClassInfo()};
        fw::TPropertyInfo picture;
        picture.Name = "Picture";
        picture.Type = fw::TPropertyType::Object;
        picture.Get = [](const fw::TPersistent& self) {
            return fw::TPropertyValue(static_cast<fw::TPersistent*>(&const_cast<TTileImage&>(static_cast<const TTileImage&>(self)).Picture()));
        };
        c.Properties = {std::move(picture),
                        fw::Prop<bool>("TileImage", fw::TPropertyType::Boolean, &TTileImage::TileImage,
                                       &TTileImage::SetTileImage, false)};
        c.Create = [](fw::TComponent* owner) -> fw::TComponent* { return new TTileImage(owner); };
        return c;
    }();
    return info;
}
const fw::TClassInfo& TTileImage::ClassInfo() const { return StaticClassInfo(); }

TTileImage::TTileImage(fw::TComponent* owner) : fw::TGraphicControl(owner)
{
    SetBounds(Left(), Top(), 105, 105);
    picture_.OnChange = [this] {
        if (!painting_) Invalidate();
    };
}

void TTileImage::SetPicture(const fw::TPicture& picture) { picture_.Assign(picture); }

void TTileImage::SetTileImage(bool tile)
{
    if (tile == tileImage_) return;
    tileImage_ = tile;
    Invalidate();
}

void TTileImage::Paint(HDC dc)
{
    const RECT bounds = BoundsRect();
    if (InState(fw::csDesigning)) {
        const HPEN pen = CreatePen(PS_DASH, 1, RGB(0, 0, 0));
        const HGDIOBJ oldPen = SelectObject(dc, pen);
        const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
    FlagScope painting(painting_, true);
    if (!picture_.HasGraphic()) return;
    const int width = picture_.Width(), height = picture_.Height();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    if (!tileImage_) {
        picture_.Draw(dc, bounds.left, bounds.top);
    } else if (width > 0 && height > 0) {
        // An empty graphic would never advance the loop: it draws nothing.
        for (int y = 0; y < Height(); y += height)
            for (int x = 0; x < Width(); x += width) picture_.Draw(dc, bounds.left + x, bounds.top + y);
    }
    RestoreDC(dc, saved);
}

void RegisterTileImage() { fw::RegisterComponentClass(TTileImage::StaticClassInfo()); }
