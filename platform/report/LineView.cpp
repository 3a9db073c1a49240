#include "LineView.h"

namespace report {

LineView::LineView(QObject* parent) : ReportView(parent) {}

}  // namespace report
