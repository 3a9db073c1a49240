#pragma once

#include "ReportView.h"

namespace report {

// A rectangle, rounded rectangle, ellipse, triangle, diamond or diagonal,
// outlined with its frame's width and colour and filled with its colour.
class ShapeView : public ReportView {
    Q_OBJECT
    Q_PROPERTY(Shape shape MEMBER shape_ NOTIFY changed)
    Q_PROPERTY(int curve MEMBER curve_ NOTIFY changed)
    Q_CLASSINFO("element", "TfrxShapeView")
    Q_CLASSINFO("file:Shape", "shape")
    Q_CLASSINFO("file:Curve", "curve")

public:
    enum Shape { skRectangle, skRoundRectangle, skEllipse, skTriangle, skDiamond, skDiagonal1, skDiagonal2 };
    Q_ENUM(Shape)

    explicit ShapeView(QObject* parent = nullptr);

    Shape shape() const { return shape_; }
    int curve() const { return curve_; }

private:
    Shape shape_ = skRectangle;
    int curve_ = 2;
};

}  // namespace report
