#include "TemplateWriter.h"

#include "FileAttributes.h"
#include "ReportError.h"
#include "ReportTemplate.h"

#include <QSaveFile>
#include <QXmlStreamWriter>

#include <functional>
#include <memory>

namespace report {

namespace {

std::unique_ptr<ReportItem> prototypeOf(const ReportItem& item)
{
    if (qobject_cast<const ReportTemplate*>(&item))
        return std::make_unique<ReportTemplate>();
    return std::unique_ptr<ReportItem>(ReportTemplate::createItem(ReportTemplate::elementOf(item), nullptr));
}

void writeAttributes(QXmlStreamWriter& xml, const ReportItem& item)
{
    const QMetaObject* meta = item.metaObject();
    const std::unique_ptr<ReportItem> prototype = prototypeOf(item);
    QList<QByteArray> written;
    QStringList names;
    for (const FileAttribute& attribute : fileAttributes(meta)) {
        // A property read under several names is written under the first.
        if (written.contains(attribute.property))
            continue;
        written.append(attribute.property);
        const QMetaProperty property = meta->property(meta->indexOfProperty(attribute.property.constData()));
        const QVariant value = property.read(&item);
        bool write;
        if (attribute.attribute.startsWith(QLatin1String("Font.")))
            write = !item.parentFont();
        else if (attribute.property == "parentFont")
            write = !item.parentFont();
        else if (attribute.alwaysWritten || !prototype)
            write = true;
        else
            write = value != property.read(prototype.get());
        if (write) {
            xml.writeAttribute(attribute.attribute, attributeText(value, property));
            names.append(attribute.attribute);
        }
    }
    // A kept value under a name written above is one that could not be read;
    // the value in use stands, as an element holds each attribute once.
    for (const KeptAttribute& kept : item.keptAttributes()) {
        if (!names.contains(kept.name))
            xml.writeAttribute(kept.name, kept.value);
    }
}

void writeNode(QXmlStreamWriter& xml, const XmlNode& node)
{
    xml.writeStartElement(node.name);
    for (const auto& attribute : node.attributes)
        xml.writeAttribute(attribute.first, attribute.second);
    if (!node.text.isEmpty())
        xml.writeCharacters(node.text);
    for (const XmlNode& child : node.children)
        writeNode(xml, child);
    xml.writeEndElement();
}

// Writes the known children in order, with the kept elements back in their places.
void writeChildren(QXmlStreamWriter& xml, const QList<KeptElement>& kept,
                   const QList<std::function<void()>>& known)
{
    int next = 0;
    int position = 0;
    QList<KeptElement> pending = kept;
    while (next < known.size() || !pending.isEmpty()) {
        bool wroteKept = false;
        for (int i = 0; i < pending.size(); ++i) {
            if (pending[i].position <= position || next >= known.size()) {
                writeNode(xml, pending[i].node);
                pending.removeAt(i);
                wroteKept = true;
                break;
            }
        }
        if (!wroteKept)
            known[next++]();
        ++position;
    }
}

void writeItem(QXmlStreamWriter& xml, const ReportItem& item)
{
    xml.writeStartElement(ReportTemplate::elementOf(item));
    writeAttributes(xml, item);
    QList<std::function<void()>> known;
    if (auto* root = qobject_cast<const ReportTemplate*>(&item)) {
        if (!root->datasets().isEmpty()) {
            known.append([&xml, root] {
                xml.writeStartElement(QStringLiteral("Datasets"));
                for (const ReportTemplate::Dataset& dataset : root->datasets()) {
                    xml.writeStartElement(QStringLiteral("item"));
                    xml.writeAttribute(QStringLiteral("DataSet"), dataset.component);
                    xml.writeAttribute(QStringLiteral("DataSetName"), dataset.alias);
                    xml.writeEndElement();
                }
                xml.writeEndElement();
            });
        }
        if (!root->variables().isEmpty()) {
            known.append([&xml, root] {
                xml.writeStartElement(QStringLiteral("Variables"));
                for (const ReportTemplate::Variable& variable : root->variables()) {
                    xml.writeStartElement(QStringLiteral("item"));
                    xml.writeAttribute(QStringLiteral("Name"), variable.name);
                    xml.writeAttribute(QStringLiteral("Value"), variable.value);
                    xml.writeEndElement();
                }
                xml.writeEndElement();
            });
        }
    }
    for (const ReportItem* child : item.items())
        known.append([&xml, child] { writeItem(xml, *child); });
    writeChildren(xml, item.keptElements(), known);
    xml.writeEndElement();
}

}  // namespace

QByteArray TemplateWriter::write(const ReportTemplate& report)
{
    QByteArray body;
    QXmlStreamWriter xml(&body);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    writeItem(xml, report);
    // The declaration as designers write it, lower-case "utf-8".
    return QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n") + body.trimmed() + '\n';
}

void TemplateWriter::writeFile(const ReportTemplate& report, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ReportError(QStringLiteral("\"%1\" yazılamıyor: %2").arg(path, file.errorString()));
    file.write(write(report));
    if (!file.commit())
        throw ReportError(QStringLiteral("\"%1\" yazılamıyor: %2").arg(path, file.errorString()));
}

}  // namespace report
