#include "DesignerDocument.h"

#include "BandLayout.h"
#include "DesignerCommands.h"

#include "platform/report/LineView.h"
#include "platform/report/MemoView.h"
#include "platform/report/PictureView.h"
#include "platform/report/Report.h"
#include "platform/report/ReportDataset.h"
#include "platform/report/ReportPage.h"
#include "platform/report/ReportTemplate.h"
#include "platform/report/ShapeView.h"

#include <QMetaProperty>

#include <cmath>

namespace report {

namespace {

// Merge ids: runs of arrow keys fold into one step each.
enum MergeId { MoveRun = 1, ResizeRun = 2, BandHeightRun = 3 };

PropertyChange change(QObject* target, const QByteArray& property, const QVariant& after)
{
    return {target, property, target->property(property.constData()), after};
}

bool sameValue(const QVariant& a, const QVariant& b)
{
    if (a.typeId() == QMetaType::Double || b.typeId() == QMetaType::Double)
        return std::abs(a.toDouble() - b.toDouble()) < 1e-9;
    if (a.metaType() != b.metaType() && a.canConvert<int>() && b.canConvert<int>()
        && (a.metaType().flags() & QMetaType::IsEnumeration || b.metaType().flags() & QMetaType::IsEnumeration))
        return a.toInt() == b.toInt();
    return a == b;
}

// Drops writes that change nothing.
QList<PropertyChange> effective(const QList<PropertyChange>& changes)
{
    QList<PropertyChange> out;
    for (const PropertyChange& c : changes) {
        if (!sameValue(c.before, c.after))
            out.append(c);
    }
    return out;
}

struct PaperFormat {
    int code;
    double width;
    double height;
};

// The Windows paper codes templates use for the sizes a cafe prints on.
constexpr PaperFormat paperFormats[] = {
    {9, 210, 297}, {8, 297, 420}, {11, 148, 210}, {1, 215.9, 279.4}, {5, 215.9, 355.6}};

}  // namespace

DesignerDocument::DesignerDocument(Report& report, QObject* parent) : QObject(parent), report_(report) {}

DesignerDocument::~DesignerDocument()
{
    // Removed items die with the commands that hold them, before the template.
    undoStack_.clear();
}

ReportTemplate& DesignerDocument::reportTemplate() const
{
    return report_.reportTemplate();
}

QList<ReportPage*> DesignerDocument::pages() const
{
    return reportTemplate().pages();
}

ReportPage* DesignerDocument::page() const
{
    const QList<ReportPage*> all = pages();
    if (all.isEmpty())
        return nullptr;
    return all.value(std::clamp(pageIndex_, 0, int(all.size()) - 1));
}

void DesignerDocument::setCurrentPage(int index)
{
    if (index == pageIndex_ || index < 0 || index >= pages().size())
        return;
    pageIndex_ = index;
    selection_.clear();
    emit currentPageChanged();
    emit selectionChanged();
}

// ---- selection ------------------------------------------------------------------

QList<ReportItem*> DesignerDocument::selection() const
{
    QList<ReportItem*> items;
    for (const QPointer<ReportItem>& item : selection_) {
        if (item)
            items.append(item);
    }
    return items;
}

void DesignerDocument::setSelection(const QList<ReportItem*>& items)
{
    QList<QPointer<ReportItem>> next;
    for (ReportItem* item : items) {
        if (item && isOnCurrentPage(item) && !next.contains(item))
            next.append(item);
    }
    if (next == selection_)
        return;
    selection_ = next;
    emit selectionChanged();
}

void DesignerDocument::toggleSelected(ReportItem* item)
{
    QList<ReportItem*> items = selection();
    if (items.contains(item))
        items.removeAll(item);
    else
        items.append(item);
    setSelection(items);
}

bool DesignerDocument::isSelected(const ReportItem* item) const
{
    for (const QPointer<ReportItem>& selected : selection_) {
        if (selected == item)
            return true;
    }
    return false;
}

ReportItem* DesignerDocument::selectedItem() const
{
    const QList<ReportItem*> items = selection();
    return items.size() == 1 ? items.first() : nullptr;
}

QList<ReportView*> DesignerDocument::selectedViews() const
{
    QList<ReportView*> views;
    for (ReportItem* item : selection()) {
        if (auto* view = qobject_cast<ReportView*>(item))
            views.append(view);
    }
    return views;
}

QList<ReportBand*> DesignerDocument::selectedBands() const
{
    QList<ReportBand*> bands;
    for (ReportItem* item : selection()) {
        if (auto* band = qobject_cast<ReportBand*>(item))
            bands.append(band);
    }
    return bands;
}

bool DesignerDocument::isOnCurrentPage(const ReportItem* item) const
{
    const ReportPage* current = page();
    for (const ReportItem* at = item; at; at = at->parentItem()) {
        if (at == current)
            return item != current;
    }
    return false;
}

void DesignerDocument::dropStaleSelection()
{
    const QList<QPointer<ReportItem>> before = selection_;
    selection_.removeIf([this](const QPointer<ReportItem>& item) { return !item || !isOnCurrentPage(item); });
    if (selection_ != before)
        emit selectionChanged();
}

ReportBand* DesignerDocument::bandOf(const ReportItem* item) const
{
    return item ? qobject_cast<ReportBand*>(item->parentItem()) : nullptr;
}

// ---- layout ---------------------------------------------------------------------

QList<ReportBand*> DesignerDocument::orderedBands() const
{
    const ReportPage* current = page();
    return current ? band_layout::ordered(*current) : QList<ReportBand*>();
}

double DesignerDocument::bandTop(const ReportBand* band) const
{
    auto* bandPage = qobject_cast<ReportPage*>(band->parentItem());
    if (!bandPage)
        return 0;
    const QList<ReportBand*> order = band_layout::ordered(*bandPage);
    const QList<double> tops = band_layout::stackedTops(order);
    const int at = int(order.indexOf(const_cast<ReportBand*>(band)));
    return at >= 0 ? tops[at] : 0;
}

QList<ReportBand*> DesignerDocument::dataBands() const
{
    QList<ReportBand*> bands;
    for (ReportPage* each : pages()) {
        for (ReportBand* band : band_layout::ordered(*each)) {
            if (band->isDataBand())
                bands.append(band);
        }
    }
    return bands;
}

QStringList DesignerDocument::datasetNames() const
{
    QStringList names = report_.datasetNames();
    for (const ReportTemplate::Dataset& dataset : reportTemplate().datasets()) {
        if (!dataset.alias.isEmpty() && !names.contains(dataset.alias, Qt::CaseInsensitive))
            names.append(dataset.alias);
    }
    return names;
}

QStringList DesignerDocument::fieldNames(const QString& datasetName) const
{
    ReportDataset* dataset = report_.dataset(datasetName);
    if (!dataset)
        return {};
    // A dataset that cannot describe itself right now only leaves its list empty.
    try {
        return dataset->fieldNames();
    } catch (...) {
        return {};
    }
}

QList<PropertyChange> DesignerDocument::restack(const QList<ReportBand*>& order, ReportBand* resized,
                                               double height) const
{
    QList<PropertyChange> changes;
    double y = 0;
    for (ReportBand* band : order) {
        y += band_layout::CaptionHeight;
        changes.append(change(band, "top", y));
        const double h = band == resized ? height : band->height();
        if (band == resized)
            changes.append(change(band, "height", h));
        y += std::max(0.0, h);
    }
    return changes;
}

// ---- edits ----------------------------------------------------------------------

void DesignerDocument::push(QUndoCommand* command)
{
    undoStack_.push(command);
    dropStaleSelection();
    emit changed();
}

void DesignerDocument::undo()
{
    if (!undoStack_.canUndo())
        return;
    undoStack_.undo();
    dropStaleSelection();
    emit changed();
}

void DesignerDocument::redo()
{
    if (!undoStack_.canRedo())
        return;
    undoStack_.redo();
    dropStaleSelection();
    emit changed();
}

void DesignerDocument::clearHistory()
{
    selection_.clear();
    undoStack_.clear();
}

ReportBand* DesignerDocument::addBand(ReportBand::Kind kind)
{
    ReportPage* current = page();
    if (!current)
        return nullptr;
    QList<ReportBand*> order = orderedBands();
    const QList<ReportBand*> selected = selectedBands();
    const int index = band_layout::insertionIndex(order, kind, selected.size() == 1 ? selected.first() : nullptr);

    auto* band = new ReportBand(kind);
    band->setElementName(ReportBand::elementForKind(kind));
    const QString base = ReportBand::elementForKind(kind).mid(4);
    band->setObjectName(band_layout::uniqueName(reportTemplate(), base));
    band->setGeometry(0, 0, band_layout::printableWidth(*current), band_layout::NewBandHeight);
    if (band->isDataBand()) {
        // Bound to the first name no data band uses yet, as a start.
        const QStringList names = datasetNames();
        QString name = names.value(0);
        for (const QString& candidate : names) {
            bool used = false;
            for (ReportBand* other : dataBands())
                used = used || other->dataSetName().compare(candidate, Qt::CaseInsensitive) == 0;
            if (!used) {
                name = candidate;
                break;
            }
        }
        band->setProperty("dataSetName", name);
    }

    auto* command = new QUndoCommand(QStringLiteral("Bant Ekle"));
    new InsertItemCommand(QString(), band, current, int(current->items().size()), command);
    order.insert(index, band);
    new ChangePropertiesCommand(QString(), restack(order), -1, command);
    if (kind == ReportBand::Child && selected.size() == 1)
        new ChangePropertiesCommand(QString(), {change(selected.first(), "child", band->name())}, -1, command);
    push(command);
    select(band);
    return band;
}

ReportView* DesignerDocument::addView(ViewKind kind, ReportBand* band, const QPointF& at)
{
    if (!band || !isOnCurrentPage(band))
        return nullptr;
    ReportView* view = nullptr;
    QString base;
    QSizeF size;
    switch (kind) {
    case ViewKind::Memo:
        view = new MemoView;
        base = QStringLiteral("Memo");
        size = {100, 20};
        break;
    case ViewKind::Line:
        view = new LineView;
        base = QStringLiteral("Line");
        size = {100, 0};
        break;
    case ViewKind::Shape:
        view = new ShapeView;
        base = QStringLiteral("Shape");
        size = {64, 40};
        break;
    case ViewKind::Picture:
        view = new PictureView;
        base = QStringLiteral("Picture");
        size = {64, 64};
        break;
    }
    view->setObjectName(band_layout::uniqueName(reportTemplate(), base));
    view->setGeometry(band_layout::snapped(at.x()), band_layout::snapped(at.y()), size.width(), size.height());
    push(new InsertItemCommand(QStringLiteral("Nesne Ekle"), view, band, int(band->items().size())));
    select(view);
    return view;
}

void DesignerDocument::deleteSelection()
{
    const QList<ReportItem*> items = selection();
    if (items.isEmpty())
        return;
    QList<ReportBand*> removedBands;
    for (ReportItem* item : items) {
        if (auto* band = qobject_cast<ReportBand*>(item))
            removedBands.append(band);
    }
    auto* command = new QUndoCommand(QStringLiteral("Sil"));
    for (ReportItem* item : items) {
        // Objects of a band that goes go with it.
        if (removedBands.contains(bandOf(item)))
            continue;
        new RemoveItemCommand(QString(), item, command);
    }
    if (!removedBands.isEmpty()) {
        QList<ReportBand*> order = orderedBands();
        for (ReportBand* band : removedBands)
            order.removeAll(band);
        new ChangePropertiesCommand(QString(), restack(order), -1, command);
        // A band that named a removed band as its child no longer does.
        for (ReportBand* band : order) {
            for (ReportBand* removed : removedBands) {
                if (!band->childName().isEmpty() && band->childName() == removed->name())
                    new ChangePropertiesCommand(QString(), {change(band, "child", QString())}, -1, command);
            }
        }
    }
    setSelection({});
    push(command);
}

void DesignerDocument::moveSelection(double dx, double dy)
{
    QList<PropertyChange> changes;
    for (ReportView* view : selectedViews()) {
        changes.append(change(view, "left", view->left() + dx));
        changes.append(change(view, "top", view->top() + dy));
    }
    if (!changes.isEmpty())
        push(new ChangePropertiesCommand(QStringLiteral("Taşı"), changes, MoveRun));
}

void DesignerDocument::resizeSelection(double dw, double dh)
{
    QList<PropertyChange> changes;
    for (ReportView* view : selectedViews()) {
        changes.append(change(view, "width", std::max(0.0, view->width() + dw)));
        changes.append(change(view, "height", std::max(0.0, view->height() + dh)));
    }
    if (!changes.isEmpty()) {
        push(new ChangePropertiesCommand(QStringLiteral("Boyutlandır"), changes, ResizeRun));
        return;
    }
    const QList<ReportBand*> bands = selectedBands();
    if (bands.size() == 1 && dh != 0) {
        ReportBand* band = bands.first();
        push(new ChangePropertiesCommand(QStringLiteral("Boyutlandır"),
                                         restack(orderedBands(), band, std::max(0.0, band->height() + dh)),
                                         BandHeightRun));
    }
}

void DesignerDocument::placeViews(const QList<ReportView*>& views, const QList<QRectF>& rects, ReportBand* band)
{
    auto* command = new QUndoCommand(QStringLiteral("Taşı"));
    QList<PropertyChange> changes;
    for (int i = 0; i < views.size() && i < rects.size(); ++i) {
        ReportView* view = views[i];
        const QRectF& rect = rects[i];
        changes.append(change(view, "left", rect.left()));
        changes.append(change(view, "top", rect.top()));
        changes.append(change(view, "width", std::max(0.0, rect.width())));
        changes.append(change(view, "height", std::max(0.0, rect.height())));
        if (band && band != bandOf(view) && isOnCurrentPage(band)) {
            new RemoveItemCommand(QString(), view, command);
            new InsertItemCommand(QString(), view, band, int(band->items().size()), command);
        }
    }
    changes = effective(changes);
    if (changes.isEmpty() && command->childCount() == 0) {
        delete command;
        return;
    }
    new ChangePropertiesCommand(QString(), changes, -1, command);
    push(command);
}

bool DesignerDocument::setBandHeight(ReportBand* band, double height)
{
    if (!band || !isOnCurrentPage(band))
        return false;
    const QList<PropertyChange> changes = effective(restack(orderedBands(), band, std::max(0.0, height)));
    if (changes.isEmpty())
        return false;
    push(new ChangePropertiesCommand(QStringLiteral("Boyutlandır"), changes));
    return true;
}

QList<PropertyChange> DesignerDocument::fontChanges(QObject* target, const QByteArray& property,
                                                   const QVariant& value) const
{
    auto* item = qobject_cast<ReportItem*>(target);
    QList<PropertyChange> changes;
    if (item && item->parentFont()) {
        // The item starts from what it showed, not from the class's default font.
        const ItemFont font = item->effectiveFont();
        changes.append(change(item, "fontName", font.name));
        changes.append(change(item, "fontHeight", font.height));
        changes.append(change(item, "fontStyle", font.style));
        changes.append(change(item, "fontColor", font.color));
        changes.append(change(item, "parentFont", false));
    }
    changes.append(change(target, property, value));
    return changes;
}

QList<PropertyChange> DesignerDocument::pageChanges(ReportPage* page, const QByteArray& property,
                                                   const QVariant& value) const
{
    QList<PropertyChange> changes;
    double width = page->paperWidth();
    double height = page->paperHeight();
    QMarginsF margins = page->marginsMm();
    if (property == "orientation") {
        const bool landscape = value.toInt() == ReportPage::poLandscape;
        if (landscape != (page->orientation() == ReportPage::poLandscape)) {
            std::swap(width, height);
            changes.append(change(page, "paperWidth", width));
            changes.append(change(page, "paperHeight", height));
        }
        changes.append(change(page, "orientation", value.toInt()));
    } else if (property == "paperSize") {
        for (const PaperFormat& format : paperFormats) {
            if (format.code == value.toInt()) {
                const bool landscape = page->orientation() == ReportPage::poLandscape;
                width = landscape ? format.height : format.width;
                height = landscape ? format.width : format.height;
                changes.append(change(page, "paperWidth", width));
                changes.append(change(page, "paperHeight", height));
            }
        }
        changes.append(change(page, "paperSize", value.toInt()));
    } else {
        if (property == "paperWidth" || property == "paperHeight") {
            // A size typed by hand is no longer one of the named papers.
            changes.append(change(page, "paperSize", 256));
            (property == "paperWidth" ? width : height) = value.toDouble();
        }
        if (property == "leftMargin")
            margins.setLeft(value.toDouble());
        if (property == "rightMargin")
            margins.setRight(value.toDouble());
        changes.append(change(page, property, value));
    }
    // Bands print across the printable width, so they follow the paper.
    const double printable = std::max(0.0, (width - margins.left() - margins.right()) * UnitsPerMm);
    if (std::abs(printable - band_layout::printableWidth(*page)) > 1e-9) {
        for (ReportBand* band : page->bands())
            changes.append(change(band, "width", printable));
    }
    return changes;
}

bool DesignerDocument::setProperty(QObject* target, const QByteArray& property, const QVariant& value)
{
    if (!target)
        return false;
    const QMetaObject* meta = target->metaObject();
    const int index = meta->indexOfProperty(property.constData());
    if (index < 0 || !meta->property(index).isWritable())
        return false;
    const QMetaProperty metaProperty = meta->property(index);
    QVariant converted = value;
    if (metaProperty.isEnumType())
        converted = value.toInt();
    else if (!converted.convert(metaProperty.metaType()))
        return false;
    if (property == "objectName") {
        const QString name = converted.toString().trimmed();
        if (name.isEmpty() || band_layout::nameTaken(reportTemplate(), name, target))
            return false;
        converted = name;
    }
    if (auto* band = qobject_cast<ReportBand*>(target); band && property == "height")
        return setBandHeight(band, converted.toDouble());
    QList<PropertyChange> changes;
    if (property.startsWith("font"))
        changes = fontChanges(target, property, converted);
    else if (auto* asPage = qobject_cast<ReportPage*>(target))
        changes = pageChanges(asPage, property, converted);
    else
        changes.append(change(target, property, converted));
    changes = effective(changes);
    if (changes.isEmpty())
        return false;
    push(new ChangePropertiesCommand(QStringLiteral("Özellik"), changes));
    return true;
}

void DesignerDocument::setMemoText(MemoView* memo, const QString& text)
{
    setProperty(memo, "text", text);
}

void DesignerDocument::setPictureData(ReportView* picture, const QByteArray& data)
{
    if (qobject_cast<PictureView*>(picture))
        setProperty(picture, "pictureData", data);
}

}  // namespace report
