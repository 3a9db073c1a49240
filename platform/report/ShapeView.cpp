#include "ShapeView.h"

namespace report {

ShapeView::ShapeView(QObject* parent) : ReportView(parent) {}

}  // namespace report
