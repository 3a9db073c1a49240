#pragma once

#include "platform/ui/Form.h"

class QComboBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace report {

class DesignerDocument;
class MemoView;

// Edits a memo's text. Beside the text: the fields of the report's datasets,
// aggregates over its data bands and the system values, each inserted at the
// cursor in the form the engine evaluates ([Ds_1."FIELD"], [SUM(...)], [Date]).
class MemoEditor : public ui::Form {
    Q_OBJECT

public:
    MemoEditor(const DesignerDocument& document, const MemoView& memo, QWidget* owner = nullptr);

    QString text() const;
    void setText(const QString& text);

    QPlainTextEdit* textEdit() const { return textEdit_; }
    QTreeWidget* fieldTree() const { return fieldTree_; }
    QComboBox* aggregateBox() const { return aggregateBox_; }
    QComboBox* bandBox() const { return bandBox_; }
    QListWidget* systemList() const { return systemList_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    // The same as a double click in the lists.
    void insertField(const QString& datasetName, const QString& fieldName);
    // SUM, AVG, MIN and MAX take the field chosen in the list; COUNT only the band.
    void insertAggregate();
    void insertSystemValue(const QString& name);
    void insertExpression(const QString& expression);

private:
    void fieldActivated(QTreeWidgetItem* item);

    QPlainTextEdit* textEdit_;
    QTreeWidget* fieldTree_;
    QComboBox* aggregateBox_;
    QComboBox* bandBox_;
    QListWidget* systemList_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace report
