#include "ui/about/about_metrics.h"

#include <initializer_list>

namespace quillbox {

TAboutBoxMetrics ScaledAboutBox(TDpiScale scale)
{
    TAboutBoxMetrics m = kAboutBoxDesign;
    for (int* size : {&m.ClientWidth, &m.ClientHeight, &m.PanelLeft, &m.PanelTop, &m.PanelWidth, &m.PanelHeight,
                      &m.IconLeft, &m.IconTop, &m.IconSize, &m.SmallIconSize, &m.ProductLeft, &m.ProductTop,
                      &m.ProductFontHeight, &m.ForHostLeft, &m.ForHostTop, &m.VersionLeft, &m.VersionTop, &m.NoteLeft,
                      &m.NoteTop, &m.LinkLeft, &m.LinkTop, &m.LinkFontHeight, &m.OkLeft, &m.OkTop, &m.OkWidth,
                      &m.OkHeight})
        *size = scale.Scale(*size);
    return m;
}

}  // namespace quillbox
