#pragma once

#include "platform/ui/Form.h"

class QFrame;
class QLabel;

// The About window: who made the program and where to ask for help.
class TYardim : public ui::Form {
    Q_OBJECT

public:
    explicit TYardim(QWidget* owner = nullptr);

    QFrame* Panel1;
    // Fourteen labels in two columns: captions and their values.
    QList<QLabel*> labels;
};
