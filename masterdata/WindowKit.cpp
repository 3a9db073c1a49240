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
#include <QVBoxLayout>

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

ListToolBar makeListToolBar(QWidget* window, const QString& newRowCaption)
{
    ListToolBar t{};
    t.bar = makeToolBar(window, QStringLiteral("ToolBar1"));
    t.newRow = addToolButton(t.bar, QStringLiteral("ToolButton1"), newRowCaption, QStringLiteral("yeni"));
    t.edit = addToolButton(t.bar, QStringLiteral("ToolButton2"), QStringLiteral("Düzenle"), QStringLiteral("duzenle"));
    t.remove = addToolButton(t.bar, QStringLiteral("ToolButton3"), QStringLiteral("Sil"), QStringLiteral("sil"));
    t.exit = addToolButton(t.bar, QStringLiteral("ToolButton4"), QStringLiteral("Çıkış"), QStringLiteral("cikis"));
    return t;
}

ui::DataGrid* makeListGrid(QWidget* window, const QString& accessibleName, const QList<ui::GridColumn>& columns,
                           db::DataSource* source)
{
    auto* grid = new ui::DataGrid(window);
    grid->setObjectName(QStringLiteral("cxGrid1DBTableView1"));
    grid->setAccessibleName(accessibleName);
    grid->setColumns(columns);
    grid->setEditable(false);
    grid->setRowIndicatorVisible(true);
    grid->setDataSource(source);
    return grid;
}

void stackToolBarOverList(QWidget* window, QToolBar* bar, QWidget* list)
{
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(list, 1);
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
