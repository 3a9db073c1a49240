#include "GridLayout.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace ui {

namespace {

const QString formatName = QStringLiteral("tavlora-grid-layout");
constexpr int formatVersion = 1;
// A layout is a few kilobytes; anything far bigger is not one.
constexpr qint64 largestFile = 1 << 20;
constexpr int widestColumn = 10000;

QHash<QString, QString> textsByField(const QJsonValue& value)
{
    QHash<QString, QString> texts;
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.value().isString() && !it.key().isEmpty())
            texts.insert(it.key(), it.value().toString());
    }
    return texts;
}

}  // namespace

FileError::FileError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}

GridLayout loadGridLayout(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("\"%1\" dosyası açılamadı: %2").arg(path, file.errorString()));
    const auto damaged = [&] { return FileError(QStringLiteral("\"%1\" geçerli bir düzen dosyası değil.").arg(path)); };
    if (file.size() > largestFile)
        throw damaged();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        throw damaged();
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != formatName ||
        root.value(QStringLiteral("version")).toInt() != formatVersion)
        throw damaged();

    GridLayout layout;
    for (const QJsonValue& entry : root.value(QStringLiteral("columns")).toArray()) {
        const QJsonObject c = entry.toObject();
        const QString field = c.value(QStringLiteral("field")).toString();
        if (field.isEmpty())
            continue;
        GridLayoutColumn column(field);
        const QJsonValue width = c.value(QStringLiteral("width"));
        if (width.isDouble() && width.toDouble() >= 1 && width.toDouble() <= widestColumn)
            column.width = int(width.toDouble());
        const QJsonValue visible = c.value(QStringLiteral("visible"));
        if (visible.isBool())
            column.visible = visible.toBool();
        layout.columns.append(column);
    }
    const QJsonValue sort = root.value(QStringLiteral("sort"));
    if (sort.isNull()) {
        layout.sortField = QString();
    } else if (sort.isObject()) {
        const QString field = sort.toObject().value(QStringLiteral("field")).toString();
        const QString order = sort.toObject().value(QStringLiteral("order")).toString();
        if (!field.isEmpty() && (order == QLatin1String("ascending") || order == QLatin1String("descending"))) {
            layout.sortField = field;
            layout.sortDescending = order == QLatin1String("descending");
        }
    }
    layout.filters = textsByField(root.value(QStringLiteral("filter")));
    layout.footerSums = textsByField(root.value(QStringLiteral("footer")));
    return layout;
}

std::optional<GridLayout> readGridLayout(const QString& path)
{
    try {
        return loadGridLayout(path);
    } catch (const FileError&) {
        return std::nullopt;
    }
}

void writeGridLayout(const QString& path, const GridLayout& layout)
{
    QJsonArray columns;
    for (const GridLayoutColumn& c : layout.columns) {
        QJsonObject column{{QStringLiteral("field"), c.field}};
        if (c.width > 0)
            column.insert(QStringLiteral("width"), c.width);
        if (c.visible)
            column.insert(QStringLiteral("visible"), *c.visible);
        columns.append(column);
    }
    QJsonObject root{{QStringLiteral("format"), formatName},
                     {QStringLiteral("version"), formatVersion},
                     {QStringLiteral("columns"), columns}};
    if (layout.sortField) {
        if (layout.sortField->isEmpty())
            root.insert(QStringLiteral("sort"), QJsonValue::Null);
        else
            root.insert(QStringLiteral("sort"),
                        QJsonObject{{QStringLiteral("field"), *layout.sortField},
                                    {QStringLiteral("order"), layout.sortDescending ? QStringLiteral("descending")
                                                                                    : QStringLiteral("ascending")}});
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw FileError(QStringLiteral("\"%1\" dosyası oluşturulamadı: %2").arg(path, file.errorString()));
    }
    file.write(QJsonDocument(root).toJson(QJsonDocument::Indented));
    if (!file.commit())
        throw FileError(QStringLiteral("\"%1\" dosyası yazılamadı: %2").arg(path, file.errorString()));
}

}  // namespace ui
