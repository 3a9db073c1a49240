#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>

class QLabel;
class QWidget;

namespace db {
class DataSource;
class Dataset;
class Field;
}  // namespace db

namespace ui {

// Binds one control to a field of the dataset behind a data source. It
// follows the data source to its dataset, and the dataset through opening,
// closing, moving and editing, and has the control fill itself again each
// time; it writes the user's input into the field.
class FieldLink : public QObject {
    Q_OBJECT

public:
    FieldLink(QWidget* control, std::function<void()> fill);

    void bind(db::DataSource* source, const QString& fieldName);
    db::DataSource* dataSource() const;
    QString fieldName() const { return fieldName_; }

    db::Dataset* dataset() const;
    // The bound field while its dataset is open; nullptr otherwise.
    db::Field* field() const;
    // The dataset stands on a row (or a row being inserted).
    bool hasRow() const;
    // The user may change the field through the control.
    bool canModify() const;

    // Puts the dataset into edit and writes the value. A value the field
    // refuses is shown in the error box and the control shows the dataset's
    // value again. Returns whether the value was written.
    bool write(const QVariant& value);
    // The same without the error box and without refilling the control: for
    // text written key by key, whose intermediate states may not convert.
    bool tryWrite(const QVariant& value);

    // True while the control is being filled from the dataset, so that its
    // change signals are not taken for the user's input.
    bool filling() const { return filling_; }
    // Fills the control from the dataset now.
    void refresh();

private:
    void attach();
    void writeValue(const QVariant& value);

    QWidget* control_;
    std::function<void()> fill_;
    QPointer<db::DataSource> source_;
    QPointer<db::Dataset> dataset_;
    QString fieldName_;
    QMetaObject::Connection sourceConnection_;
    QList<QMetaObject::Connection> datasetConnections_;
    bool filling_ = false;
    bool writing_ = false;
};

// What every data-aware control offers: its binding.
class DataControl {
public:
    void bind(db::DataSource* source, const QString& fieldName) { link_->bind(source, fieldName); }
    db::DataSource* dataSource() const { return link_->dataSource(); }
    QString fieldName() const { return link_->fieldName(); }
    db::Field* field() const { return link_->field(); }
    FieldLink& link() const { return *link_; }

protected:
    DataControl(QWidget* self, std::function<void()> fill) : link_(new FieldLink(self, std::move(fill))) {}
    // The link goes first: the control's own members are gone before the
    // widget and its children are.
    ~DataControl() { delete link_; }

private:
    FieldLink* link_;  // a child of the control
};

// A caption as a screen reader says it: without the access-key marks.
QString plainCaption(const QString& caption);

// Makes the label the control's caption: its access key focuses the control
// and its text becomes the control's accessible name.
void labelControl(QLabel* label, QWidget* control);

}  // namespace ui
