#pragma once

#include "ReportView.h"

namespace report {

// A line from the top-left corner across its width (horizontal when its height
// is 0, vertical when its width is 0, diagonal when marked so). It is drawn
// with its frame's width and colour, or its own colour when it has one.
class LineView : public ReportView {
    Q_OBJECT
    Q_PROPERTY(bool diagonal MEMBER diagonal_ NOTIFY changed)
    Q_CLASSINFO("element", "TfrxLineView")
    Q_CLASSINFO("file:Diagonal", "diagonal")

public:
    explicit LineView(QObject* parent = nullptr);

    bool isDiagonal() const { return diagonal_; }

private:
    bool diagonal_ = false;
};

}  // namespace report
