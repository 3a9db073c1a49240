#pragma once

#include <QHeaderView>

#include <functional>
#include <vector>

class QLineEdit;

namespace ui {

// The horizontal header of a data grid with an optional row of filter edits
// under the captions, one per column. The header grows by the height of an
// edit and keeps its captions in the upper part through viewport margins;
// the edits follow their sections when columns are resized, moved, hidden
// or scrolled.
//
// It also carries columns to and from the column customisation window:
// dragging a caption off the header (while that window is open) starts a
// drag of the column, and a column dropped on the header is shown there.
class FilterHeader : public QHeaderView {
    Q_OBJECT

public:
    static const char* const columnMimeType;

    explicit FilterHeader(QWidget* parent = nullptr);

    void setFilterRowVisible(bool visible);
    bool isFilterRowVisible() const { return filterRowVisible_; }
    QLineEdit* filterEdit(int logicalIndex) const;
    // Sets an edit's text without reporting it as typed.
    void setFilterEditText(int logicalIndex, const QString& text);

    // Lets captions be dragged off the header while the test holds (the
    // customisation window is open).
    void setColumnDragOut(std::function<bool()> allowed) { dragOut_ = std::move(allowed); }
    // Identifies this header's columns in a drag, so that another grid
    // refuses them.
    QByteArray columnDragData(int logicalIndex) const;
    // The logical index of a column named in a drag of this header's grid.
    int columnFromDragData(const QByteArray& data) const;

    QSize sizeHint() const override;
    void setModel(QAbstractItemModel* model) override;

signals:
    void filterEdited(int logicalIndex, const QString& text);
    // A column was dropped on the header; `slot` is the visual position it
    // goes in front of (count() for the end).
    void columnDropped(int logicalIndex, int slot);

protected:
    void updateGeometries() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void rebuildEdits();
    void placeEdits();
    void renameEdits();
    int editHeight() const;
    void dragColumnOut(QMouseEvent* event);

    std::vector<QLineEdit*> edits_;
    bool filterRowVisible_ = false;
    std::function<bool()> dragOut_;
    QMetaObject::Connection captionsConnection_;
    int pressedSection_ = -1;
    QPoint pressPosition_;
};

}  // namespace ui
