#pragma once
// A left press on a block as its item reports it to the workspace's current
// input tool, for tests that draw without sending mouse events to a view.

#include "SKEMBlok.h"

#include <QGraphicsSceneMouseEvent>

inline void PritisniBlok(TSKEMBlok* b) {
    QGraphicsSceneMouseEvent e(QEvent::GraphicsSceneMousePress);
    e.setButton(Qt::LeftButton);
    b->OnPritisnut(b, &e);
}
