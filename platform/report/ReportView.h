#pragma once

#include "ReportItem.h"

namespace report {

// An object placed on a band: memo, line, shape or picture.
// DataSet and DataField are the designer's hints for a memo; a picture reads
// its image from that field when it has one.
class ReportView : public ReportBox {
    Q_OBJECT
    Q_PROPERTY(QString dataSet MEMBER dataSet_ NOTIFY changed)
    Q_PROPERTY(QString dataSetName MEMBER dataSetName_ NOTIFY changed)
    Q_PROPERTY(QString dataField MEMBER dataField_ NOTIFY changed)
    Q_CLASSINFO("file:DataSet", "dataSet")
    Q_CLASSINFO("file:DataSetName", "dataSetName")
    Q_CLASSINFO("file:DataField", "dataField")

public:
    explicit ReportView(QObject* parent = nullptr);

    QString dataSet() const { return dataSet_; }
    QString dataSetName() const { return dataSetName_; }
    QString dataField() const { return dataField_; }

private:
    QString dataSet_;
    QString dataSetName_;
    QString dataField_;
};

}  // namespace report
