#include "platform/qt/DialogMetrics.h"

#include <QFontMetrics>

#include "platform/qt/Text.h"

namespace lumagrove::platform::backend {

QFont DialogFont(const resources::DialogTemplate& dialog) {
    QFont font(ToQt(dialog.fontFace), dialog.fontPointSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

resources::BaseUnits DialogBaseUnits(const resources::DialogTemplate& dialog) {
    const QFontMetrics metrics(DialogFont(dialog));
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return resources::BaseUnits{(letters / 26 + 1) / 2, metrics.height()};
}

resources::PixelRect ControlGeometry(const resources::DialogTemplate& dialog, std::size_t index,
                                     resources::BaseUnits units) {
    using resources::style::AlignRight;
    using resources::style::AttachToPrevious;
    const auto isAttachedSpin = [&](std::size_t at) {
        return at < dialog.controls.size() && dialog.controls[at].kind == resources::ControlKind::UpDown &&
               dialog.controls[at].has(AttachToPrevious | AlignRight);
    };
    resources::PixelRect geometry = resources::ToPixels(dialog.controls[index].rect, units);
    // A right-aligned up-down sits on the right edge of the edit before it,
    // which gives up that much of its width.
    if (index > 0 && isAttachedSpin(index)) {
        const resources::PixelRect buddy = resources::ToPixels(dialog.controls[index - 1].rect, units);
        return resources::PixelRect{buddy.x + buddy.width - geometry.width, buddy.y, geometry.width, buddy.height};
    }
    if (isAttachedSpin(index + 1)) geometry.width -= resources::ToPixels(dialog.controls[index + 1].rect, units).width;
    return geometry;
}

}  // namespace lumagrove::platform::backend
