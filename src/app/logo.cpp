#include "app/logo.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace vadrel::app {

QPixmap vadrelLogo(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 100.0, size / 100.0);

    // Field: a rounded square in the green of a cadastral map's plot.
    QLinearGradient field(0, 0, 0, 100);
    field.setColorAt(0, QColor(46, 125, 90));
    field.setColorAt(1, QColor(24, 84, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(field);
    p.drawRoundedRect(QRectF(2, 2, 96, 96), 18, 18);

    // The parcel: an irregular ring, drawn as a surveyor would close it.
    const QPolygonF ring({QPointF(20, 30), QPointF(62, 18), QPointF(82, 46), QPointF(66, 82), QPointF(26, 74)});
    p.setBrush(QColor(255, 255, 255, 40));
    p.setPen(QPen(QColor(250, 250, 240), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(ring);

    // The V of the name, cut through the parcel.
    QPainterPath v;
    v.moveTo(34, 36);
    v.lineTo(50, 66);
    v.lineTo(66, 36);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 214, 102), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(v);

    // Vertices.
    p.setPen(QPen(QColor(24, 84, 60), 2));
    p.setBrush(QColor(255, 214, 102));
    for (const QPointF& pt : ring) p.drawEllipse(pt, 5, 5);
    return pixmap;
}

}  // namespace vadrel::app
