#include "DataGrid.h"

#include "ColumnCustomization.h"
#include "DatasetModel.h"
#include "ErrorHandler.h"
#include "FilterHeader.h"
#include "GridLayout.h"
#include "GridProxyModel.h"

#include "platform/db/DataSource.h"
#include "platform/db/Dataset.h"
#include "platform/db/DisplayFormat.h"
#include "platform/db/Field.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

namespace ui {

namespace {

QString key(const QString& field)
{
    return field.toUpper();
}

// The table inside the grid; it only tells whether a cell editor is open.
class GridView : public QTableView {
public:
    using QTableView::QTableView;
    bool cellEditorOpen() const { return state() == QAbstractItemView::EditingState; }
};

}  // namespace

DataGrid::DataGrid(QWidget* parent)
    : QWidget(parent),
      view_(new GridView(this)),
      header_(new FilterHeader(view_)),
      model_(new DatasetModel(this)),
      proxy_(new GridProxyModel(this)),
      footer_(new QWidget(this)),
      footerCells_(new QWidget(footer_)),
      customization_(new ColumnCustomization(this)),
      filterTimer_(new QTimer(this))
{
    view_->setHorizontalHeader(header_);
    proxy_->setSourceModel(model_);
    view_->setModel(proxy_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    view_->setCornerButtonEnabled(false);
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setMinimumWidth(18);
    // Unsorted until the user clicks a caption; a third click unsorts again.
    header_->setSortIndicatorClearable(true);
    header_->setSortIndicator(-1, Qt::AscendingOrder);
    view_->setSortingEnabled(true);
    header_->setColumnDragOut([this] { return customization_->isVisible(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view_);
    layout->addWidget(footer_);
    footer_->hide();
    fitRowsToFont();
    customization_->hide();

    filterTimer_->setSingleShot(true);
    filterTimer_->setInterval(filterDelayMs);
    connect(filterTimer_, &QTimer::timeout, this, &DataGrid::applyTypedFilters);

    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { viewRowChanged(current); });
    connect(model_, &DatasetModel::columnsChanged, this, &DataGrid::columnsChanged);
    connect(model_, &QAbstractItemModel::modelReset, this, &DataGrid::refineWidths);
    connect(proxy_, &GridProxyModel::shownRowsChanged, this, &DataGrid::rowsShownChanged);
    connect(proxy_, &QAbstractItemModel::modelReset, this, &DataGrid::followDataset);
    connect(proxy_, &QAbstractItemModel::layoutChanged, this, &DataGrid::followDataset);
    connect(proxy_, &QAbstractItemModel::rowsInserted, this, &DataGrid::followDataset);
    connect(proxy_, &QAbstractItemModel::rowsRemoved, this, &DataGrid::followDataset);
    connect(header_, &FilterHeader::filterEdited, this, [this] { filterTimer_->start(); });
    connect(header_, &FilterHeader::columnDropped, this, &DataGrid::showColumnAt);
    connect(header_, &QHeaderView::sectionResized, this, &DataGrid::placeFooter);
    connect(header_, &QHeaderView::sectionMoved, this, &DataGrid::placeFooter);
    connect(header_, &QHeaderView::sectionMoved, customization_, &ColumnCustomization::refresh);
    connect(header_, &QHeaderView::geometriesChanged, this, &DataGrid::placeFooter);
    connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, this, &DataGrid::placeFooter);
    connect(view_, &QAbstractItemView::clicked, this, &DataGrid::cellClicked);
    connect(view_, &QAbstractItemView::doubleClicked, this, &DataGrid::cellDoubleClicked);
    view_->installEventFilter(this);
    view_->viewport()->installEventFilter(this);
}

DataGrid::~DataGrid()
{
    // The view and the models die after this object's members, and may
    // still signal while they go.
    for (QObject* sender : std::initializer_list<QObject*>{view_, header_, view_->horizontalScrollBar(),
                                                          view_->selectionModel(), model_, proxy_, filterTimer_})
        QObject::disconnect(sender, nullptr, this, nullptr);
    QObject::disconnect(header_, nullptr, customization_, nullptr);
    view_->removeEventFilter(this);
    view_->viewport()->removeEventFilter(this);
}

QTableView* DataGrid::view() const
{
    return view_;
}

// Data source and dataset ----------------------------------------------------

void DataGrid::setDataSource(db::DataSource* source)
{
    QObject::disconnect(sourceConnection_);
    source_ = source;
    // The model follows a new dataset first, so the grid finds its rows.
    model_->setDataSource(source);
    if (source_)
        sourceConnection_ = connect(source_, &db::DataSource::datasetChanged, this, &DataGrid::attachDataset);
    attachDataset();
}

void DataGrid::attachDataset()
{
    for (const auto& c : datasetConnections_)
        QObject::disconnect(c);
    datasetConnections_.clear();
    dataset_ = source_ ? source_->dataset() : nullptr;
    if (dataset_)
        datasetConnections_ << connect(dataset_, &db::Dataset::currentChanged, this, &DataGrid::followDataset);
    followDataset();
}

db::DataSource* DataGrid::dataSource() const
{
    return source_;
}

db::Dataset* DataGrid::dataset() const
{
    return dataset_;
}

// Columns ------------------------------------------------------------------

void DataGrid::setColumns(const QList<GridColumn>& columns)
{
    model_->setColumns(columns);
}

QList<GridColumn> DataGrid::columns() const
{
    return model_->columns();
}

void DataGrid::columnsChanged()
{
    // New columns start as designed: unsorted and unfiltered.
    sortBy(QString());
    clearFilters();
    applyDesign();
    if (pendingLayout_ && model_->columnCount() > 0) {
        const GridLayout layout = *pendingLayout_;
        pendingLayout_.reset();
        applyLayout(layout);
    }
    // Footer sums of columns that exist now get their cells.
    for (auto it = footerLabels_.begin(); it != footerLabels_.end(); ++it)
        it.value()->setAccessibleName(QStringLiteral("Toplam: %1").arg(columnCaption(it.key())));
    customization_->refresh();
    updateFooter();
    placeFooter();
}

int DataGrid::designedWidth(int logicalIndex) const
{
    const QList<GridColumn>& columns = model_->columns();
    if (logicalIndex < 0 || logicalIndex >= columns.size())
        return header_->defaultSectionSize();
    if (columns[logicalIndex].width > 0)
        return columns[logicalIndex].width;
    const QFontMetrics metrics = view_->fontMetrics();
    int characters = 12;
    if (const db::Field* f = model_->fieldAt(logicalIndex)) {
        switch (f->type()) {
        case db::FieldType::Text: characters = std::clamp(f->size(), 4, 30); break;
        case db::FieldType::Timestamp: characters = 19; break;
        case db::FieldType::Date: characters = 10; break;
        default: characters = f->isNumeric() ? 10 : 12; break;
        }
    }
    const QString caption = model_->headerData(logicalIndex, Qt::Horizontal).toString();
    return std::max(metrics.averageCharWidth() * characters + 12, metrics.horizontalAdvance(caption) + 28);
}

void DataGrid::applyDesign()
{
    const QList<GridColumn>& columns = model_->columns();
    const int n = int(columns.size());
    for (int logical = 0; logical < n; ++logical)
        header_->moveSection(header_->visualIndex(logical), logical);
    hiddenWidths_.clear();
    provisionalWidths_.clear();
    for (int logical = 0; logical < n; ++logical) {
        header_->setSectionHidden(logical, false);
        header_->resizeSection(logical, designedWidth(logical));
        if (columns[logical].width <= 0 && !model_->fieldAt(logical))
            provisionalWidths_.insert(key(columns[logical].field), header_->sectionSize(logical));
    }
    for (int logical = 0; logical < n; ++logical) {
        if (!columns[logical].visible) {
            hiddenWidths_.insert(key(columns[logical].field), header_->sectionSize(logical));
            header_->setSectionHidden(logical, true);
        }
    }
}

void DataGrid::refineWidths()
{
    for (auto it = provisionalWidths_.begin(); it != provisionalWidths_.end();) {
        const int logical = columnIndex(it.key());
        if (logical >= 0 && !model_->fieldAt(logical)) {
            ++it;
            continue;
        }
        // A width the user or a layout changed meanwhile stays.
        if (logical >= 0 && columnWidth(it.key()) == it.value()) {
            const int width = designedWidth(logical);
            if (header_->isSectionHidden(logical))
                hiddenWidths_.insert(it.key(), width);
            else
                header_->resizeSection(logical, width);
        }
        it = provisionalWidths_.erase(it);
    }
}

int DataGrid::columnIndex(const QString& field) const
{
    return model_->columnOfField(field);
}

QString DataGrid::columnField(int logicalIndex) const
{
    return model_->fieldNameAt(logicalIndex);
}

QString DataGrid::columnCaption(const QString& field) const
{
    const int logical = columnIndex(field);
    return logical < 0 ? field : model_->headerData(logical, Qt::Horizontal).toString();
}

QStringList DataGrid::columnOrder() const
{
    QStringList fields;
    for (int visual = 0; visual < header_->count(); ++visual)
        fields << columnField(header_->logicalIndex(visual));
    return fields;
}

QStringList DataGrid::visibleColumns() const
{
    QStringList fields;
    for (int visual = 0; visual < header_->count(); ++visual) {
        const int logical = header_->logicalIndex(visual);
        if (!header_->isSectionHidden(logical))
            fields << columnField(logical);
    }
    return fields;
}

QStringList DataGrid::hiddenColumns() const
{
    QStringList fields;
    for (int visual = 0; visual < header_->count(); ++visual) {
        const int logical = header_->logicalIndex(visual);
        if (header_->isSectionHidden(logical))
            fields << columnField(logical);
    }
    return fields;
}

void DataGrid::moveColumn(const QString& field, int position)
{
    const int logical = columnIndex(field);
    if (logical < 0 || header_->count() == 0)
        return;
    header_->moveSection(header_->visualIndex(logical), std::clamp(position, 0, header_->count() - 1));
}

bool DataGrid::isColumnHidden(const QString& field) const
{
    const int logical = columnIndex(field);
    return logical >= 0 && header_->isSectionHidden(logical);
}

void DataGrid::rememberWidth(int logicalIndex)
{
    const int width = header_->sectionSize(logicalIndex);
    if (width > 0)
        hiddenWidths_.insert(key(columnField(logicalIndex)), width);
}

void DataGrid::setColumnHidden(const QString& field, bool hidden)
{
    const int logical = columnIndex(field);
    if (logical < 0 || header_->isSectionHidden(logical) == hidden)
        return;
    if (hidden) {
        rememberWidth(logical);
        header_->setSectionHidden(logical, true);
    } else {
        header_->setSectionHidden(logical, false);
        const int width = hiddenWidths_.value(key(columnField(logical)), 0);
        if (width > 0)
            header_->resizeSection(logical, width);
        else if (header_->sectionSize(logical) <= 0)
            header_->resizeSection(logical, designedWidth(logical));
    }
    customization_->refresh();
    placeFooter();
}

int DataGrid::columnWidth(const QString& field) const
{
    const int logical = columnIndex(field);
    if (logical < 0)
        return 0;
    if (header_->isSectionHidden(logical))
        return hiddenWidths_.value(key(columnField(logical)), designedWidth(logical));
    return header_->sectionSize(logical);
}

void DataGrid::setColumnWidth(const QString& field, int width)
{
    const int logical = columnIndex(field);
    if (logical < 0 || width <= 0)
        return;
    provisionalWidths_.remove(key(columnField(logical)));
    if (header_->isSectionHidden(logical))
        hiddenWidths_.insert(key(columnField(logical)), width);
    else
        header_->resizeSection(logical, width);
}

void DataGrid::showColumnAt(int logicalIndex, int slot)
{
    setColumnHidden(columnField(logicalIndex), false);
    const int from = header_->visualIndex(logicalIndex);
    // Taking the column out first shifts the slots after it by one.
    const int to = from < slot ? slot - 1 : slot;
    header_->moveSection(from, std::clamp(to, 0, header_->count() - 1));
}

// Editing and style ----------------------------------------------------------

void DataGrid::setEditable(bool editable)
{
    model_->setEditable(editable);
    view_->setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                          QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked
                                    : QAbstractItemView::NoEditTriggers);
}

bool DataGrid::isEditable() const
{
    return model_->isEditable();
}

void DataGrid::setRowIndicatorVisible(bool visible)
{
    view_->verticalHeader()->setVisible(visible);
}

void DataGrid::setHighContrast(bool on)
{
    highContrast_ = on;
    applyStyle();
}

void DataGrid::applyStyle()
{
    if (!highContrast_) {
        view_->setPalette(QPalette());
        view_->setAlternatingRowColors(false);
        header_->setStyleSheet(QString());
        return;
    }
    QPalette palette = view_->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, Qt::white);
        palette.setColor(group, QPalette::AlternateBase, QColor(0xC0, 0xC0, 0xC0));  // silver
        palette.setColor(group, QPalette::Text, Qt::black);
        palette.setColor(group, QPalette::Highlight, QColor(0x00, 0x80, 0x80));      // teal
        palette.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    view_->setPalette(palette);
    view_->setAlternatingRowColors(true);
    header_->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: black; color: yellow; "
                                          "font-weight: bold; border: 1px solid #404040; padding: 2px; }"));
}

void DataGrid::fitRowsToFont()
{
    const int height = fontMetrics().height();
    view_->verticalHeader()->setDefaultSectionSize(height + 6);
    footer_->setFixedHeight(height + 8);
    placeFooter();
}

void DataGrid::changeEvent(QEvent* event)
{
    // Windows set the grid's font (sizes from the settings row); rows and
    // footer grow with it.
    if (event->type() == QEvent::FontChange)
        fitRowsToFont();
    QWidget::changeEvent(event);
}

bool DataGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Escape outside a cell editor drops the row's pending changes.
        if (key->key() == Qt::Key_Escape && !static_cast<GridView*>(view_)->cellEditorOpen() && dataset_ &&
            dataset_->isEditing()) {
            guarded([this] { dataset_->cancel(); });
            return true;
        }
    }
    if (watched == view_->viewport() && event->type() == QEvent::Resize)
        placeFooter();
    return QWidget::eventFilter(watched, event);
}

// Current row ----------------------------------------------------------------

void DataGrid::followDataset()
{
    if (following_)
        return;
    following_ = true;
    db::Dataset* d = dataset_;
    const int row = d && d->active() ? proxy_->proxyRow(d->recNo()) : -1;
    QItemSelectionModel* selection = view_->selectionModel();
    if (row < 0) {
        selection->clear();
    } else {
        int column = view_->currentIndex().column();
        for (int visual = 0; (column < 0 || header_->isSectionHidden(column)) && visual < header_->count(); ++visual)
            column = header_->logicalIndex(visual);
        column = std::max(column, 0);
        const QModelIndex index = proxy_->index(row, column);
        if (view_->currentIndex().row() != row || !selection->isRowSelected(row, {}))
            selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view_->scrollTo(index);
    }
    following_ = false;
}

void DataGrid::viewRowChanged(const QModelIndex& current)
{
    if (following_ || !current.isValid())
        return;
    const int row = proxy_->sourceRow(current.row());
    db::Dataset* d = dataset_;
    if (!d || !d->active() || row < 0 || d->recNo() == row)
        return;
    moveDatasetTo(row);
}

void DataGrid::moveDatasetTo(int datasetRow)
{
    db::Dataset* d = dataset_;
    if (d && d->active() && datasetRow >= 0 && datasetRow != d->recNo())
        guarded([&] { d->moveTo(datasetRow); });
    // Also when the move failed: the grid shows where the dataset stands.
    followDataset();
}

int DataGrid::shownRowCount() const
{
    return proxy_->rowCount();
}

int DataGrid::datasetRowAt(int shownRow) const
{
    return proxy_->sourceRow(shownRow);
}

int DataGrid::shownRowOfCurrent() const
{
    db::Dataset* d = dataset_;
    return d && d->active() ? proxy_->proxyRow(d->recNo()) : -1;
}

void DataGrid::goFirst()
{
    if (shownRowCount() > 0)
        moveDatasetTo(datasetRowAt(0));
}

void DataGrid::goLast()
{
    if (shownRowCount() > 0)
        moveDatasetTo(datasetRowAt(shownRowCount() - 1));
}

// Sorting --------------------------------------------------------------------

void DataGrid::sortBy(const QString& field, Qt::SortOrder order)
{
    const int logical = field.isEmpty() ? -1 : columnIndex(field);
    if (!field.isEmpty() && logical < 0)
        return;
    header_->setSortIndicator(logical, order);
    if (proxy_->sortColumn() != logical || (logical >= 0 && proxy_->sortOrder() != order))
        proxy_->sort(logical, order);
}

QString DataGrid::sortField() const
{
    return proxy_->sortColumn() < 0 ? QString() : columnField(proxy_->sortColumn());
}

Qt::SortOrder DataGrid::sortOrder() const
{
    return proxy_->sortOrder();
}

// Layout files -------------------------------------------------------------

void DataGrid::saveLayout(const QString& path) const
{
    GridLayout layout;
    for (int visual = 0; visual < header_->count(); ++visual) {
        const int logical = header_->logicalIndex(visual);
        const QString field = columnField(logical);
        layout.columns.append(GridLayoutColumn{field, columnWidth(field), !header_->isSectionHidden(logical)});
    }
    layout.sortField = sortField();
    layout.sortDescending = !layout.sortField->isEmpty() && sortOrder() == Qt::DescendingOrder;
    writeGridLayout(path, layout);
}

bool DataGrid::restoreLayout(const QString& path)
{
    const std::optional<GridLayout> layout = readGridLayout(path);
    if (!layout)
        return false;
    if (model_->columnCount() == 0) {
        pendingLayout_ = std::make_unique<GridLayout>(*layout);
        return true;
    }
    applyLayout(*layout);
    return true;
}

void DataGrid::loadLayout(const QString& path)
{
    const GridLayout layout = loadGridLayout(path);
    if (model_->columnCount() == 0)
        pendingLayout_ = std::make_unique<GridLayout>(layout);
    else
        applyLayout(layout);
}

void DataGrid::applyLayout(const GridLayout& layout)
{
    const int n = header_->count();
    std::set<int> named;
    std::vector<int> fileOrder;
    std::vector<const GridLayoutColumn*> entries;
    for (const GridLayoutColumn& c : layout.columns) {
        const int logical = columnIndex(c.field);
        if (logical < 0 || named.count(logical))
            continue;
        named.insert(logical);
        fileOrder.push_back(logical);
        entries.push_back(&c);
    }
    // The named columns take the places that named columns hold now, in the
    // file's order; the others keep their places.
    std::vector<int> order(static_cast<size_t>(n));
    for (int visual = 0; visual < n; ++visual)
        order[size_t(visual)] = header_->logicalIndex(visual);
    size_t next = 0;
    for (int visual = 0; visual < n; ++visual) {
        if (named.count(order[size_t(visual)]))
            order[size_t(visual)] = fileOrder[next++];
    }
    for (int visual = 0; visual < n; ++visual)
        header_->moveSection(header_->visualIndex(order[size_t(visual)]), visual);

    for (size_t i = 0; i < entries.size(); ++i) {
        const GridLayoutColumn& c = *entries[i];
        const QString field = columnField(fileOrder[i]);
        if (c.width > 0)
            setColumnWidth(field, c.width);
        if (c.visible)
            setColumnHidden(field, !*c.visible);
    }
    if (layout.sortField)
        sortBy(layout.sortField->isEmpty() || columnIndex(*layout.sortField) >= 0 ? *layout.sortField : sortField(),
               layout.sortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
    if (isFilterRowVisible()) {
        QHash<int, QString> texts = proxy_->filterTexts();
        for (auto it = layout.filters.begin(); it != layout.filters.end(); ++it) {
            const int logical = columnIndex(it.key());
            if (logical >= 0) {
                texts.insert(logical, it.value());
                header_->setFilterEditText(logical, it.value());
            }
        }
        setFilters(texts);
    }
    for (auto it = layout.footerSums.begin(); it != layout.footerSums.end(); ++it) {
        if (columnIndex(it.key()) >= 0)
            setFooterSum(it.key(), it.value());
    }
    customization_->refresh();
    placeFooter();
}

// Filter row -----------------------------------------------------------------

void DataGrid::setFilterRowVisible(bool visible)
{
    header_->setFilterRowVisible(visible);
    // The edits start empty; a hidden filter row filters nothing.
    clearFilters();
}

bool DataGrid::isFilterRowVisible() const
{
    return header_->isFilterRowVisible();
}

QLineEdit* DataGrid::filterEdit(const QString& field) const
{
    return header_->filterEdit(columnIndex(field));
}

void DataGrid::setFilterText(const QString& field, const QString& text)
{
    const int logical = columnIndex(field);
    if (logical < 0)
        return;
    header_->setFilterEditText(logical, text);
    QHash<int, QString> texts = proxy_->filterTexts();
    texts.insert(logical, text);
    setFilters(texts);
}

QString DataGrid::filterText(const QString& field) const
{
    return proxy_->filterText(columnIndex(field));
}

void DataGrid::clearFilters()
{
    filterTimer_->stop();
    for (int logical = 0; logical < header_->count(); ++logical)
        header_->setFilterEditText(logical, QString());
    setFilters({});
}

void DataGrid::applyTypedFilters()
{
    filterTimer_->stop();
    QHash<int, QString> texts;
    for (int logical = 0; logical < header_->count(); ++logical) {
        if (QLineEdit* edit = header_->filterEdit(logical))
            texts.insert(logical, edit->text());
    }
    setFilters(texts);
}

void DataGrid::setFilters(const QHash<int, QString>& texts)
{
    proxy_->setFilterTexts(texts);
    keepCurrentRowShown();
}

void DataGrid::keepCurrentRowShown()
{
    // A filter that hides the dataset's row moves the dataset to the first
    // row shown, so that what follows the dataset shows a row the user sees.
    db::Dataset* d = dataset_;
    if (d && d->active() && shownRowOfCurrent() < 0 && shownRowCount() > 0)
        moveDatasetTo(datasetRowAt(0));
    else
        followDataset();
}

// Footer -----------------------------------------------------------------------

void DataGrid::setFooterSum(const QString& field, const QString& format)
{
    const QString k = key(field);
    footerFormats_.insert(k, format);
    QLabel*& label = footerLabels_[k];
    if (!label) {
        label = new QLabel(footerCells_);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
    }
    label->setAccessibleName(QStringLiteral("Toplam: %1").arg(columnCaption(field)));
    footer_->show();
    updateFooter();
    placeFooter();
}

void DataGrid::removeFooterSum(const QString& field)
{
    const QString k = key(field);
    footerFormats_.remove(k);
    delete footerLabels_.take(k);
    footer_->setVisible(hasFooter());
    placeFooter();
}

double DataGrid::footerSum(const QString& field) const
{
    const int logical = columnIndex(field);
    return logical < 0 ? 0 : proxy_->sum(logical);
}

QString DataGrid::footerText(const QString& field) const
{
    const auto format = footerFormats_.constFind(key(field));
    if (format == footerFormats_.constEnd() || columnIndex(field) < 0)
        return {};
    return db::formatPicture(footerSum(field), *format);
}

void DataGrid::rowsShownChanged()
{
    updateFooter();
}

void DataGrid::updateFooter()
{
    for (auto it = footerLabels_.begin(); it != footerLabels_.end(); ++it)
        it.value()->setText(footerText(it.key()));
}

void DataGrid::placeFooter()
{
    if (!hasFooter())
        return;
    const QRect viewport = view_->viewport()->geometry();
    footerCells_->setGeometry(view_->x() + viewport.x(), 0, viewport.width(), footer_->height());
    for (auto it = footerLabels_.begin(); it != footerLabels_.end(); ++it) {
        const int logical = columnIndex(it.key());
        QLabel* label = it.value();
        if (logical < 0 || header_->isSectionHidden(logical)) {
            label->hide();
            continue;
        }
        label->setGeometry(header_->sectionViewportPosition(logical), 0, header_->sectionSize(logical) - 4,
                           footer_->height());
        label->show();
    }
}

// Column customisation ---------------------------------------------------------

void DataGrid::toggleCustomization()
{
    if (customization_->isVisible()) {
        customization_->hide();
        return;
    }
    customization_->refresh();
    // Beside the grid's lower right corner, where it covers the fewest rows.
    const QPoint corner = mapToGlobal(QPoint(width(), height()));
    customization_->move(corner - QPoint(customization_->width() + 20, customization_->height() + 20));
    customization_->show();
    customization_->raise();
}

bool DataGrid::isCustomizationVisible() const
{
    return customization_->isVisible();
}

}  // namespace ui
