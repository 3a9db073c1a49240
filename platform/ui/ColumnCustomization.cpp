#include "ColumnCustomization.h"

#include "DataGrid.h"
#include "FilterHeader.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int FieldRole = Qt::UserRole;

// The list of hidden columns: its items drag out as grid columns, and grid
// columns dropped on it are hidden.
class HiddenColumnList : public QListWidget {
public:
    explicit HiddenColumnList(DataGrid* grid, QWidget* parent) : QListWidget(parent), grid_(grid)
    {
        setDragEnabled(true);
        setAcceptDrops(true);
        viewport()->setAcceptDrops(true);
        setDropIndicatorShown(false);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setAccessibleName(QStringLiteral("Gizli sütunlar"));
    }

protected:
    QStringList mimeTypes() const override { return {QString::fromLatin1(FilterHeader::columnMimeType)}; }

    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override
    {
        if (items.isEmpty())
            return nullptr;
        auto* header = grid_->filterHeader();
        const int logical = grid_->columnIndex(items.front()->data(FieldRole).toString());
        auto* mime = new QMimeData;
        mime->setData(QString::fromLatin1(FilterHeader::columnMimeType), header->columnDragData(logical));
        return mime;
    }

    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }

    int droppedColumn(const QMimeData* mime) const
    {
        return grid_->filterHeader()->columnFromDragData(mime->data(QString::fromLatin1(FilterHeader::columnMimeType)));
    }

    void dragEnterEvent(QDragEnterEvent* event) override
    {
        if (event->source() != this && droppedColumn(event->mimeData()) >= 0)
            event->acceptProposedAction();
        else
            event->ignore();
    }

    void dragMoveEvent(QDragMoveEvent* event) override
    {
        if (event->source() != this && droppedColumn(event->mimeData()) >= 0)
            event->acceptProposedAction();
        else
            event->ignore();
    }

    void dropEvent(QDropEvent* event) override
    {
        const int logical = droppedColumn(event->mimeData());
        if (event->source() == this || logical < 0) {
            event->ignore();
            return;
        }
        event->acceptProposedAction();
        grid_->setColumnHidden(grid_->columnField(logical), true);
    }

    // The header shows a column dropped on it, and the list follows the
    // grid; the list does not remove the item itself.
    void startDrag(Qt::DropActions) override
    {
        QListWidgetItem* item = currentItem();
        if (!item)
            return;
        auto* drag = new QDrag(this);
        drag->setMimeData(mimeData({item}));
        drag->exec(Qt::MoveAction);
    }

private:
    DataGrid* grid_;
};

}  // namespace

ColumnCustomization::ColumnCustomization(DataGrid* grid)
    : QWidget(grid, Qt::Tool), grid_(grid), list_(new HiddenColumnList(grid, this))
{
    setWindowTitle(QStringLiteral("Özelleştir"));
    setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(list_);
    resize(220, 280);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        grid_->setColumnHidden(item->data(FieldRole).toString(), false);
    });
    refresh();
}

QStringList ColumnCustomization::listedColumns() const
{
    QStringList fields;
    for (int i = 0; i < list_->count(); ++i)
        fields << list_->item(i)->data(FieldRole).toString();
    return fields;
}

void ColumnCustomization::refresh()
{
    const QStringList hidden = grid_->hiddenColumns();
    if (hidden == listedColumns())
        return;
    list_->clear();
    for (const QString& field : hidden) {
        auto* item = new QListWidgetItem(grid_->columnCaption(field), list_);
        item->setData(FieldRole, field);
    }
}

}  // namespace ui
