#include "ReportView.h"

namespace report {

ReportView::ReportView(QObject* parent) : ReportBox(parent) {}

}  // namespace report
