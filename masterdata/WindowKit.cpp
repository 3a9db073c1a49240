#include "WindowKit.h"

#include "platform/db/Dataset.h"
#include "platform/db/Field.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DataLineEdit.h"

#include <QIcon>
#include <QLabel>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

namespace masterdata {

QToolBar* makeToolBar(QWidget* window, const QString& name)
{
    auto* bar = new QToolBar(window);
    bar->setObjectName(name);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(48, 48));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    return bar;
}

QToolButton* addToolButton(QToolBar* bar, const QString& name, const QString& caption, const QString& picture)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setText(caption);
    button->setAccessibleName(ui::plainCaption(caption).trimmed());
    button->setToolTip(ui::plainCaption(caption).trimmed());
    button->setIcon(QIcon(QStringLiteral(":/masterdata/icons/%1.svg").arg(picture)));
    button->setIconSize(QSize(48, 48));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setMinimumSize(touchSize, touchSize);
    button->setAutoRaise(true);
    // Reached by Tab and pressed with Space; a touch leaves the focus in the
    // list or field where it was.
    button->setFocusPolicy(Qt::TabFocus);
    bar->addWidget(button);
    return button;
}

void styleCaption(QLabel* label)
{
    label->setStyleSheet(QStringLiteral("QLabel { background-color: palette(highlight); color: white; "
                                        "font-weight: bold; padding: 4px; }"));
}

bool acceptTypedText(const QList<ui::DataLineEdit*>& edits)
{
    for (ui::DataLineEdit* edit : edits) {
        db::Field* field = edit->field();
        if (!field || !edit->link().hasRow())
            continue;
        const QString shown = edit->text();
        if (shown == ui::editText(*field) || shown == field->displayText())
            continue;
        // The field's refusal goes to the error box; the edit then shows
        // what the field holds.
        if (!edit->link().write(shown)) {
            edit->setFocus();
            return false;
        }
    }
    return true;
}

void commitCellEditor(ui::DataGrid* grid)
{
    QTableView* view = grid->view();
    if (QWidget* editor = view->indexWidget(view->currentIndex()))
        QMetaObject::invokeMethod(view, "commitData", Qt::DirectConnection, Q_ARG(QWidget*, editor));
}

void postOrCancel(db::Dataset& dataset)
{
    try {
        dataset.post();
    } catch (...) {
        dataset.cancel();
        throw;
    }
}

}  // namespace masterdata
