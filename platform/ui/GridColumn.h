#pragma once

#include <QString>

namespace ui {

// One designed column of a data grid: the field it shows and how.
struct GridColumn {
    GridColumn() = default;
    // {"CIKAN", "MIKTAR"}, {"SN", {}, 22}, {"TUTAR", {}, 116, false}
    GridColumn(const QString& field, const QString& caption = {}, int width = 0, bool visible = true,
               bool readOnly = false)
        : field(field), caption(caption), width(width), visible(visible), readOnly(readOnly)
    {
    }

    QString field;
    // Header text; empty takes the field's display label.
    QString caption;
    // Pixels; 0 works a width out from the field.
    int width = 0;
    bool visible = true;
    // Not editable in place even when the grid is.
    bool readOnly = false;
};

}  // namespace ui
