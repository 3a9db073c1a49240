#pragma once

#include <QPointer>
#include <QScrollArea>

#include <functional>

class QLabel;
class QVBoxLayout;

namespace report {

class DesignerDocument;
class MemoView;
class PictureView;
class ReportItem;

// The properties of the selected item (the page when nothing is selected),
// grouped as a user looks for them: position and size, font, alignment,
// format, frame, data. The rows come from the item's Q_PROPERTYs, the same
// description the file reader and writer use; every edit is one undo step of
// the document. Each editor's accessible name is "<group>: <label>".
class PropertyPanel : public QScrollArea {
    Q_OBJECT

public:
    explicit PropertyPanel(DesignerDocument& document, QWidget* parent = nullptr);
    ~PropertyPanel() override;

    // The item whose properties are shown; nullptr when several are selected.
    ReportItem* target() const { return target_; }
    // The editor of a property ("fontStyle" with bit 1 is the bold box), for tests.
    QWidget* editor(const QByteArray& property, int bit = 0) const;

signals:
    void editTextRequested(report::MemoView* memo);
    void pictureRequested(report::PictureView* picture);

public slots:
    // New rows for the current selection.
    void rebuild();
    // The rows show the values the item has now.
    void refresh();

private:
    struct Row {
        QByteArray property;
        int bit = 0;
        QWidget* editor = nullptr;
        std::function<void()> refresh;
    };

    void addRows();

    DesignerDocument& document_;
    QPointer<ReportItem> target_;
    QWidget* content_ = nullptr;
    QVBoxLayout* layout_ = nullptr;
    QLabel* title_ = nullptr;
    QList<Row> rows_;
    bool refreshing_ = false;
};

}  // namespace report
