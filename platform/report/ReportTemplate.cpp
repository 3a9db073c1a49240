#include "ReportTemplate.h"

#include "LineView.h"
#include "MemoView.h"
#include "PictureView.h"
#include "ReportBand.h"
#include "ReportPage.h"
#include "ShapeView.h"

#include <QMetaClassInfo>
#include <QRegularExpression>

namespace report {

ReportTemplate::ReportTemplate(QObject* parent) : ReportItem(parent) {}

bool ReportTemplate::hasScript() const
{
    QString code = scriptText_.simplified().toLower();
    code.remove(QLatin1Char(' '));
    return !code.isEmpty() && code != QLatin1String("beginend.");
}

QList<ReportPage*> ReportTemplate::pages() const
{
    QList<ReportPage*> result;
    for (ReportItem* item : items()) {
        if (auto* page = qobject_cast<ReportPage*>(item))
            result.append(page);
    }
    return result;
}

void ReportTemplate::clear()
{
    for (ReportItem* item : items())
        delete item;
    keptAttributes().clear();
    keptElements().clear();
    setElementName({});
    setObjectName({});
    version_.clear();
    scriptLanguage_ = QStringLiteral("PascalScript");
    scriptText_.clear();
    datasets_.clear();
    variables_.clear();
    emit changed();
}

namespace {

QString describe(const ReportItem& item)
{
    const QString element = ReportTemplate::elementOf(item);
    return item.name().isEmpty() ? element : QStringLiteral("%1 \"%2\"").arg(element, item.name());
}

void listItem(const ReportItem& item, QStringList& out)
{
    for (const KeptAttribute& attribute : item.keptAttributes()) {
        if (!attribute.quiet)
            out.append(QStringLiteral("%1: özellik %2=\"%3\"")
                           .arg(describe(item), attribute.name, attribute.value.left(60)));
    }
    for (const KeptElement& element : item.keptElements()) {
        QString name;
        for (const auto& attribute : element.node.attributes) {
            if (attribute.first == QLatin1String("Name"))
                name = attribute.second;
        }
        out.append(QStringLiteral("%1: öğe %2%3")
                       .arg(describe(item), element.node.name,
                            name.isEmpty() ? QString() : QStringLiteral(" \"%1\"").arg(name)));
    }
    for (const ReportItem* child : item.items())
        listItem(*child, out);
}

}  // namespace

QStringList ReportTemplate::notUnderstood() const
{
    QStringList out;
    if (hasScript())
        out.append(QStringLiteral("betik kodu (%1) çalıştırılmaz").arg(scriptLanguage_));
    listItem(*this, out);
    return out;
}

ReportItem* ReportTemplate::createItem(const QString& element, QObject* parent)
{
    ReportBand::Kind kind;
    if (ReportBand::kindForElement(element, &kind))
        return new ReportBand(kind, parent);
    if (element == QLatin1String("TfrxReportPage"))
        return new ReportPage(parent);
    if (element == QLatin1String("TfrxMemoView") || element == QLatin1String("TfrxSysMemoView"))
        return new MemoView(parent);
    if (element == QLatin1String("TfrxLineView"))
        return new LineView(parent);
    if (element == QLatin1String("TfrxShapeView"))
        return new ShapeView(parent);
    if (element == QLatin1String("TfrxPictureView"))
        return new PictureView(parent);
    return nullptr;
}

QString ReportTemplate::elementOf(const ReportItem& item)
{
    if (!item.elementName().isEmpty())
        return item.elementName();
    if (auto* band = qobject_cast<const ReportBand*>(&item))
        return ReportBand::elementForKind(band->kind());
    const QMetaObject* meta = item.metaObject();
    const int index = meta->indexOfClassInfo("element");
    return index >= 0 ? QString::fromLatin1(meta->classInfo(index).value()) : QString();
}

}  // namespace report
