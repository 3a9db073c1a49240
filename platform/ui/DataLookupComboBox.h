#pragma once

#include "DataControl.h"

#include <QComboBox>
#include <QPointer>

namespace ui {

// A drop-down list whose choices are the rows of another data source: it
// shows the list field of each row and writes the chosen row's key field
// into the bound field. The list dataset's current row is never moved.
class DataLookupComboBox : public QComboBox, public DataControl {
    Q_OBJECT

public:
    explicit DataLookupComboBox(QWidget* parent = nullptr);

    // An empty key field means the list field is the key.
    void setListSource(db::DataSource* source, const QString& listField, const QString& keyField = {});
    db::DataSource* listSource() const;

    // Reads the choices again (the list dataset announces its changes, so
    // windows rarely need this).
    void reloadChoices();

private:
    void attachList();
    void fill();
    void userChose(int index);

    QPointer<db::DataSource> listSource_;
    QString listField_;
    QString keyField_;
    QMetaObject::Connection sourceConnection_;
    QList<QMetaObject::Connection> listConnections_;
    bool reloading_ = false;
};

}  // namespace ui
