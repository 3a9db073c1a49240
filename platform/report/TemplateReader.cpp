#include "TemplateReader.h"

#include "FileAttributes.h"
#include "MemoView.h"
#include "ReportBand.h"
#include "ReportPage.h"
#include "ReportTemplate.h"
#include "TextDecoding.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace report {

namespace {

class Reader {
public:
    Reader(const QString& text, const TemplateReader::Limits& limits) : xml_(text), limits_(limits)
    {
        // Entity declarations are refused below; this is the second fence.
        xml_.setEntityExpansionLimit(1024);
    }

    LoadResult read(ReportTemplate& into);

private:
    bool fail(const QString& message);
    bool enterElement();
    bool readRoot(ReportTemplate& root);
    bool readRootChildren(ReportTemplate& root);
    bool readDatasets(ReportTemplate& root);
    bool readVariables(ReportTemplate& root);
    bool readItem(ReportItem& item);
    bool readAttributes(ReportItem& item);
    bool readChildren(ReportItem& item);
    bool readNode(XmlNode& node);

    QXmlStreamReader xml_;
    TemplateReader::Limits limits_;
    int elements_ = 0;
    int depth_ = 0;
    LoadResult result_;
};

bool Reader::fail(const QString& message)
{
    if (result_.ok)
        result_ = LoadResult::failure(message, int(xml_.lineNumber()), int(xml_.columnNumber()));
    return false;
}

bool Reader::enterElement()
{
    if (++elements_ > limits_.maxElements)
        return fail(QStringLiteral("the template has more than %1 elements").arg(limits_.maxElements));
    if (depth_ + 1 > limits_.maxDepth)
        return fail(QStringLiteral("elements are nested more than %1 levels deep").arg(limits_.maxDepth));
    if (xml_.attributes().size() > limits_.maxAttributes)
        return fail(QStringLiteral("an element has more than %1 attributes").arg(limits_.maxAttributes));
    return true;
}

LoadResult Reader::read(ReportTemplate& into)
{
    bool rootSeen = false;
    while (!xml_.atEnd()) {
        const QXmlStreamReader::TokenType token = xml_.readNext();
        if (token == QXmlStreamReader::DTD) {
            fail(QStringLiteral("document type declarations are not allowed in report templates"));
            break;
        }
        if (token == QXmlStreamReader::StartElement) {
            if (rootSeen) {
                fail(QStringLiteral("more than one root element"));
                break;
            }
            rootSeen = true;
            if (!readRoot(into))
                break;
        }
    }
    if (result_.ok && xml_.hasError())
        fail(QStringLiteral("not well-formed XML: %1").arg(xml_.errorString()));
    if (result_.ok && !rootSeen)
        fail(QStringLiteral("the file holds no report"));
    return result_;
}

bool Reader::readRoot(ReportTemplate& root)
{
    const QString name = xml_.name().toString();
    if (name.compare(QLatin1String("inherited"), Qt::CaseInsensitive) == 0) {
        const QString parent = xml_.attributes().value(QLatin1String("ParentReport")).toString();
        return fail(QStringLiteral("inherited templates are not supported (this one inherits from \"%1\")")
                        .arg(parent));
    }
    if (name != QLatin1String("TfrxReport"))
        return fail(QStringLiteral("not a report template: the root element is <%1>, not <TfrxReport>").arg(name));
    const QString dotMatrix = xml_.attributes().value(QLatin1String("DotMatrixReport")).toString();
    if (dotMatrix.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return fail(QStringLiteral("dot-matrix reports are not supported"));
    if (!enterElement())
        return false;
    ++depth_;
    root.setElementName(name);
    if (!readAttributes(root) || !readRootChildren(root))
        return false;
    --depth_;
    return true;
}

bool Reader::readRootChildren(ReportTemplate& root)
{
    int position = 0;
    int pages = 0;
    while (xml_.readNextStartElement()) {
        if (!enterElement())
            return false;
        const QString name = xml_.name().toString();
        if (name == QLatin1String("TfrxDMPPage"))
            return fail(QStringLiteral("dot-matrix pages (TfrxDMPPage) are not supported"));
        ++depth_;
        if (name == QLatin1String("Datasets")) {
            if (!readDatasets(root))
                return false;
        } else if (name == QLatin1String("Variables")) {
            if (!readVariables(root))
                return false;
        } else if (name == QLatin1String("TfrxReportPage")) {
            if (++pages > limits_.maxPages)
                return fail(QStringLiteral("the template has more than %1 pages").arg(limits_.maxPages));
            auto* page = new ReportPage(&root);
            page->setElementName(name);
            if (!readItem(*page))
                return false;
        } else {
            KeptElement kept;
            kept.position = position;
            if (!readNode(kept.node))
                return false;
            root.keptElements().append(kept);
        }
        --depth_;
        ++position;
    }
    return !xml_.hasError() || fail(QStringLiteral("not well-formed XML: %1").arg(xml_.errorString()));
}

bool Reader::readDatasets(ReportTemplate& root)
{
    while (xml_.readNextStartElement()) {
        if (!enterElement())
            return false;
        const QXmlStreamAttributes attributes = xml_.attributes();
        ReportTemplate::Dataset dataset;
        dataset.component = attributes.value(QLatin1String("DataSet")).toString();
        dataset.alias = attributes.value(QLatin1String("DataSetName")).toString();
        if (!dataset.component.isEmpty() || !dataset.alias.isEmpty())
            root.datasets().append(dataset);
        xml_.skipCurrentElement();
    }
    return !xml_.hasError() || fail(QStringLiteral("not well-formed XML: %1").arg(xml_.errorString()));
}

bool Reader::readVariables(ReportTemplate& root)
{
    while (xml_.readNextStartElement()) {
        if (!enterElement())
            return false;
        const QXmlStreamAttributes attributes = xml_.attributes();
        ReportTemplate::Variable variable;
        variable.name = attributes.value(QLatin1String("Name")).toString();
        variable.value = attributes.value(QLatin1String("Value")).toString();
        root.variables().append(variable);
        xml_.skipCurrentElement();
    }
    return !xml_.hasError() || fail(QStringLiteral("not well-formed XML: %1").arg(xml_.errorString()));
}

bool Reader::readItem(ReportItem& item)
{
    if (!readAttributes(item))
        return false;
    const QString problem = item.checkLimits();
    if (!problem.isEmpty()) {
        return fail(QStringLiteral("%1 \"%2\": %3").arg(ReportTemplate::elementOf(item), item.name(), problem));
    }
    return readChildren(item);
}

QString memoUtf8Text(const QString& value)
{
    // Older designers stored the memo's UTF-8 bytes one byte per character.
    for (QChar c : value) {
        if (c.unicode() > 0xFF)
            return value;
    }
    return decodeTolerantUtf8(value.toLatin1());
}

bool Reader::readAttributes(ReportItem& item)
{
    const QMetaObject* meta = item.metaObject();
    bool sawFont = false;
    bool sawParentFont = false;
    for (const QXmlStreamAttribute& attribute : xml_.attributes()) {
        const QString name = attribute.qualifiedName().toString();
        QString value = attribute.value().toString();
        if (name == QLatin1String("Memo.UTF8") && qobject_cast<MemoView*>(&item)) {
            static_cast<MemoView&>(item).setText(memoUtf8Text(value).replace(QLatin1String("\r\n"), QLatin1String("\n")));
            continue;
        }
        const FileAttribute* known = findFileAttribute(meta, name);
        if (known) {
            const QMetaProperty property = meta->property(meta->indexOfProperty(known->property.constData()));
            QVariant converted;
            const ParseOutcome outcome = parseAttribute(value, property, &converted);
            if (outcome == ParseOutcome::OutOfRange)
                return fail(QStringLiteral("%1=\"%2\" is out of range").arg(name, value.left(40)));
            if (outcome == ParseOutcome::Ok) {
                property.write(&item, converted);
                if (name.startsWith(QLatin1String("Font."), Qt::CaseInsensitive))
                    sawFont = true;
                if (name.compare(QLatin1String("ParentFont"), Qt::CaseInsensitive) == 0)
                    sawParentFont = true;
                continue;
            }
        }
        KeptAttribute kept;
        kept.name = name;
        kept.value = value;
        kept.quiet = value.isEmpty() || isQuietAttribute(meta, name);
        item.keptAttributes().append(kept);
    }
    // A font written in the file is the item's own unless it says otherwise.
    if (sawFont && !sawParentFont)
        item.setProperty("parentFont", false);
    return true;
}

bool Reader::readChildren(ReportItem& item)
{
    int position = 0;
    while (xml_.readNextStartElement()) {
        if (!enterElement())
            return false;
        ++depth_;
        const QString name = xml_.name().toString();
        ReportItem* child = ReportTemplate::createItem(name, nullptr);
        const bool fits = child
            && ((qobject_cast<ReportPage*>(&item) && qobject_cast<ReportBand*>(child))
                || (qobject_cast<ReportBand*>(&item) && qobject_cast<ReportView*>(child)));
        if (fits) {
            child->setParent(&item);
            child->setElementName(name);
            if (!readItem(*child))
                return false;
        } else {
            delete child;
            KeptElement kept;
            kept.position = position;
            if (!readNode(kept.node))
                return false;
            item.keptElements().append(kept);
        }
        --depth_;
        ++position;
    }
    return !xml_.hasError() || fail(QStringLiteral("not well-formed XML: %1").arg(xml_.errorString()));
}

bool Reader::readNode(XmlNode& node)
{
    node.name = xml_.qualifiedName().toString();
    for (const QXmlStreamAttribute& attribute : xml_.attributes())
        node.attributes.append({attribute.qualifiedName().toString(), attribute.value().toString()});
    while (!xml_.atEnd()) {
        const QXmlStreamReader::TokenType token = xml_.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (!enterElement())
                return false;
            ++depth_;
            XmlNode child;
            if (!readNode(child))
                return false;
            node.children.append(child);
            --depth_;
        } else if (token == QXmlStreamReader::Characters && !xml_.isWhitespace()) {
            node.text += xml_.text();
        } else if (token == QXmlStreamReader::EndElement) {
            return true;
        }
    }
    return fail(QStringLiteral("not well-formed XML: %1").arg(xml_.errorString()));
}

}  // namespace

LoadResult TemplateReader::read(const QByteArray& data, ReportTemplate& into, const Limits& limits)
{
    into.clear();
    if (data.size() > limits.maxBytes) {
        return LoadResult::failure(
            QStringLiteral("the file is larger than %1 MB").arg(limits.maxBytes / (1024 * 1024)), 1, 1);
    }
    const QString text = decodeTolerantUtf8(data);
    const qsizetype start = std::find_if(text.begin(), text.end(), [](QChar c) { return !c.isSpace(); })
        - text.begin();
    if (start >= text.size() || text[start] != u'<')
        return LoadResult::failure(QStringLiteral("the file is not an XML report template"), 1, 1);
    Reader reader(text, limits);
    const LoadResult result = reader.read(into);
    if (!result.ok)
        into.clear();
    return result;
}

LoadResult TemplateReader::readFile(const QString& path, ReportTemplate& into, const Limits& limits)
{
    into.clear();
    const QFileInfo info(path);
    if (!info.isFile())
        return LoadResult::failure(QStringLiteral("the file \"%1\" does not exist").arg(path));
    if (info.size() > limits.maxBytes) {
        return LoadResult::failure(
            QStringLiteral("the file is larger than %1 MB").arg(limits.maxBytes / (1024 * 1024)), 1, 1);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return LoadResult::failure(QStringLiteral("cannot open \"%1\": %2").arg(path, file.errorString()));
    return read(file.read(limits.maxBytes + 1), into, limits);
}

}  // namespace report
