#pragma once

#include "Dataset.h"

#include <map>
#include <memory>

namespace db {

// A dataset that writes its rows back to one table. Its insert, modify,
// delete and refresh statements are built by one rule from the table's
// columns in the select: the insert names every column, the modify sets
// every column (the key included) for the row whose key was `OLD_<key>`
// before the edit, and each posted row is read again so that values the
// database filled in show at once.
class EditableQuery : public Dataset {
    Q_OBJECT

public:
    explicit EditableQuery(Transaction& transaction, QObject* parent = nullptr);
    ~EditableQuery() override;

    void setTableName(const QString& table);
    QString tableName() const { return table_; }
    void setKeyField(const QString& key);
    QString keyField() const { return key_; }
    // Generator that supplies the key at post when the key is still empty.
    void setGeneratorName(const QString& generator)
    {
        generator_ = generator;
        statementChanged();
    }
    QString generatorName() const { return generator_; }

    bool canModify() const override { return true; }

    // The statements as sent to the server; known once the dataset was open.
    QString insertSql() const;
    // The modify statement for a row whose every column changed; a post sends
    // only the columns it changed (see modifyRow).
    QString modifySql() const;
    QString deleteSql() const;
    QString refreshSql() const;

protected:
    void insertRow(Row& row) override;
    void modifyRow(Row& row, const Row& original) override;
    void deleteRow(const Row& row) override;
    void assignKey(Row& row) override;
    void statementChanged() override { cache_ = WriteCache(); }

    // How the key is addressed in a where clause; a table without a key
    // column addresses its row by RDB$DB_KEY.
    void setKeyExpression(const QString& expression) { keyExpression_ = expression; }
    // Columns of the select that belong to the table and are written.
    const std::vector<int>& writtenColumns() const;

private:
    void prepareWrites();
    void refreshRow(Row& row);
    int keyIndex() const;
    Statement& statement(std::unique_ptr<Statement>& slot, const QString& sql);
    QString modifySql(const std::vector<int>& written) const;
    [[noreturn]] void rowVanished() const;

    // The written columns and the statements built from them, worked out
    // once for the statement's columns rather than at every post.
    struct WriteCache {
        const void* columnsSeen = nullptr;
        size_t columnCount = 0;
        std::vector<int> written;
        QString insertSql, refreshSql, generatorSql;
    };
    const WriteCache& cache() const;
    mutable WriteCache cache_;

    QString table_;
    QString key_;
    QString keyExpression_;
    QString generator_;
    std::unique_ptr<Statement> insert_, delete_, refresh_, generatorQuery_;
    // One prepared modify statement per set of changed columns; a window
    // changes the same few columns again and again.
    std::map<QString, std::unique_ptr<Statement>> modify_;
};

// The whole of one table, for tables without a key column (`AYARLAR`): rows
// are addressed by their RDB$DB_KEY, which a window never sees.
class TableDataset : public EditableQuery {
    Q_OBJECT

public:
    explicit TableDataset(Transaction& transaction, QObject* parent = nullptr);
    void setTableName(const QString& table);
};

}  // namespace db
