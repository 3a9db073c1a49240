#pragma once

#include "DataControl.h"

#include <QGroupBox>

class QButtonGroup;
class QRadioButton;

namespace ui {

// A framed group of options over a field: choosing an option writes its
// caption, exactly as given, into the field; the option whose caption equals
// the field's text is shown chosen, and none when no caption does.
class DataRadioGroup : public QGroupBox, public DataControl {
    Q_OBJECT

public:
    explicit DataRadioGroup(const QString& title, QWidget* parent = nullptr);

    void setItems(const QStringList& captions);
    QStringList items() const { return items_; }
    // The chosen option, -1 for none.
    int itemIndex() const;
    QRadioButton* button(int index) const;

private:
    void fill();
    void userChose(int index);

    QStringList items_;
    QButtonGroup* group_;
};

}  // namespace ui
