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
    bool failXml();
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

// QXmlStreamReader explains itself in English only; the user gets the kind of
// fault in Turkish and the line and column of the file.
bool Reader::failXml()
{
    switch (xml_.error()) {
    case QXmlStreamReader::PrematureEndOfDocumentError:
        return fail(QStringLiteral("XML yapısı bozuk: dosya erken bitiyor"));
    case QXmlStreamReader::UnexpectedElementError:
        return fail(QStringLiteral("XML yapısı bozuk: beklenmeyen öğe"));
    case QXmlStreamReader::NotWellFormedError:
    default:
        return fail(QStringLiteral("XML yapısı bozuk: etiketler ya da işaretler kurallara uymuyor"));
    }
}

bool Reader::enterElement()
{
    if (++elements_ > limits_.maxElements)
        return fail(QStringLiteral("şablonda %1 öğeden fazla öğe var").arg(limits_.maxElements));
    if (depth_ + 1 > limits_.maxDepth)
        return fail(QStringLiteral("öğeler %1 düzeyden derin iç içe").arg(limits_.maxDepth));
    if (xml_.attributes().size() > limits_.maxAttributes)
        return fail(QStringLiteral("bir öğenin %1 özellikten fazla özelliği var").arg(limits_.maxAttributes));
    return true;
}

LoadResult Reader::read(ReportTemplate& into)
{
    bool rootSeen = false;
    while (!xml_.atEnd()) {
        const QXmlStreamReader::TokenType token = xml_.readNext();
        if (token == QXmlStreamReader::DTD) {
            fail(QStringLiteral("rapor şablonlarında belge türü bildirimine (DOCTYPE) izin verilmez"));
            break;
        }
        if (token == QXmlStreamReader::StartElement) {
            if (rootSeen) {
                fail(QStringLiteral("birden fazla kök öğe var"));
                break;
            }
            rootSeen = true;
            if (!readRoot(into))
                break;
        }
    }
    if (result_.ok && xml_.hasError())
        failXml();
    if (result_.ok && !rootSeen)
        fail(QStringLiteral("dosyada rapor yok"));
    return result_;
}

bool Reader::readRoot(ReportTemplate& root)
{
    const QString name = xml_.name().toString();
    if (name.compare(QLatin1String("inherited"), Qt::CaseInsensitive) == 0) {
        const QString parent = xml_.attributes().value(QLatin1String("ParentReport")).toString();
        return fail(QStringLiteral("kalıtımlı şablonlar desteklenmez (bu şablon \"%1\" şablonundan türüyor)")
                        .arg(parent));
    }
    if (name != QLatin1String("TfrxReport"))
        return fail(QStringLiteral("rapor şablonu değil: kök öğe <TfrxReport> değil, <%1>").arg(name));
    const QString dotMatrix = xml_.attributes().value(QLatin1String("DotMatrixReport")).toString();
    if (dotMatrix.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return fail(QStringLiteral("nokta vuruşlu yazıcı raporları desteklenmez"));
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
            return fail(QStringLiteral("nokta vuruşlu yazıcı sayfaları (TfrxDMPPage) desteklenmez"));
        ++depth_;
        if (name == QLatin1String("Datasets")) {
            if (!readDatasets(root))
                return false;
        } else if (name == QLatin1String("Variables")) {
            if (!readVariables(root))
                return false;
        } else if (name == QLatin1String("TfrxReportPage")) {
            if (++pages > limits_.maxPages)
                return fail(QStringLiteral("şablonda %1 sayfadan fazla sayfa var").arg(limits_.maxPages));
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
    return !xml_.hasError() || failXml();
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
    return !xml_.hasError() || failXml();
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
    return !xml_.hasError() || failXml();
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
                return fail(QStringLiteral("%1=\"%2\" sınırların dışında").arg(name, value.left(40)));
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
    return !xml_.hasError() || failXml();
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
    return failXml();
}

}  // namespace

LoadResult TemplateReader::read(const QByteArray& data, ReportTemplate& into, const Limits& limits)
{
    into.clear();
    if (data.size() > limits.maxBytes) {
        return LoadResult::failure(
            QStringLiteral("dosya %1 MB'tan büyük").arg(limits.maxBytes / (1024 * 1024)), 1, 1);
    }
    const QString text = decodeTolerantUtf8(data);
    const qsizetype start = std::find_if(text.begin(), text.end(), [](QChar c) { return !c.isSpace(); })
        - text.begin();
    if (start >= text.size() || text[start] != u'<')
        return LoadResult::failure(QStringLiteral("dosya bir XML rapor şablonu değil"), 1, 1);
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
        return LoadResult::failure(QStringLiteral("\"%1\" dosyası yok").arg(path));
    if (info.size() > limits.maxBytes) {
        return LoadResult::failure(
            QStringLiteral("dosya %1 MB'tan büyük").arg(limits.maxBytes / (1024 * 1024)), 1, 1);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return LoadResult::failure(QStringLiteral("\"%1\" açılamıyor: %2").arg(path, file.errorString()));
    return read(file.read(limits.maxBytes + 1), into, limits);
}

}  // namespace report
