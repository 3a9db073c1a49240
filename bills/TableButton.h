#pragma once

#include <QColor>
#include <QPushButton>

#include <optional>

// The button of one restaurant table on the bill panel. Its face shows the
// table's state in the colours of the settings row; the colours arrive as
// the settings store them (0x00BBGGRR or a system colour constant).
//
// The shared routines recolour a table through its "faceColor" property
// (TableButtonFaceProperty), which this button turns into paint.
class TableButton : public QPushButton {
    Q_OBJECT

public:
    explicit TableButton(QWidget* parent = nullptr);

    void setFaceColorValue(qint64 value);
    void setTextColorValue(qint64 value);
    // Without a face colour the button keeps the style's own face.
    bool hasFaceColor() const { return face_.has_value(); }
    QColor faceColor() const { return face_.value_or(QColor()); }
    QColor textColor() const { return text_; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyLook();

    std::optional<QColor> face_;
    QColor text_;
};
