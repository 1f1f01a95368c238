#include "media/letterbox.h"

namespace tovalin::letterbox {

QRect movieBox(QSize client, QSize natural)
{
    const qint64 W = client.width();
    const qint64 H = client.height();
    const qint64 w = natural.width();
    const qint64 h = natural.height();
    if (w <= 0 || h <= 0 || W <= 0 || H <= 0)
        return QRect(QPoint(0, 0), client);
    if (H * w < W * h) {
        const qint64 e = H * w / h;
        const qint64 bar = (W + 1 - e) / 2;
        return QRect(int(bar), 0, int(e), int(H));
    }
    const qint64 e = W * h / w;
    const qint64 bar = (H + 1 - e) / 2;
    return QRect(0, int(bar), int(W), int(e));
}

QPoint centred(QSize page, QSize frame)
{
    // Integer division truncates towards zero, as Trunc does for a page smaller than the frame.
    return QPoint((page.width() - frame.width()) / 2, (page.height() - frame.height()) / 2);
}

} // namespace tovalin::letterbox
