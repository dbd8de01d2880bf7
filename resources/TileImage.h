// A paint box that draws its picture once at its top left corner, or repeats it over its
// whole area.
#pragma once

#include "platform/framework/Controls.h"
#include "platform/framework/Picture.h"

class TTileImage : public fw::TGraphicControl {
public:
    explicit TTileImage(fw::TComponent* owner);
    const fw::TClassInfo& ClassInfo() const override;
    static const fw::TClassInfo& StaticClassInfo();

    fw::TPicture& Picture() { return picture_; }
    // Copies the picture into the owned one and repaints.
    void SetPicture(const fw::TPicture& picture);
    bool TileImage() const { return tileImage_; }
    void SetTileImage(bool tile);

    void Paint(HDC dc) override;

private:
    fw::TPicture picture_;
    bool tileImage_ = false;
    bool painting_ = false;
};

void RegisterTileImage();
