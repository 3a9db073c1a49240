#include "EditableQuery.h"

#include "Error.h"

namespace db {

EditableQuery::EditableQuery(Transaction& transaction, QObject* parent) : Dataset(transaction, parent) {}

EditableQuery::~EditableQuery() = default;

void EditableQuery::setTableName(const QString& table)
{
    table_ = table.toUpper();
    statementChanged();
    insert_.reset();
    modify_.clear();
    delete_.reset();
    refresh_.reset();
}

void EditableQuery::setKeyField(const QString& key)
{
    key_ = key.toUpper();
    statementChanged();
    if (keyExpression_.isEmpty() || keyExpression_ != QLatin1String("RDB$DB_KEY"))
        keyExpression_ = key_;
    setKeyFields({key_});
}

int EditableQuery::keyIndex() const
{
    const int i = columnIndex(key_);
    if (i < 0)
        throw Error(QStringLiteral("%1: anahtar alan %2 sorguda yok.").arg(objectName(), key_));
    return i;
}

const EditableQuery::WriteCache& EditableQuery::cache() const
{
    const auto& cols = columns();
    if (cache_.columnsSeen == cols.data() && cache_.columnCount == cols.size() && !cache_.insertSql.isEmpty())
        return cache_;
    cache_ = WriteCache();
    cache_.columnsSeen = cols.data();
    cache_.columnCount = cols.size();
    std::vector<int>& out = cache_.written;
    for (size_t i = 0; i < cols.size(); ++i) {
        const ColumnInfo& c = cols[i];
        if (c.relation.compare(table_, Qt::CaseInsensitive) != 0 || c.column.isEmpty())
            continue;
        if (keyExpression_ == QLatin1String("RDB$DB_KEY") && c.name == key_)
            continue;
        out.push_back(int(i));
    }
    QStringList names, params;
    for (int i : out) {
        names << cols[size_t(i)].column;
        params << QLatin1Char(':') + cols[size_t(i)].column;
    }
    cache_.insertSql = QStringLiteral("insert into %1 (%2) values (%3)")
                           .arg(table_, names.join(QLatin1String(", ")), params.join(QLatin1String(", ")));
    if (keyExpression_ == QLatin1String("RDB$DB_KEY"))
        names << QStringLiteral("RDB$DB_KEY");
    cache_.refreshSql = QStringLiteral("Select %1 from %2 where %3 = :%4")
                            .arg(names.join(QLatin1String(", ")), table_, keyExpression_, key_);
    cache_.generatorSql = QStringLiteral("SELECT GEN_ID(%1, %2) FROM RDB$DATABASE").arg(generator_).arg(1);
    return cache_;
}

const std::vector<int>& EditableQuery::writtenColumns() const
{
    return cache().written;
}

QString EditableQuery::insertSql() const
{
    return cache().insertSql;
}

QString EditableQuery::modifySql() const
{
    return modifySql(writtenColumns());
}

QString EditableQuery::modifySql(const std::vector<int>& written) const
{
    QStringList sets;
    for (int i : written) {
        const QString& c = columns()[size_t(i)].column;
        sets << QStringLiteral("%1 = :%1").arg(c);
    }
    return QStringLiteral("update %1 set %2 where %3 = :OLD_%4")
        .arg(table_, sets.join(QLatin1String(", ")), keyExpression_, key_);
}

QString EditableQuery::deleteSql() const
{
    return QStringLiteral("delete from %1 where %2 = :OLD_%3").arg(table_, keyExpression_, key_);
}

QString EditableQuery::refreshSql() const
{
    return cache().refreshSql;
}

Statement& EditableQuery::statement(std::unique_ptr<Statement>& slot, const QString& sql)
{
    if (!slot)
        slot = std::make_unique<Statement>(transaction());
    // Same text keeps the prepared statement.
    slot->setSql(sql);
    return *slot;
}

void EditableQuery::assignKey(Row& row)
{
    if (generator_.isEmpty() || key_.isEmpty())
        return;
    const int k = keyIndex();
    if (!row.at(k).isNull())
        return;
    Statement& gen = statement(generatorQuery_, cache().generatorSql);
    const std::vector<Row> result = gen.fetchAll();
    if (result.empty())
        throw Error(QStringLiteral("%1 üreteci değer vermedi.").arg(generator_));
    row[k] = result.front().at(0);
}

void EditableQuery::insertRow(Row& row)
{
    Statement& s = statement(insert_, insertSql());
    for (int i : writtenColumns())
        s.setParam(columns()[size_t(i)].column, row.at(i));
    s.execute();
    refreshRow(row);
}

void EditableQuery::rowVanished() const
{
    throw Error(QStringLiteral("%1 tablosundaki bu kayıt başka bir kullanıcı tarafından silinmiş; değişiklik "
                               "kaydedilmedi.")
                    .arg(table_));
}

void EditableQuery::modifyRow(Row& row, const Row& original)
{
    // Only what this post changed goes back: writing every column as this
    // terminal once read it would quietly undo what another terminal has
    // committed since (a table renamed while its bill is collected here).
    std::vector<int> changed;
    for (int i : writtenColumns()) {
        if (row.at(i) != original.at(i) || row.at(i).isNull() != original.at(i).isNull())
            changed.push_back(i);
    }
    if (changed.empty())
        return;
    const QString sql = modifySql(changed);
    Statement& s = statement(modify_[sql], sql);
    for (int i : changed)
        s.setParam(columns()[size_t(i)].column, row.at(i));
    s.setParam(QStringLiteral("OLD_") + key_, original.at(keyIndex()));
    s.execute();
    if (s.rowsAffected() == 0)
        rowVanished();
    refreshRow(row);
}

void EditableQuery::deleteRow(const Row& row)
{
    Statement& s = statement(delete_, deleteSql());
    s.setParam(QStringLiteral("OLD_") + key_, row.at(keyIndex()));
    s.execute();
    if (s.rowsAffected() == 0)
        rowVanished();
}

void EditableQuery::refreshRow(Row& row)
{
    const int k = keyIndex();
    if (row.at(k).isNull())
        return;
    Statement& s = statement(refresh_, refreshSql());
    s.setParam(key_, row.at(k));
    const std::vector<Row> result = s.fetchAll();
    if (result.empty())
        return;
    const Row& fresh = result.front();
    const auto& written = writtenColumns();
    for (size_t j = 0; j < written.size() && j < size_t(fresh.size()); ++j)
        row[written[j]] = fresh.at(qsizetype(j));
}

TableDataset::TableDataset(Transaction& transaction, QObject* parent) : EditableQuery(transaction, parent)
{
    setKeyExpression(QStringLiteral("RDB$DB_KEY"));
}

void TableDataset::setTableName(const QString& table)
{
    EditableQuery::setTableName(table);
    setKeyField(QStringLiteral("DB_KEY"));
    setSql(QStringLiteral("select t.*, t.RDB$DB_KEY as DB_KEY from %1 t").arg(table.toUpper()));
}

}  // namespace db
