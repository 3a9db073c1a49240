#include "FilterHeader.h"

#include "DatasetModel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDrag>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>

namespace ui {

const char* const FilterHeader::columnMimeType = "application/x-tavlora-grid-column";

FilterHeader::FilterHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setSectionsMovable(true);
    setHighlightSections(false);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    connect(this, &QHeaderView::sectionCountChanged, this, &FilterHeader::rebuildEdits);
    connect(this, &QHeaderView::sectionResized, this, &FilterHeader::placeEdits);
    connect(this, &QHeaderView::sectionMoved, this, &FilterHeader::placeEdits);
    connect(this, &QHeaderView::geometriesChanged, this, &FilterHeader::placeEdits);
    if (auto* view = qobject_cast<QAbstractItemView*>(parent))
        connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, &FilterHeader::placeEdits);
}

void FilterHeader::setModel(QAbstractItemModel* model)
{
    QObject::disconnect(captionsConnection_);
    QHeaderView::setModel(model);
    if (model)
        captionsConnection_ = connect(model, &QAbstractItemModel::headerDataChanged, this,
                                      [this](Qt::Orientation orientation) {
                                          if (orientation == Qt::Horizontal)
                                              renameEdits();
                                      });
    renameEdits();
}

int FilterHeader::editHeight() const
{
    if (!filterRowVisible_)
        return 0;
    return (edits_.empty() ? QLineEdit().sizeHint().height() : edits_.front()->sizeHint().height()) + 2;
}

QSize FilterHeader::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    size.setHeight(size.height() + editHeight());
    return size;
}

void FilterHeader::setFilterRowVisible(bool visible)
{
    if (filterRowVisible_ == visible)
        return;
    filterRowVisible_ = visible;
    rebuildEdits();
    updateGeometries();
    // The table lays its header out again only when told its size changed.
    if (auto* view = qobject_cast<QAbstractItemView*>(parentWidget()))
        QMetaObject::invokeMethod(view, "updateGeometries");
}

QLineEdit* FilterHeader::filterEdit(int logicalIndex) const
{
    return logicalIndex >= 0 && size_t(logicalIndex) < edits_.size() ? edits_[size_t(logicalIndex)] : nullptr;
}

void FilterHeader::setFilterEditText(int logicalIndex, const QString& text)
{
    if (QLineEdit* edit = filterEdit(logicalIndex))
        edit->setText(text);  // setText does not count as typing
}

void FilterHeader::rebuildEdits()
{
    const int wanted = filterRowVisible_ ? count() : 0;
    while (int(edits_.size()) > wanted) {
        delete edits_.back();
        edits_.pop_back();
    }
    while (int(edits_.size()) < wanted) {
        auto* edit = new QLineEdit(this);
        const int logical = int(edits_.size());
        edit->setClearButtonEnabled(true);
        connect(edit, &QLineEdit::textEdited, this, [this, logical](const QString& text) {
            emit filterEdited(logical, text);
        });
        edits_.push_back(edit);
    }
    renameEdits();
    setViewportMargins(0, 0, 0, editHeight());
    placeEdits();
}

void FilterHeader::renameEdits()
{
    for (size_t i = 0; i < edits_.size(); ++i) {
        const QString caption = model() ? model()->headerData(int(i), Qt::Horizontal).toString() : QString();
        edits_[i]->setAccessibleName(QStringLiteral("Filtre: %1").arg(caption));
    }
}

void FilterHeader::updateGeometries()
{
    setViewportMargins(0, 0, 0, editHeight());
    QHeaderView::updateGeometries();
    placeEdits();
}

void FilterHeader::placeEdits()
{
    const int h = editHeight();
    const int top = height() - h;
    for (size_t i = 0; i < edits_.size(); ++i) {
        QLineEdit* edit = edits_[i];
        const int logical = int(i);
        if (isSectionHidden(logical) || h == 0) {
            edit->hide();
            continue;
        }
        edit->setGeometry(viewport()->x() + sectionViewportPosition(logical), top + 1, sectionSize(logical), h - 2);
        edit->show();
    }
}

QByteArray FilterHeader::columnDragData(int logicalIndex) const
{
    const QString field = model() ? model()->headerData(logicalIndex, Qt::Horizontal, DatasetModel::FieldNameRole)
                                        .toString()
                                  : QString();
    return QByteArray::number(quintptr(this)) + '\n' + field.toUtf8();
}

int FilterHeader::columnFromDragData(const QByteArray& data) const
{
    const qsizetype cut = data.indexOf('\n');
    if (cut < 0 || data.left(cut) != QByteArray::number(quintptr(this)) || !model())
        return -1;
    const QString field = QString::fromUtf8(data.mid(cut + 1));
    for (int i = 0; i < count(); ++i) {
        if (model()->headerData(i, Qt::Horizontal, DatasetModel::FieldNameRole).toString() == field)
            return i;
    }
    return -1;
}

void FilterHeader::mousePressEvent(QMouseEvent* event)
{
    pressedSection_ = -1;
    if (event->button() == Qt::LeftButton && event->position().y() < height() - editHeight()) {
        pressedSection_ = logicalIndexAt(event->position().toPoint());
        pressPosition_ = event->position().toPoint();
    }
    QHeaderView::mousePressEvent(event);
}

void FilterHeader::mouseMoveEvent(QMouseEvent* event)
{
    const int y = event->position().toPoint().y();
    const int margin = QApplication::startDragDistance();
    if (dragOut_ && dragOut_() && pressedSection_ >= 0 && (event->buttons() & Qt::LeftButton) &&
        (y < -margin || y > height() + margin)) {
        dragColumnOut(event);
        return;
    }
    QHeaderView::mouseMoveEvent(event);
}

void FilterHeader::mouseReleaseEvent(QMouseEvent* event)
{
    pressedSection_ = -1;
    QHeaderView::mouseReleaseEvent(event);
}

void FilterHeader::dragColumnOut(QMouseEvent* event)
{
    const int section = pressedSection_;
    pressedSection_ = -1;
    // End the header's own move where it began, so the column stays put.
    QMouseEvent back(QEvent::MouseMove, QPointF(pressPosition_), event->globalPosition(), Qt::NoButton,
                     Qt::LeftButton, event->modifiers());
    QHeaderView::mouseMoveEvent(&back);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pressPosition_), event->globalPosition(), Qt::LeftButton,
                        Qt::NoButton, event->modifiers());
    QHeaderView::mouseReleaseEvent(&release);

    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(columnMimeType), columnDragData(section));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::MoveAction);
}

void FilterHeader::dragEnterEvent(QDragEnterEvent* event)
{
    if (columnFromDragData(event->mimeData()->data(QString::fromLatin1(columnMimeType))) >= 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void FilterHeader::dragMoveEvent(QDragMoveEvent* event)
{
    if (columnFromDragData(event->mimeData()->data(QString::fromLatin1(columnMimeType))) >= 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void FilterHeader::dropEvent(QDropEvent* event)
{
    const int logical = columnFromDragData(event->mimeData()->data(QString::fromLatin1(columnMimeType)));
    if (logical < 0) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Before the section under the cursor when on its left half, after it
    // when on its right half; past the last section means at the end.
    const int x = event->position().toPoint().x();
    const int under = logicalIndexAt(x);
    int slot = count();
    if (under >= 0) {
        slot = visualIndex(under);
        if (x > sectionViewportPosition(under) + sectionSize(under) / 2)
            ++slot;
    }
    emit columnDropped(logical, slot);
}

}  // namespace ui
