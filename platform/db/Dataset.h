#pragma once

#include "Field.h"
#include "Statement.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

namespace db {

class DataSource;
class Transaction;

enum class DatasetState { Inactive, Browse, Edit, Insert };

// The rows of a select, held in memory, with a current row and the editing
// states of a classic data-aware dataset. This base class is read-only;
// EditableQuery adds the write statements.
//
// Every select runs in the given transaction. All rows are read when the
// dataset opens, so no cursor stays open across commits.
class Dataset : public QObject {
    Q_OBJECT

public:
    explicit Dataset(Transaction& transaction, QObject* parent = nullptr);
    ~Dataset() override;

    Transaction& transaction() const { return transaction_; }

    void setSql(const QString& sql);
    QString sql() const { return statement_.sql(); }

    QStringList paramNames() { return statement_.paramNames(); }
    void setParam(const QString& name, const QVariant& value);
    QVariant param(const QString& name) const { return statement_.param(name); }

    // Parameters whose names match fields of the master's current row take
    // those values; the dataset is re-read whenever the master opens, moves,
    // or changes its rows.
    void setMasterSource(DataSource* source);
    DataSource* masterSource() const;

    // The columns that identify a row; used to come back to the same row
    // after the rows were read again.
    void setKeyFields(const QStringList& names) { keyFields_ = names; }
    QStringList keyFields() const { return keyFields_; }

    void open();
    void close();
    bool active() const { return state_ != DatasetState::Inactive; }
    DatasetState state() const { return state_; }
    bool isEditing() const { return state_ == DatasetState::Edit || state_ == DatasetState::Insert; }
    // Any field of the pending row changed.
    bool modified() const { return modified_; }

    // Reads the rows again in the current transaction and stays on the row
    // with the same key when it is still there.
    void refresh();

    int recordCount() const { return int(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    int recNo() const { return current_; }
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int row);
    // Searches from the first row for an exact, case-sensitive match and
    // makes it current; on a miss the current row stays.
    bool locate(const QString& fieldName, const QVariant& value);

    const std::vector<Field*>& fields() const { return fieldList_; }
    Field* findField(const QString& name) const;
    // Raises db::Error when there is no such field.
    Field* fieldByName(const QString& name) const;
    // Fields are created when the dataset first opens; this lets a window set
    // display formats and labels before that.
    void setFieldDisplayFormat(const QString& name, const QString& format);
    void setFieldDisplayLabel(const QString& name, const QString& label);

    // Direct row access for grids.
    QVariant value(int row, int column) const { return rows_[size_t(row)].at(column); }
    const Row& row(int index) const { return rows_[size_t(index)]; }

    virtual bool canModify() const { return false; }
    void insert();
    void append();
    void edit();
    void post();
    void cancel();
    void deleteRecord();

    // Posts the pending row when something was typed into it, drops it
    // otherwise; details first.
    void finishPending();

    // Called every few thousand rows while a large select is read, so a
    // window can show progress; returns nothing and must not touch the
    // dataset.
    void setFetchProgress(std::function<void(int rowsRead)> progress) { fetchProgress_ = std::move(progress); }

    // Handlers of the data module. Each gets the dataset it belongs to.
    using Handler = std::function<void(Dataset&)>;
    Handler beforeOpen, afterOpen, beforeClose, afterClose;
    Handler beforeInsert, afterInsert, beforeEdit, afterEdit;
    Handler beforePost, afterPost, beforeCancel, afterCancel;
    Handler beforeDelete, afterDelete, afterScroll;

    // Used by Field.
    QVariant currentValue(int column) const;
    void setCurrentValue(Field* field, const QVariant& value);

signals:
    void stateChanged();
    // The whole row set was replaced (open, close, re-read).
    void rowsReset();
    void rowInserted(int row);
    void rowRemoved(int row);
    void rowUpdated(int row);
    void currentChanged(int row);
    void fieldChanged(db::Field* field);

protected:
    // Write hooks of editable datasets; the base refuses.
    virtual void insertRow(Row& row);
    virtual void modifyRow(Row& row, const Row& original);
    virtual void deleteRow(const Row& row);
    // Called before the insert statement; may fill the key.
    virtual void assignKey(Row& row);
    // The select statement was replaced: what was built from its columns is stale.
    virtual void statementChanged() {}

    Statement& selectStatement() { return statement_; }
    const std::vector<ColumnInfo>& columns() const { return columns_; }
    int columnIndex(const QString& name) const;

private:
    void fire(const Handler& handler);
    void requireActive() const;
    void requireRows() const;
    void readRows();
    void setParamsFromMaster();
    void syncFields();
    void setState(DatasetState state);
    void checkBrowseMode();
    void finishPendingDetails();
    void masterChanged();
    void scrollTo(int row);
    void startNewRow(int position);
    void startInsert(bool atEnd);
    int findRowByKey(const Row& keyRow) const;

    Transaction& transaction_;
    Statement statement_;
    std::vector<ColumnInfo> columns_;
    std::vector<Row> rows_;
    std::vector<std::unique_ptr<Field>> ownedFields_;
    std::vector<Field*> fieldList_;
    QHash<QString, QString> pendingFormats_;
    QHash<QString, QString> pendingLabels_;
    QStringList keyFields_;

    std::function<void(int)> fetchProgress_;
    // Either may go before this dataset does (the data module deletes its
    // objects in creation order): the source is watched, and the master is
    // the dataset whose details_ lists this one, whatever its source names now.
    QPointer<DataSource> masterSource_;
    QPointer<Dataset> master_;
    std::vector<Dataset*> details_;

    DatasetState state_ = DatasetState::Inactive;
    int current_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    bool modified_ = false;
    Row originalRow_;  // the row as it was before edit, for cancel and OLD_ keys
};

}  // namespace db
